#pragma once
// How a run ended, with what the display held then; the summary reports it.

#include "tools/display/Time.h"

#include <cstddef>
#include <string_view>

namespace display {

struct Outcome {
    std::string_view end; // "signal", "idle", "records" or "hangup"
    Micros t = 0;         // since the start
    unsigned displayRate = 0;
    std::size_t imageBytes = 0;
};

} // namespace display
