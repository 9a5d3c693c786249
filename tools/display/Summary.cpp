#include "tools/display/Summary.h"

#include <algorithm>

namespace display {

void Summary::add(const Event& event) {
    if (event.kind == EventKind::Open || event.kind == EventKind::Close)
        return;
    bytes += event.bytes.size();
    if (!firstByte)
        firstByte = event.t;
    lastByte = std::max(lastByte, event.end);

    switch (event.kind) {
    case EventKind::Erase:
        ++erases;
        previousRecord_.reset();
        pendingErase_ = event.t;
        break;
    case EventKind::SetBaud:
        if (event.rate != 0)
            ++baudChanges;
        previousRecord_.reset();
        pendingErase_.reset();
        break;
    case EventKind::Record: {
        ++records;
        if (event.checksumError)
            ++checksumErrors;
        if (event.errors.size() > (event.checksumError ? 1U : 0U))
            ++malformed;
        if (event.overrun)
            ++overruns;
        if (previousRecord_)
            gaps_.push_back(event.t - *previousRecord_);
        previousRecord_ = event.t;
        if (pendingErase_) {
            eraseWait = event.t - *pendingErase_;
            pendingErase_.reset();
        }
        break;
    }
    case EventKind::Garbage:
        garbage += event.bytes.size();
        break;
    case EventKind::Lost:
        lost += event.bytes.size();
        break;
    case EventKind::Rejected:
        rejected += event.bytes.size();
        break;
    case EventKind::Open:
    case EventKind::Close:
        break;
    }
}

GapStats Summary::gaps() const {
    GapStats stats;
    stats.count = gaps_.size();
    if (gaps_.empty())
        return stats;
    std::vector<Micros> sorted = gaps_;
    std::sort(sorted.begin(), sorted.end());
    stats.min = sorted.front();
    stats.max = sorted.back();
    std::size_t mid = sorted.size() / 2;
    stats.median = sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    return stats;
}

} // namespace display
