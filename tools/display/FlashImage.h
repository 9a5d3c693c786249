#pragma once
// What the display's flash holds: the data records received since the last
// erase, by their 16-bit load address. Extended-address records are not applied:
// the display's memory is one 64 KiB space and the download never sends them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace display {

class FlashImage {
public:
    void clear();
    // Addresses past 0xFFFF wrap to 0, as a 16-bit load address does.
    void write(unsigned address, std::span<const std::uint8_t> data);
    std::optional<std::uint8_t> at(unsigned address) const;
    std::size_t size() const { return count_; }
    // The image as Intel HEX: up to 16 bytes per data record, then the end record.
    std::string toIntelHex() const;

private:
    static constexpr std::size_t kSpace = 0x10000;
    std::vector<std::uint8_t> bytes_ = std::vector<std::uint8_t>(kSpace);
    std::vector<bool> present_ = std::vector<bool>(kSpace);
    std::size_t count_ = 0;
};

} // namespace display
