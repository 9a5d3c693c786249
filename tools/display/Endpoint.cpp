#include "tools/display/Endpoint.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace display {

namespace {

constexpr std::array<std::pair<speed_t, unsigned>, 17> kSpeeds = {{
    {B0, 0},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B1800, 1800},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
    {B230400, 230400},
    {B460800, 460800},
    {B500000, 500000},
    {B921600, 921600},
    {B1000000, 1000000},
}};

std::optional<speed_t> speedOfRate(unsigned rate) {
    for (const auto& [speed, value] : kSpeeds) {
        if (value == rate && rate != 0)
            return speed;
    }
    return std::nullopt;
}

std::optional<Problem> setLine(int fd, unsigned rate, bool raw, const std::string& path) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return Problem{Error::ConfigureDevice, path, errno};
    if (raw) {
        cfmakeraw(&tio); // our own end wants exactly 8N1 and no translation
        tio.c_cflag |= CREAD | CLOCAL;
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = 0;
    }
    auto speed = speedOfRate(rate);
    if (!speed || cfsetispeed(&tio, *speed) != 0 || cfsetospeed(&tio, *speed) != 0 ||
        tcsetattr(fd, TCSANOW, &tio) != 0)
        return Problem{Error::ConfigureDevice, path, errno};
    return std::nullopt;
}

} // namespace

unsigned rateOfSpeed(unsigned speed) {
    for (const auto& [code, value] : kSpeeds) {
        if (code == speed)
            return value;
    }
    return 0;
}

Endpoint::~Endpoint() {
    if (!link_.empty()) {
        char target[PATH_MAX];
        ssize_t n = readlink(link_.c_str(), target, sizeof target - 1);
        // Another emulator may have taken the link over since; leave it to that one.
        if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == path_)
            unlink(link_.c_str());
    }
    if (slave_ >= 0)
        close(slave_);
    if (fd_ >= 0)
        close(fd_);
}

std::optional<Problem> Endpoint::openPty(const std::string& link) {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
        return Problem{Error::OpenPty, "", errno};
    char name[128];
    if (grantpt(fd_) != 0 || unlockpt(fd_) != 0 || ptsname_r(fd_, name, sizeof name) != 0 ||
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK) != 0)
        return Problem{Error::OpenPty, "", errno};
    path_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        return Problem{Error::OpenPty, path_, errno};
    // The slave starts where a serial port starts after boot, 9600 baud; the rest
    // of its termios stays as the kernel made it, so a sender that forgets raw
    // mode shows up (as CR LF endings) instead of being covered for.
    if (auto problem = setLine(slave_, 9600, false, path_))
        return Problem{Error::OpenPty, path_, problem->errnum};
    if (!link.empty())
        return makeLink(link);
    return std::nullopt;
}

std::optional<Problem> Endpoint::makeLink(const std::string& link) {
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        return Problem{Error::LinkExists, link};
    // Made beside the link and renamed over it, so a stale link from an earlier
    // run is replaced in one step.
    std::string temporary = link + ".tmp" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(path_.c_str(), temporary.c_str()) != 0)
        return Problem{Error::MakeLink, link, errno};
    if (rename(temporary.c_str(), link.c_str()) != 0) {
        int error = errno;
        unlink(temporary.c_str());
        return Problem{Error::MakeLink, link, error};
    }
    link_ = link;
    return std::nullopt;
}

std::optional<Problem> Endpoint::openDevice(const std::string& path, unsigned rate) {
    path_ = path;
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return Problem{Error::OpenDevice, path, errno};
    if (!isatty(fd_))
        return Problem{Error::NotATty, path};
    if (auto problem = setLine(fd_, rate, true, path))
        return problem;
    // Whatever waited in the buffer was sent to someone else.
    tcflush(fd_, TCIFLUSH);
    return std::nullopt;
}

std::optional<unsigned> Endpoint::lineRate() const {
    if (slave_ < 0)
        return std::nullopt;
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0)
        return std::nullopt;
    return rateOfSpeed(static_cast<unsigned>(cfgetospeed(&tio)));
}

std::optional<Problem> Endpoint::setRate(unsigned rate) {
    if (isPty())
        return std::nullopt;
    return setLine(fd_, rate, false, path_);
}

ssize_t Endpoint::readSome(std::span<std::uint8_t> buffer) {
    ssize_t n = read(fd_, buffer.data(), buffer.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return 0;
    if (n == 0) {
        // A real line reads 0 when it is gone; treat it as a hang-up.
        errno = EIO;
        return -1;
    }
    return n;
}

} // namespace display
