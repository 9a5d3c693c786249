#pragma once
// Checks one received line as an Intel HEX record. A fault is a warning for the
// report: the display model still counts the record, it only keeps it out of the
// image.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace display {

struct HexRecord {
    int type = -1; // -1 when the line is too broken to read one
    unsigned address = 0;
    std::vector<std::uint8_t> data;
    bool checksumError = false;
    std::vector<std::string> errors; // empty for a sound record
};

// line: the bytes as received, the final line feed included.
HexRecord checkHexRecord(std::string_view line);

} // namespace display
