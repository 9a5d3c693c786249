#pragma once
// A file read as a Windows text-mode stream reads it, since the command set
// reader was written against exactly those bytes: each CR LF arrives as one LF,
// any other CR arrives as it is, and 0x1A ends the data.

#include "platform/text/CString.h"

#include <array>
#include <cstddef>
#include <memory>

namespace platform {

class TextModeFile {
public:
    static constexpr int EndOfFile = -1;
    static constexpr std::size_t BufferSize = 4096;

    // nullptr when the file cannot be opened: it is missing, it is not a regular
    // file (a directory fails as it does on Windows), or reading it is refused.
    // A name missing as written opens the first entry of its directory, in byte
    // order, that equals it ignoring ASCII case.
    static std::unique_ptr<TextModeFile> open(const CString& path);

    ~TextModeFile();
    TextModeFile(const TextModeFile&) = delete;
    TextModeFile& operator=(const TextModeFile&) = delete;

    // The next byte, 0 to 255, or EndOfFile at the end of the data, which is also
    // where a read error leaves it. Once ended, it stays ended.
    int get();

private:
    explicit TextModeFile(int descriptor) : m_descriptor(descriptor) {}
    // True when a byte is waiting in the buffer, refilling it when empty.
    bool available();

    int m_descriptor;
    std::array<unsigned char, BufferSize> m_buffer{};
    std::size_t m_position = 0;
    std::size_t m_length = 0;
    bool m_ended = false;
};

} // namespace platform
