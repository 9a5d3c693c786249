#pragma once
// Formatting into a caller's buffer, as Windows' wsprintfA does: at most 1,024
// characters and a terminating NUL; returns the number of characters stored.

#include "platform/base/Win32Types.h"

int wsprintfA(LPSTR buffer, LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
