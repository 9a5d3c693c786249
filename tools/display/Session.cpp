#include "tools/display/Session.h"

#include "tools/display/Baud.h"
#include "tools/display/EventText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace display {

namespace {

// The longest poll() sleeps, so the idle end is noticed on time.
constexpr int kPollMillis = 50;
// A close is reported this long after it is seen: the bytes written just before
// it may still be on their way through the pty and belong before it.
constexpr Micros kCloseHold = fromMillis(10);

DisplaySettings settingsOf(const Options& options) {
    DisplaySettings settings;
    settings.baudIndex = baudIndexOf(options.baudRate).value_or(2);
    settings.eraseTime = options.eraseTime;
    settings.flashTime = options.flashTime;
    return settings;
}

int millisUntil(Micros from, Micros to) {
    if (to <= from)
        return 0;
    return static_cast<int>((to - from + 999) / 1000);
}

} // namespace

Session::Session(const Options& options, Endpoint& endpoint, PortWatch* watch, Trace& trace,
                 std::FILE* out)
    : options_(options), endpoint_(endpoint), watch_(watch), trace_(trace), out_(out),
      start_(monotonicNow()), display_(settingsOf(options)), followedRate_(display_.rate()) {}

Session::Result Session::run(int signalFd) {
    std::string_view end;
    while (end.empty()) {
        Micros t = now();
        int timeout = kPollMillis;
        if (options_.exitAfterIdle)
            timeout = std::min(timeout, millisUntil(t, lastActivity_ + *options_.exitAfterIdle));
        if (!activities_.empty() && !activities_.front().opened)
            timeout = std::min(timeout, millisUntil(t, activities_.front().seen + kCloseHold));

        std::array<pollfd, 3> fds{{{endpoint_.fd(), POLLIN, 0},
                                   {signalFd, POLLIN, 0},
                                   {watch_ ? watch_->fd() : -1, POLLIN, 0}}};
        int ready = poll(fds.data(), fds.size(), timeout);
        t = now();
        if (ready < 0 && errno != EINTR) {
            problem_ = Problem{Error::ReadLine, endpoint_.path(), errno};
            end = "hangup";
            break;
        }
        if (fds[1].revents & POLLIN) {
            signalfd_siginfo info{};
            [[maybe_unused]] ssize_t n = read(signalFd, &info, sizeof info);
            // Bytes already in the pty were sent before the signal; keep them.
            drainLine();
            end = "signal";
            break;
        }
        if (watch_ && (fds[2].revents & POLLIN))
            watch_->collect(t, activities_);
        emitActivities(false);
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) && !readLine(t)) {
            end = "hangup";
            break;
        }
        emitActivities(false);

        if (options_.records && summary_.records >= *options_.records)
            end = "records";
        else if (options_.exitAfterIdle && now() - lastActivity_ >= *options_.exitAfterIdle)
            end = "idle";
    }

    emitActivities(true);
    std::vector<Event> events;
    display_.finish(events);
    emit(events);

    Result result;
    result.outcome.end = end;
    result.outcome.t = now();
    result.outcome.displayRate = display_.rate();
    result.outcome.imageBytes = display_.image().size();
    result.problem = problem_;
    return result;
}

bool Session::readLine(Micros t) {
    std::array<std::uint8_t, 4096> buffer;
    ssize_t n = endpoint_.readSome(buffer);
    if (n < 0) {
        problem_ = Problem{errno == EIO ? Error::LineHungUp : Error::ReadLine, endpoint_.path(),
                           errno == EIO ? 0 : errno};
        return false;
    }
    if (n == 0)
        return true;
    std::vector<Event> events;
    display_.receive(t, std::span(buffer.data(), static_cast<std::size_t>(n)), endpoint_.lineRate(),
                     events);
    emit(events);
    lastActivity_ = t;
    if (display_.rate() != followedRate_) {
        followedRate_ = display_.rate();
        if (auto problem = endpoint_.setRate(followedRate_)) {
            problem_ = problem;
            return false;
        }
    }
    return true;
}

bool Session::drainLine() {
    // Bounded, so a sender that never stops cannot keep us here.
    for (int i = 0; i < 256; ++i) {
        pollfd fd{endpoint_.fd(), POLLIN, 0};
        if (poll(&fd, 1, 0) <= 0 || !(fd.revents & (POLLIN | POLLHUP | POLLERR)))
            return true;
        if (!readLine(now()))
            return false;
    }
    return true;
}

void Session::emitActivities(bool all) {
    while (!activities_.empty()) {
        PortActivity activity = activities_.front();
        if (!activity.opened) {
            if (!all && now() < activity.seen + kCloseHold)
                return;
            drainLine();
        }
        activities_.pop_front();
        Event event;
        event.kind = activity.opened ? EventKind::Open : EventKind::Close;
        event.t = std::max(activity.seen, previousEvent_);
        event.end = event.t;
        event.releasedExclusive = activity.releasedExclusive;
        lastActivity_ = std::max(lastActivity_, event.t);
        emit(std::move(event));
    }
}

void Session::emit(std::vector<Event>& events) {
    for (Event& event : events)
        emit(std::move(event));
    events.clear();
}

void Session::emit(Event event) {
    // A unit held back (a CR waiting for its next byte) may end after a later one.
    event.gap = event.t - previousEvent_;
    previousEvent_ = std::max(previousEvent_, event.t);
    summary_.add(event);
    if (!options_.quiet)
        std::fputs(eventLine(event).c_str(), out_);
    trace_.write(eventJson(event));
}

} // namespace display
