#include "platform/comm/Comm.h"

#include "platform/comm/DeviceProvider.h"
#include "platform/comm/Handles.h"

namespace {

BOOL fail(platform::DeviceError error) {
    SetLastError(platform::win32Code(error));
    return FALSE;
}

BOOL result(platform::DeviceError error) {
    return error == platform::DeviceError::None ? TRUE : fail(error);
}

// The device of a handle, or nullptr with ERROR_INVALID_HANDLE set.
platform::Device* deviceOf(HANDLE handle) {
    platform::Device* device = platform::findDevice(handle);
    if (!device)
        fail(platform::DeviceError::InvalidHandle);
    return device;
}

} // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void* /*security*/, DWORD creation,
                   DWORD flags, HANDLE /*templ*/) {
    if (!name) {
        fail(platform::DeviceError::PathNotFound);
        return INVALID_HANDLE_VALUE;
    }
    // Ports are opened, never created; and with no overlapped I/O here, a handle
    // asked for it would be handled wrongly, so it is refused.
    if (creation != OPEN_EXISTING || (flags & FILE_FLAG_OVERLAPPED) ||
        (access & (GENERIC_READ | GENERIC_WRITE)) == 0) {
        fail(platform::DeviceError::InvalidParameter);
        return INVALID_HANDLE_VALUE;
    }
    platform::OpenResult opened = platform::deviceProvider().open({name, access, share});
    if (!opened.device) {
        fail(opened.error == platform::DeviceError::None ? platform::DeviceError::GeneralFailure
                                                         : opened.error);
        return INVALID_HANDLE_VALUE;
    }
    return platform::addDevice(std::move(opened.device));
}

BOOL GetCommState(HANDLE handle, DCB* dcb) {
    platform::Device* device = deviceOf(handle);
    if (!device)
        return FALSE;
    if (!dcb)
        return fail(platform::DeviceError::InvalidParameter);
    DCB state;
    if (const platform::DeviceError error = device->getCommState(state);
        error != platform::DeviceError::None)
        return fail(error);
    *dcb = state;
    dcb->DCBlength = sizeof(DCB);
    return TRUE;
}

BOOL SetCommState(HANDLE handle, DCB* dcb) {
    platform::Device* device = deviceOf(handle);
    if (!device)
        return FALSE;
    if (!dcb)
        return fail(platform::DeviceError::InvalidParameter);
    return result(device->setCommState(*dcb));
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts) {
    platform::Device* device = deviceOf(handle);
    if (!device)
        return FALSE;
    if (!timeouts)
        return fail(platform::DeviceError::InvalidParameter);
    return result(device->getCommTimeouts(*timeouts));
}

BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts) {
    platform::Device* device = deviceOf(handle);
    if (!device)
        return FALSE;
    if (!timeouts)
        return fail(platform::DeviceError::InvalidParameter);
    return result(device->setCommTimeouts(*timeouts));
}

BOOL EscapeCommFunction(HANDLE handle, DWORD function) {
    platform::Device* device = deviceOf(handle);
    return device ? result(device->escape(function)) : FALSE;
}

BOOL WriteFile(HANDLE handle, LPCVOID data, DWORD length, DWORD* written, void* overlapped) {
    DWORD count = 0;
    if (written)
        *written = 0;
    platform::Device* device = deviceOf(handle);
    if (!device)
        return FALSE;
    if (overlapped || (!data && length > 0))
        return fail(platform::DeviceError::InvalidParameter);
    const platform::DeviceError error = device->write(data, length, count);
    if (written)
        *written = count;
    return result(error);
}

BOOL CloseHandle(HANDLE handle) {
    std::unique_ptr<platform::Device> device = platform::removeDevice(handle);
    if (!device)
        return fail(platform::DeviceError::InvalidHandle);
    return result(device->close());
}
