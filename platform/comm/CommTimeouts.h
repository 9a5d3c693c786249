#pragma once
// The time-outs of a port, in milliseconds, with the Win32 fields. Only the write
// pair matters to this layer: the system never reads.

#include "platform/base/Clock.h"
#include "platform/base/Win32Types.h"

#include <optional>

inline constexpr DWORD MAXDWORD = 0xFFFFFFFF;

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;

    friend bool operator==(const COMMTIMEOUTS&, const COMMTIMEOUTS&) = default;
};

namespace platform {

// How long a write of this many bytes may take: constant + multiplier x length.
// Both zero means no limit, as on Windows.
std::optional<Microseconds> writeTimeLimit(const COMMTIMEOUTS& timeouts, DWORD length);

} // namespace platform
