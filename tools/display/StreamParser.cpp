#include "tools/display/StreamParser.h"

namespace display {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
constexpr std::uint8_t kIntroducer[] = {0x1B, 0x13, 0x1F, 0x14, 0x16};
constexpr std::size_t kIntroducerLength = sizeof kIntroducer;
constexpr std::size_t kFrameLength = 3;

bool startsLine(std::uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F;
}

} // namespace

void StreamParser::feed(std::uint8_t byte, Micros t, std::vector<Event>& out) {
    switch (state_) {
    case State::Introducer:
        if (byte == kIntroducer[matched_]) {
            unit_ += static_cast<char>(byte);
            unitLast_ = t;
            if (++matched_ == kIntroducerLength)
                state_ = State::Command;
            return;
        }
        emitUnitAsGarbage("unknown control sequence", out);
        break; // the byte may begin something else
    case State::Command:
        unit_ += static_cast<char>(byte);
        unitLast_ = t;
        if (byte == '0' || byte == '2') {
            mode_ = byte == '0' ? EraseMode::Normal : EraseMode::FirstTime;
            state_ = State::EraseEnd;
        } else if (byte == '1') {
            matched_ = 0;
            state_ = State::Frame;
        } else {
            emitUnitAsGarbage("unknown command after the introducer", out);
        }
        return;
    case State::EraseEnd:
        if (byte == 0x00) {
            unit_ += static_cast<char>(byte);
            unitLast_ = t;
            emitUnit(EventKind::Erase, out);
            return;
        }
        emitUnitAsGarbage("erase command without its closing NUL", out);
        break;
    case State::Frame:
        // The frame is the next three bytes whatever they hold; the model judges them.
        unit_ += static_cast<char>(byte);
        unitLast_ = t;
        if (++matched_ == kFrameLength)
            emitUnit(EventKind::SetBaud, out);
        return;
    case State::Idle:
    case State::Line:
        break;
    }

    if (byte == kIntroducer[0]) {
        if (state_ == State::Line)
            emitUnitAsGarbage("line cut short by a control sequence", out);
        emitGarbageRun(out);
        if (pendingCr_) {
            startUnit(kCr, crTime_);
            unit_ += static_cast<char>(byte);
            unitLast_ = t;
            pendingCr_ = false;
        } else {
            startUnit(byte, t);
        }
        matched_ = 1;
        state_ = State::Introducer;
        return;
    }
    if (pendingCr_) {
        pendingCr_ = false;
        if (state_ == State::Line) {
            unit_ += static_cast<char>(kCr);
            unitLast_ = crTime_;
        } else {
            addGarbage(kCr, crTime_, out);
        }
    }
    if (byte == kCr) {
        pendingCr_ = true;
        crTime_ = t;
        return;
    }
    if (state_ == State::Line) {
        unit_ += static_cast<char>(byte);
        unitLast_ = t;
        if (byte == kLf)
            emitUnit(EventKind::Record, out);
        else if (unit_.size() >= kMaxLine)
            emitUnitAsGarbage("line too long without a line feed", out);
        return;
    }
    if (startsLine(byte)) {
        emitGarbageRun(out);
        startUnit(byte, t);
        state_ = State::Line;
        return;
    }
    addGarbage(byte, t, out);
}

void StreamParser::endChunk(std::vector<Event>& out) {
    emitGarbageRun(out);
}

void StreamParser::flush(std::string_view reason, std::vector<Event>& out) {
    if (pendingCr_) {
        pendingCr_ = false;
        if (state_ == State::Line) {
            unit_ += static_cast<char>(kCr);
            unitLast_ = crTime_;
        } else {
            addGarbage(kCr, crTime_, out);
        }
    }
    if (state_ != State::Idle)
        emitUnitAsGarbage(reason, out);
    emitGarbageRun(out);
}

void StreamParser::startUnit(std::uint8_t byte, Micros t) {
    unit_.assign(1, static_cast<char>(byte));
    unitStart_ = t;
    unitLast_ = t;
}

void StreamParser::emitUnit(EventKind kind, std::vector<Event>& out) {
    Event event;
    event.kind = kind;
    event.t = unitStart_;
    event.end = unitLast_;
    event.bytes = std::move(unit_);
    event.mode = mode_;
    out.push_back(std::move(event));
    unit_.clear();
    state_ = State::Idle;
}

void StreamParser::emitUnitAsGarbage(std::string_view reason, std::vector<Event>& out) {
    emitUnit(EventKind::Garbage, out);
    out.back().reason = reason;
}

void StreamParser::addGarbage(std::uint8_t byte, Micros t, std::vector<Event>& out) {
    if (garbage_.empty())
        garbageStart_ = t;
    garbage_ += static_cast<char>(byte);
    garbageLast_ = t;
    if (garbage_.size() >= kMaxLine)
        emitGarbageRun(out);
}

void StreamParser::emitGarbageRun(std::vector<Event>& out) {
    if (garbage_.empty())
        return;
    Event event;
    event.kind = EventKind::Garbage;
    event.t = garbageStart_;
    event.end = garbageLast_;
    event.bytes = std::move(garbage_);
    event.reason = "bytes outside any line or control sequence";
    out.push_back(std::move(event));
    garbage_.clear();
}

} // namespace display
