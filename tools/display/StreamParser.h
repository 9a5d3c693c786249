#pragma once
// Cuts the byte stream into erase sequences, set-baud commands, lines and
// garbage. It frames only; the display model judges what it framed.
//
// The control sequences are recognised by their introducer ESC DC3 US DC4 SYN,
// which no hex line can contain; a CR right before it belongs to the sequence.
// Anywhere else a CR is part of the line it is in (so a CR LF ending can be
// reported) or garbage between lines.

#include "tools/display/Event.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace display {

class StreamParser {
public:
    // A line this long without a line feed is no record; it is cut off as garbage
    // so a runaway sender cannot grow memory without bound.
    static constexpr std::size_t kMaxLine = 1024;

    // One byte that arrived at time t; units it completes are appended to out.
    void feed(std::uint8_t byte, Micros t, std::vector<Event>& out);
    // The end of one read: a run of garbage is reported now, not with the next unit.
    // A partial line or sequence waits for the rest.
    void endChunk(std::vector<Event>& out);
    // Gives up whatever is incomplete, reporting it as garbage with the reason.
    void flush(std::string_view reason, std::vector<Event>& out);

private:
    enum class State { Idle, Line, Introducer, Command, EraseEnd, Frame };

    void startUnit(std::uint8_t byte, Micros t);
    void emitUnit(EventKind kind, std::vector<Event>& out);
    void emitUnitAsGarbage(std::string_view reason, std::vector<Event>& out);
    void addGarbage(std::uint8_t byte, Micros t, std::vector<Event>& out);
    void emitGarbageRun(std::vector<Event>& out);

    State state_ = State::Idle;
    std::string unit_;
    Micros unitStart_ = 0;
    Micros unitLast_ = 0;
    std::size_t matched_ = 0; // introducer bytes matched, or frame bytes taken
    EraseMode mode_ = EraseMode::Normal;

    bool pendingCr_ = false; // a CR whose meaning depends on the next byte
    Micros crTime_ = 0;

    std::string garbage_;
    Micros garbageStart_ = 0;
    Micros garbageLast_ = 0;
};

} // namespace display
