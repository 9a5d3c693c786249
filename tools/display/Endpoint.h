#pragma once
// The emulator's end of the line: a pseudo-terminal it creates, or a real serial
// line given by path.
//
// On a pty it keeps its own descriptor on the slave for the whole run: the
// program's opens and closes then never hang the pty up, and the slave's termios
// shows the rate the program set. It never locks the slave (no flock, no
// TIOCEXCL), so the program's own exclusive open succeeds.

#include "tools/display/Error.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>

namespace display {

class Endpoint {
public:
    Endpoint() = default;
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;
    // Closes the line and removes the link if it still points at our pty.
    ~Endpoint();

    std::optional<Problem> openPty(const std::string& link);
    // The device is set to raw 8N1 at the display's rate; a real line garbles
    // bytes at a wrong rate by itself.
    std::optional<Problem> openDevice(const std::string& path, unsigned rate);

    bool isPty() const { return slave_ >= 0; }
    int fd() const { return fd_; }
    int slaveFd() const { return slave_; }
    const std::string& path() const { return path_; }
    // The rate the sender's end is set to: the slave's output speed on a pty;
    // unknown on a real line, where only the far end knows it.
    std::optional<unsigned> lineRate() const;
    // Follows the display's rate on a real line; nothing to do on a pty.
    std::optional<Problem> setRate(unsigned rate);
    // Reads what has arrived: the count, 0 when nothing is waiting, -1 with errno.
    ssize_t readSome(std::span<std::uint8_t> buffer);

private:
    std::optional<Problem> makeLink(const std::string& link);

    int fd_ = -1;
    int slave_ = -1;
    std::string path_;
    std::string link_;
};

// The numeric rate of a termios speed, 0 for one we do not know.
unsigned rateOfSpeed(unsigned speed);

} // namespace display
