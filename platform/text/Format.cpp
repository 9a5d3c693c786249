#include "platform/text/Format.h"

#include <cstdarg>
#include <cstdio>

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    constexpr int limit = 1024;
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(buffer, limit + 1, format, args);
    va_end(args);
    if (wanted < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return wanted > limit ? limit : wanted;
}
