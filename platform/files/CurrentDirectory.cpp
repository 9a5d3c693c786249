#include "platform/files/CurrentDirectory.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <unistd.h>

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    if (buffer == nullptr && bufferLength != 0)
        return 0;
    // getcwd sizes its own buffer here; Linux paths have no fixed limit.
    const std::unique_ptr<char, decltype(&std::free)> directory(::getcwd(nullptr, 0), &std::free);
    if (!directory)
        return 0;
    const std::size_t length = std::strlen(directory.get());
    if (length >= std::numeric_limits<DWORD>::max())
        return 0;
    if (length >= bufferLength)
        return static_cast<DWORD>(length + 1);
    std::memcpy(buffer, directory.get(), length + 1);
    return static_cast<DWORD>(length);
}
