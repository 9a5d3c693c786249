#include "platform/comm/PosixWrite.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {

// A stalled line is judged by real time, whatever clock the program paces itself by.
MonotonicClock realTime;

constexpr Microseconds pollStep = 1000;

DeviceError writeError(int error) {
    switch (error) {
    case ENODEV:
    case ENXIO:
        return DeviceError::DeviceRemoved;
    case EBADF:
        return DeviceError::InvalidHandle;
    default: // EIO, EPIPE: the far side hung up or the device failed
        return DeviceError::WriteFault;
    }
}

class Deadline {
public:
    explicit Deadline(std::optional<Microseconds> limit) {
        const Microseconds start = realTime.now();
        if (limit && *limit <= std::numeric_limits<Microseconds>::max() - start)
            m_at = start + *limit;
    }
    bool passed() const { return m_at && realTime.now() >= *m_at; }
    // Milliseconds for poll, rounded up so a wake-up is never early; -1 for none.
    int pollTimeout() const {
        if (!m_at)
            return -1;
        const Microseconds left = std::max<Microseconds>(0, *m_at - realTime.now());
        return static_cast<int>(std::min<Microseconds>((left + 999) / 1000, 1'000'000));
    }
    void pause(Microseconds step) const {
        realTime.block(m_at ? std::min(step, std::max<Microseconds>(0, *m_at - realTime.now()))
                            : step);
    }

private:
    std::optional<Microseconds> m_at;
};

// Windows returns from a port write when the bytes have gone out, so the pacing
// that follows (the erase wait, the pause after a baud change) starts once the
// display has them. tcdrain would wait the same way but has no time-out.
void drain(int fd, const Deadline& deadline) {
    for (;;) {
        int queued = 0;
        // A driver that cannot tell its queue leaves nothing to wait for.
        if (::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0)
            return;
        // Every byte is with the driver and will go out; as on Windows, a write
        // whose bytes were all accepted has succeeded, even if some still queue.
        if (deadline.passed())
            return;
        deadline.pause(pollStep);
    }
}

} // namespace

DeviceError writeAll(int fd, bool tty, const void* data, DWORD length, DWORD& written,
                     std::optional<Microseconds> limit) {
    const Deadline deadline(limit);
    const auto* bytes = static_cast<const char*>(data);
    written = 0;
    bool reportedWritable = false;
    while (written < length) {
        const ssize_t n = ::write(fd, bytes + written, length - written);
        if (n > 0) {
            written += static_cast<DWORD>(n);
            reportedWritable = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return writeError(errno);
        if (deadline.passed())
            return DeviceError::Timeout;
        // A driver without a poll of its own says "writable" at once; backing off
        // keeps a busy printer port from spinning the processor until the deadline.
        if (reportedWritable) {
            deadline.pause(pollStep);
            reportedWritable = false;
            continue;
        }
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, deadline.pollTimeout());
        if (ready < 0 && errno != EINTR)
            return writeError(errno);
        if (ready > 0) {
            if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
                return DeviceError::WriteFault;
            reportedWritable = true;
        }
    }
    if (tty)
        drain(fd, deadline);
    return DeviceError::None;
}

} // namespace platform
