#pragma once
// Command set files of our own, written by the tests: valid Intel HEX lines with
// their checksums, so the emulator and the reader see what a real set holds.

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

// One Intel HEX line with its line feed: ":" count address type data checksum.
std::string hexRecord(unsigned address, unsigned type, const std::vector<std::uint8_t>& data);
inline std::string endOfFileRecord() {
    return ":00000001FF\n";
}

// A command set of `records` kept records: data records below the display's
// address limit, each of `dataBytes` bytes and tagged with `tag`, then the
// end-of-file record.
std::vector<std::string> commandSetRecords(int records, int dataBytes = 16, std::uint8_t tag = 0);
std::string join(const std::vector<std::string>& lines);

} // namespace fixtures
