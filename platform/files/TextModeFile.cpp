#include "platform/files/TextModeFile.h"

#include "platform/files/CaseInsensitiveName.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// DOS marked the end of a text file with Ctrl-Z; a text-mode stream still stops there.
constexpr unsigned char EndOfTextMark = 0x1A;

enum class OpenResult { Opened, Missing, Refused };

// Only regular files: a directory fails as on Windows, and a FIFO or a device
// would block the window or never end. O_NONBLOCK keeps the open itself from
// waiting for a FIFO's writer; it changes nothing for a regular file.
OpenResult openRegularFile(const std::string& path, int& descriptor) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == ENOENT ? OpenResult::Missing : OpenResult::Refused;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return OpenResult::Refused;
    }
    descriptor = fd;
    return OpenResult::Opened;
}

} // namespace

std::unique_ptr<TextModeFile> TextModeFile::open(const CString& path) {
    // No file name holds a NUL byte; opening the part before it would open another file.
    if (path.IsEmpty() || path.view().find('\0') != std::string_view::npos)
        return nullptr;
    int descriptor = -1;
    OpenResult result = openRegularFile(path.str(), descriptor);
    if (result == OpenResult::Missing) {
        if (const auto match = findNameIgnoringCase(path.view()))
            result = openRegularFile(*match, descriptor);
    }
    if (result != OpenResult::Opened)
        return nullptr;
    return std::unique_ptr<TextModeFile>(new TextModeFile(descriptor));
}

TextModeFile::~TextModeFile() {
    ::close(m_descriptor);
}

bool TextModeFile::available() {
    if (m_ended)
        return false;
    if (m_position < m_length)
        return true;
    for (;;) {
        const ssize_t count = ::read(m_descriptor, m_buffer.data(), m_buffer.size());
        if (count > 0) {
            m_position = 0;
            m_length = static_cast<std::size_t>(count);
            return true;
        }
        if (count < 0 && errno == EINTR)
            continue;
        m_ended = true;
        return false;
    }
}

int TextModeFile::get() {
    if (!available())
        return EndOfFile;
    const unsigned char byte = m_buffer[m_position++];
    if (byte == EndOfTextMark) {
        m_ended = true;
        return EndOfFile;
    }
    // The LF that completes a pair may only arrive with the next refill.
    if (byte == '\r' && available() && m_buffer[m_position] == '\n') {
        ++m_position;
        return '\n';
    }
    return byte;
}

} // namespace platform
