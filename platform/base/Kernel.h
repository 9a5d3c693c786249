#pragma once
// Sleep, on the clock in force.

#include "platform/base/Win32Types.h"

// Blocks the thread; no message of any window is handled meanwhile.
void Sleep(DWORD milliseconds);
