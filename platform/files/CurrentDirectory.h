#pragma once
// The process's current directory, with the Win32 buffer contract.

#include "platform/base/Win32Types.h"

// On success the directory and a NUL in buffer, and its length without the NUL.
// When it does not fit, the size it needs including the NUL, and buffer is left
// as it was. 0 when the directory cannot be named (for example once it has been
// deleted).
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
