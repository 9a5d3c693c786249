#pragma once
// One thing the display saw on its line, or one open or close of the line by the
// program. The parser fills the framing, the display model the judgement.

#include "tools/display/Time.h"

#include <string>
#include <vector>

namespace display {

enum class EventKind {
    Open,     // a descriptor on the pty's slave was opened (not ours)
    Close,    // one was closed
    Erase,    // a normal or first-time erase sequence
    SetBaud,  // the set-baud command with its 3-byte frame
    Record,   // one line, its line feed included
    Garbage,  // bytes that form none of the above
    Lost,     // bytes that arrived while the display was erasing
    Rejected, // bytes sent at a rate other than the display's
};

enum class EraseMode { Normal, FirstTime };

struct Event {
    EventKind kind = EventKind::Garbage;
    Micros t = 0;   // arrival of the first byte (or when an open or close was seen)
    Micros end = 0; // arrival of the last byte
    Micros gap = 0; // since the previous event's t; the first counts from the start
    std::string bytes;

    EraseMode mode = EraseMode::Normal; // Erase
    int baudIndex = -1;                 // SetBaud: the index byte of the frame
    unsigned rate = 0;        // SetBaud: the rate switched to (0: not switched); Rejected: line's
    unsigned displayRate = 0; // Rejected: the display's rate at the time
    int number = 0;           // Record: 1 for the first record since the start
    int recordType = -1;      // Record: the Intel HEX type, -1 when unreadable
    unsigned address = 0;     // Record: the load address
    bool overrun = false;     // Record: it began before the previous one was written
    bool checksumError = false;
    bool releasedExclusive = false;  // Close: the closer left exclusive mode set; we cleared it
    std::string reason;              // Garbage, Lost: why the bytes were not understood
    std::vector<std::string> errors; // warnings about an understood event
};

} // namespace display
