#pragma once
// Ending the process at once, with no exit handlers and no destructors.

#include "platform/base/Win32Types.h"

[[noreturn]] void ExitProcess(UINT exitCode);
