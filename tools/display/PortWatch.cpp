#include "tools/display/PortWatch.h"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace display {

PortWatch::~PortWatch() {
    if (fd_ >= 0)
        close(fd_);
}

std::optional<Problem> PortWatch::start(const std::string& path, int slaveFd) {
    slave_ = slaveFd;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return Problem{Error::WatchPort, path, errno};
    if (inotify_add_watch(fd_, path.c_str(), IN_OPEN | IN_CLOSE) < 0)
        return Problem{Error::WatchPort, path, errno};
    return std::nullopt;
}

void PortWatch::collect(Micros now, std::deque<PortActivity>& out) {
    alignas(inotify_event) char buffer[4096];
    std::size_t lastClose = 0;
    bool closed = false;
    for (;;) {
        ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                // Counts are unknown now; assume no one holds the port so a
                // stale exclusive mode can still be cleared at the next close.
                others_ = 0;
                continue;
            }
            PortActivity activity;
            activity.seen = now;
            if (event.mask & IN_OPEN) {
                activity.opened = true;
                ++others_;
            } else if (event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) {
                others_ = others_ > 0 ? others_ - 1 : 0;
                lastClose = out.size();
                closed = true;
            } else {
                continue;
            }
            out.push_back(activity);
        }
    }
    // Judged once the queue is empty: an opener's IN_OPEN is queued before it can
    // set exclusive mode, so a newcomer's own exclusive mode is never cleared.
    int exclusive = 0;
    if (closed && others_ == 0 && ioctl(slave_, TIOCGEXCL, &exclusive) == 0 && exclusive)
        out[lastClose].releasedExclusive = ioctl(slave_, TIOCNXCL) == 0;
}

} // namespace display
