#include "tests/support/CommandSetFixtures.h"

#include <cstdio>

namespace fixtures {

std::string hexRecord(unsigned address, unsigned type, const std::vector<std::uint8_t>& data) {
    char buffer[16];
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    std::snprintf(buffer, sizeof buffer, ":%02X%04X%02X", static_cast<unsigned>(data.size()),
                  address & 0xFFFF, type);
    std::string line = buffer;
    for (std::uint8_t byte : data) {
        std::snprintf(buffer, sizeof buffer, "%02X", byte);
        line += buffer;
        sum += byte;
    }
    std::snprintf(buffer, sizeof buffer, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + buffer;
}

std::vector<std::string> commandSetRecords(int records, int dataBytes, std::uint8_t tag) {
    std::vector<std::string> lines;
    const unsigned step = static_cast<unsigned>(dataBytes);
    for (int i = 0; i + 1 < records; ++i) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(dataBytes));
        for (int b = 0; b < dataBytes; ++b)
            data[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(tag + i + b);
        // Addresses wrap below the limit so even 1,200 records all stay in range.
        lines.push_back(hexRecord((static_cast<unsigned>(i) * step) % 0x2E00, 0, data));
    }
    if (records > 0)
        lines.push_back(endOfFileRecord());
    return lines;
}

std::string join(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line;
    return all;
}

} // namespace fixtures
