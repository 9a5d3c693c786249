#pragma once
// The control sequences the display understands, as data. Each sequence is sent
// with one write of its own; the set-baud command takes a second write for its
// parameter frame, never merged with the first.

#include "platform/base/Win32Types.h"

#include <array>

inline constexpr int ERASE_NORMAL = 0;
inline constexpr int ERASE_FIRST_TIME = 1;

struct DisplaySequence {
    const char* bytes;
    DWORD length;
};

// The flash erase sent ahead of a download: CR, the introducer, '0', NUL for a
// normal erase; the introducer, '2', NUL (no CR) for a first-time erase. Only
// those two modes exist; any other value is taken as normal.
DisplaySequence eraseSequence(int mode);

// CR, the introducer, '1': the first of the two writes of a baud-rate change.
DisplaySequence setBaudSequence();

// The second write: NUL, the new baud index (its low byte), NUL.
std::array<char, 3> baudParameterFrame(int baudIndex);
