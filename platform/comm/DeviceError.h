#pragma once
// What can go wrong with a port, as a value. The Win32 calls turn it into the
// last-error code the system reads back.

#include "platform/base/Win32Types.h"

namespace platform {

enum class DeviceError {
    None,
    NotFound,         // no such device or file
    PathNotFound,     // a folder on the way is missing
    AccessDenied,     // held by someone else, or not ours to open
    InvalidHandle,    // not a handle of an open device
    InvalidParameter, // a setting the device cannot take
    NotSupported,     // the device has no such control (a file, a pty's modem lines)
    WriteFault,       // the far side hung up or the device failed the write
    DeviceRemoved,    // the device went away under the handle
    Timeout,          // the write could not hand over every byte before its deadline
    IoPending,        // an overlapped transfer still under way; only scripted devices say so
    GeneralFailure,   // anything else the system reports
};

// The Win32 last-error code of an error; ERROR_SUCCESS for None.
DWORD win32Code(DeviceError error);

} // namespace platform
