#pragma once
// One open port or device behind a HANDLE. The Win32 calls check the handle and
// turn the result into a last-error code; the device does the work.

#include "platform/comm/CommTimeouts.h"
#include "platform/comm/Dcb.h"
#include "platform/comm/DeviceError.h"

namespace platform {

class Device {
public:
    virtual ~Device() = default;

    virtual DeviceError getCommState(DCB& dcb) = 0;
    virtual DeviceError setCommState(const DCB& dcb) = 0;
    virtual DeviceError getCommTimeouts(COMMTIMEOUTS& timeouts) = 0;
    virtual DeviceError setCommTimeouts(const COMMTIMEOUTS& timeouts) = 0;
    // SETDTR, CLRDTR and the other EscapeCommFunction codes.
    virtual DeviceError escape(DWORD function) = 0;
    // Returns once every byte is handed over (and has left a tty's queue), or fails;
    // written counts the bytes the device accepted either way.
    virtual DeviceError write(const void* data, DWORD length, DWORD& written) = 0;
    // Releases the device; the object is destroyed right after.
    virtual DeviceError close() = 0;
};

} // namespace platform
