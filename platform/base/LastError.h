#pragma once
// The calling thread's last-error code, as Win32 keeps it: a failed call of the
// layer leaves its code here, and a successful call leaves it untouched.

#include "platform/base/Win32Types.h"

DWORD GetLastError();
void SetLastError(DWORD error);
