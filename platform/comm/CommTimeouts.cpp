#include "platform/comm/CommTimeouts.h"

#include <cstdint>
#include <limits>

namespace platform {

std::optional<Microseconds> writeTimeLimit(const COMMTIMEOUTS& timeouts, DWORD length) {
    if (timeouts.WriteTotalTimeoutMultiplier == 0 && timeouts.WriteTotalTimeoutConstant == 0)
        return std::nullopt;
    // (2^32-1)^2 + 2^32-1 still fits in 64 unsigned bits; beyond what microseconds
    // can hold the limit is as good as none, so it saturates.
    const std::uint64_t ms =
        static_cast<std::uint64_t>(timeouts.WriteTotalTimeoutMultiplier) * length +
        timeouts.WriteTotalTimeoutConstant;
    constexpr std::uint64_t mostMs = std::numeric_limits<Microseconds>::max() / 1000;
    return static_cast<Microseconds>(ms > mostMs ? mostMs : ms) * 1000;
}

} // namespace platform
