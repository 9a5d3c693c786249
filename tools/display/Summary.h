#pragma once
// The totals of a run, gathered from its events.
//
// Record gaps are counted between a record and the record before it, start to
// start (each at the arrival of its first byte); an erase or a set-baud in between
// starts a new series. The erase wait is the gap from an erase to the first record
// after it.

#include "tools/display/Event.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace display {

struct GapStats {
    Micros min = 0;
    Micros median = 0;
    Micros max = 0;
    std::size_t count = 0;
};

class Summary {
public:
    void add(const Event& event);

    int records = 0;
    int checksumErrors = 0;
    int malformed = 0; // records with a fault other than the checksum
    int overruns = 0;
    int erases = 0;
    int baudChanges = 0;
    std::size_t bytes = 0; // every byte that arrived on the line
    std::size_t lost = 0;
    std::size_t rejected = 0;
    std::size_t garbage = 0;
    std::optional<Micros> eraseWait; // the latest erase to its first record
    std::optional<Micros> firstByte;
    Micros lastByte = 0;

    GapStats gaps() const;
    // From the first byte's arrival to the last's; 0 when nothing arrived.
    Micros total() const { return firstByte ? lastByte - *firstByte : 0; }

private:
    std::vector<Micros> gaps_;
    std::optional<Micros> previousRecord_;
    std::optional<Micros> pendingErase_;
};

} // namespace display
