#pragma once
// One run of the emulator: waits on the line, the port watch and the signals,
// feeds what arrives to the display model, and hands every event to the screen,
// the trace and the summary.
//
// Times are taken when poll() wakes for the data, so an event's time is the
// arrival of its first byte to within the loop's latency, well under 1 ms.

#include "tools/display/Endpoint.h"
#include "tools/display/Event.h"
#include "tools/display/LineDisplay.h"
#include "tools/display/Options.h"
#include "tools/display/Outcome.h"
#include "tools/display/PortWatch.h"
#include "tools/display/Summary.h"
#include "tools/display/Trace.h"

#include <cstdio>
#include <deque>
#include <optional>

namespace display {

class Session {
public:
    // watch may be null (a real line has none). Times count from this call.
    Session(const Options& options, Endpoint& endpoint, PortWatch* watch, Trace& trace,
            std::FILE* out);

    struct Result {
        Outcome outcome;
        std::optional<Problem> problem; // the line failed; the run still ended cleanly
    };
    // Runs until a signal on signalFd, the idle time, the record count or a
    // failure of the line.
    Result run(int signalFd);

    const Summary& summary() const { return summary_; }
    const LineDisplay& lineDisplay() const { return display_; }

private:
    Micros now() const { return monotonicNow() - start_; }
    // Reads one chunk; false when the line failed.
    bool readLine(Micros t);
    bool drainLine();
    void emitActivities(bool all);
    void emit(std::vector<Event>& events);
    void emit(Event event);

    const Options& options_;
    Endpoint& endpoint_;
    PortWatch* watch_;
    Trace& trace_;
    std::FILE* out_;
    Micros start_;
    LineDisplay display_;
    Summary summary_;
    std::deque<PortActivity> activities_;
    Micros previousEvent_ = 0;
    Micros lastActivity_ = 0;
    unsigned followedRate_;
    std::optional<Problem> problem_;
};

} // namespace display
