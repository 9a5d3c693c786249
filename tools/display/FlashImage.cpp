#include "tools/display/FlashImage.h"

#include <algorithm>
#include <cstdio>

namespace display {

void FlashImage::clear() {
    std::fill(present_.begin(), present_.end(), false);
    count_ = 0;
}

void FlashImage::write(unsigned address, std::span<const std::uint8_t> data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::size_t at = (address + i) % kSpace;
        if (!present_[at]) {
            present_[at] = true;
            ++count_;
        }
        bytes_[at] = data[i];
    }
}

std::optional<std::uint8_t> FlashImage::at(unsigned address) const {
    std::size_t index = address % kSpace;
    if (!present_[index])
        return std::nullopt;
    return bytes_[index];
}

std::string FlashImage::toIntelHex() const {
    std::string text;
    char field[16];
    std::size_t address = 0;
    while (address < kSpace) {
        if (!present_[address]) {
            ++address;
            continue;
        }
        std::size_t length = 0;
        while (length < 16 && address + length < kSpace && present_[address + length])
            ++length;
        unsigned sum = static_cast<unsigned>(length + (address >> 8) + (address & 0xFF));
        std::snprintf(field, sizeof field, ":%02zX%04zX00", length, address);
        text += field;
        for (std::size_t i = 0; i < length; ++i) {
            std::snprintf(field, sizeof field, "%02X", bytes_[address + i]);
            text += field;
            sum += bytes_[address + i];
        }
        std::snprintf(field, sizeof field, "%02X\n", (0x100U - (sum & 0xFFU)) & 0xFFU);
        text += field;
        address += length;
    }
    text += ":00000001FF\n";
    return text;
}

} // namespace display
