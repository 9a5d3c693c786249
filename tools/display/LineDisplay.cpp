#include "tools/display/LineDisplay.h"

#include "tools/display/Baud.h"
#include "tools/display/HexRecord.h"

namespace display {

LineDisplay::LineDisplay(DisplaySettings settings)
    : settings_(settings), baudIndex_(settings.baudIndex) {}

unsigned LineDisplay::rate() const {
    return kBaudRates[static_cast<std::size_t>(baudIndex_)];
}

void LineDisplay::receive(Micros t, std::span<const std::uint8_t> bytes,
                          std::optional<unsigned> lineRate, std::vector<Event>& out) {
    std::vector<Event> units;
    for (std::uint8_t byte : bytes) {
        Gate gate = Gate::Accept;
        if (t < erasingUntil_)
            gate = Gate::Lost;
        else if (lineRate && *lineRate != rate())
            gate = Gate::Rejected;

        if (gate != runGate_) {
            flushRun(out);
            if (gate != Gate::Accept) {
                parser_.flush(gate == Gate::Lost ? "cut short by the erase"
                                                 : "cut short by bytes at a wrong rate",
                              units);
                judge(units, out);
                run_ = Event{};
                run_.kind = gate == Gate::Lost ? EventKind::Lost : EventKind::Rejected;
                run_.t = t;
                run_.rate = lineRate.value_or(0);
                run_.displayRate = rate();
                if (gate == Gate::Lost)
                    run_.reason = "the display is erasing its flash";
            }
            runGate_ = gate;
        }
        if (gate == Gate::Accept) {
            parser_.feed(byte, t, units);
            // An erase or a rate switch changes how the very next byte is judged.
            judge(units, out);
        } else {
            run_.bytes += static_cast<char>(byte);
            run_.end = t;
        }
    }
    parser_.endChunk(units);
    judge(units, out);
    flushRun(out);
}

void LineDisplay::finish(std::vector<Event>& out) {
    std::vector<Event> units;
    parser_.flush("incomplete when the line ended", units);
    judge(units, out);
    flushRun(out);
}

void LineDisplay::judge(std::vector<Event>& units, std::vector<Event>& out) {
    for (Event& event : units) {
        if (event.kind == EventKind::Erase)
            judgeErase(event);
        else if (event.kind == EventKind::SetBaud)
            judgeSetBaud(event);
        else if (event.kind == EventKind::Record)
            judgeRecord(event);
        out.push_back(std::move(event));
    }
    units.clear();
}

void LineDisplay::judgeErase(Event& event) {
    bool withCr = event.bytes.front() == '\r';
    if (event.mode == EraseMode::Normal && !withCr)
        event.errors.push_back("normal erase without the CR before the introducer");
    if (event.mode == EraseMode::FirstTime && withCr)
        event.errors.push_back("first-time erase with a CR before the introducer");
    erasingUntil_ = event.end + settings_.eraseTime;
    writtenAt_.reset();
    image_.clear();
}

void LineDisplay::judgeSetBaud(Event& event) {
    const std::string& b = event.bytes;
    bool withCr = b.front() == '\r';
    std::size_t frame = b.size() - 3;
    event.baudIndex = static_cast<unsigned char>(b[frame + 1]);
    if (!withCr)
        event.errors.push_back("set-baud command without the CR before the introducer");
    if (b[frame] != 0 || b[frame + 2] != 0)
        event.errors.push_back("frame not of the form 00 index 00");
    if (event.baudIndex >= static_cast<int>(kBaudRates.size()))
        event.errors.push_back("baud index " + std::to_string(event.baudIndex) + " out of range");
    // A frame the display cannot read leaves its rate alone; a missing CR does not.
    bool frameOk =
        b[frame] == 0 && b[frame + 2] == 0 && event.baudIndex < static_cast<int>(kBaudRates.size());
    if (frameOk) {
        baudIndex_ = event.baudIndex;
        event.rate = rate();
    }
}

void LineDisplay::judgeRecord(Event& event) {
    event.number = ++records_;
    event.overrun = writtenAt_ && event.t < *writtenAt_;
    HexRecord record = checkHexRecord(event.bytes);
    event.recordType = record.type;
    event.address = record.address;
    event.checksumError = record.checksumError;
    event.errors = std::move(record.errors);
    // An overrun record never reaches the flash: it neither extends the write in
    // progress nor enters the image. A faulty one takes its flash time but is not kept.
    if (event.overrun)
        return;
    writtenAt_ = event.end + settings_.flashTime;
    if (event.errors.empty() && record.type == 0)
        image_.write(record.address, record.data);
}

void LineDisplay::flushRun(std::vector<Event>& out) {
    if (runGate_ != Gate::Accept && !run_.bytes.empty())
        out.push_back(std::move(run_));
    run_ = Event{};
    runGate_ = Gate::Accept;
}

} // namespace display
