#pragma once
// Sees the program open and close the pty's slave, through inotify on its node
// (links to it included, since the watch is on the node itself).
//
// It also mends one way the emulator differs from a real port: we hold the slave
// open, so a program that dies with exclusive mode set (TIOCEXCL, cleared by a
// real port's last close) would leave the pty refusing every later open. When the
// last descriptor other than ours closes with exclusive mode still set, it is
// cleared.

#include "tools/display/Error.h"
#include "tools/display/Time.h"

#include <deque>
#include <optional>
#include <string>

namespace display {

struct PortActivity {
    bool opened = false; // false: closed
    Micros seen = 0;
    bool releasedExclusive = false;
};

class PortWatch {
public:
    PortWatch() = default;
    PortWatch(const PortWatch&) = delete;
    PortWatch& operator=(const PortWatch&) = delete;
    ~PortWatch();

    // slaveFd: our own descriptor, opened before the watch so it is not counted.
    std::optional<Problem> start(const std::string& path, int slaveFd);
    int fd() const { return fd_; }
    // Appends the opens and closes reported since the last call, in their order.
    void collect(Micros now, std::deque<PortActivity>& out);

private:
    int fd_ = -1;
    int slave_ = -1;
    int others_ = 0; // open descriptions of the slave that are not ours
};

} // namespace display
