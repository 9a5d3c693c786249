#include "platform/comm/DeviceError.h"

#include <array>
#include <utility>

namespace platform {

namespace {

constexpr std::array<std::pair<DeviceError, DWORD>, 12> codes{{
    {DeviceError::None, ERROR_SUCCESS},
    {DeviceError::NotFound, ERROR_FILE_NOT_FOUND},
    {DeviceError::PathNotFound, ERROR_PATH_NOT_FOUND},
    {DeviceError::AccessDenied, ERROR_ACCESS_DENIED},
    {DeviceError::InvalidHandle, ERROR_INVALID_HANDLE},
    {DeviceError::InvalidParameter, ERROR_INVALID_PARAMETER},
    {DeviceError::NotSupported, ERROR_NOT_SUPPORTED},
    {DeviceError::WriteFault, ERROR_WRITE_FAULT},
    {DeviceError::DeviceRemoved, ERROR_DEVICE_REMOVED},
    {DeviceError::Timeout, ERROR_TIMEOUT},
    {DeviceError::IoPending, ERROR_IO_PENDING},
    {DeviceError::GeneralFailure, ERROR_GEN_FAILURE},
}};

} // namespace

DWORD win32Code(DeviceError error) {
    for (const auto& [e, code] : codes) {
        if (e == error)
            return code;
    }
    return ERROR_GEN_FAILURE;
}

} // namespace platform
