#pragma once
// Times of the emulator: microseconds on the monotonic clock, so a change of the
// wall clock never bends a measured gap.

#include <cstdint>
#include <ctime>

namespace display {

using Micros = std::int64_t;

constexpr Micros fromMillis(std::int64_t ms) {
    return ms * 1000;
}
constexpr double toMillis(Micros us) {
    return static_cast<double>(us) / 1000.0;
}

inline Micros monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<Micros>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

} // namespace display
