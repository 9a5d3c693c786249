#pragma once
// Peak memory of a program under test. The rusage of a child started with
// posix_spawn counts the launcher's own peak too (the child runs on the
// launcher's memory until it execs), so the figures come from elsewhere: GNU time,
// whose fork leaves only its own megabyte behind, or the kernel's VmHWM of a
// process still running.

#include "tests/support/Child.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

struct MeasuredRun {
    ChildEnd end;         // CPU time includes GNU time's own, well under a millisecond
    long peakRssKiB = -1; // -1 when /usr/bin/time is missing or said nothing
};

MeasuredRun runUnderTime(const std::string& program, const std::vector<std::string>& args,
                         const std::string& directory,
                         const std::map<std::string, std::string>& environment,
                         const std::string& scratchFile, int timeoutMs);

// The peak resident size so far of a running process; -1 when it cannot be read.
long peakRssSoFarKiB(pid_t pid);

} // namespace bench
