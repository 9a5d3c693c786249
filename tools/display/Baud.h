#pragma once
// The display's four rates, by the index the set-baud frame carries.

#include <array>
#include <optional>

namespace display {

constexpr std::array<unsigned, 4> kBaudRates = {2400, 4800, 9600, 19200};

constexpr std::optional<int> baudIndexOf(unsigned rate) {
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == rate)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

} // namespace display
