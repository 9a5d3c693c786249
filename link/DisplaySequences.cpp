#include "link/DisplaySequences.h"

namespace {

// Every sequence carries the introducer ESC DC3 US DC4 SYN before its command.
constexpr char normalErase[] = {0x0D, 0x1B, 0x13, 0x1F, 0x14, 0x16, 0x30, 0x00};
constexpr char firstTimeErase[] = {0x1B, 0x13, 0x1F, 0x14, 0x16, 0x32, 0x00};
constexpr char setBaud[] = {0x0D, 0x1B, 0x13, 0x1F, 0x14, 0x16, 0x31};

} // namespace

DisplaySequence eraseSequence(int mode) {
    if (mode == ERASE_FIRST_TIME)
        return {firstTimeErase, sizeof firstTimeErase};
    return {normalErase, sizeof normalErase};
}

DisplaySequence setBaudSequence() {
    return {setBaud, sizeof setBaud};
}

std::array<char, 3> baudParameterFrame(int baudIndex) {
    return {0x00, static_cast<char>(baudIndex & 0xFF), 0x00};
}
