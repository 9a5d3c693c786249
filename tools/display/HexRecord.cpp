#include "tools/display/HexRecord.h"

#include <cstdio>

namespace display {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string byteText(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFU);
    return text;
}

std::string charText(unsigned char c) {
    if (c >= 0x20 && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    return byteText(c);
}

} // namespace

HexRecord checkHexRecord(std::string_view line) {
    HexRecord record;
    auto fault = [&record](std::string text) {
        record.errors.push_back(std::move(text));
        return record;
    };

    if (line.empty() || line.back() != '\n')
        return fault("no line feed at the end");
    line.remove_suffix(1);
    // A sender whose tty still translates LF into CR LF shows up here.
    if (!line.empty() && line.back() == '\r') {
        record.errors.push_back("ends in CR LF instead of LF");
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() != ':')
        return fault("does not begin with the start code ':'");

    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 1; i < line.size(); i += 2) {
        int high = hexValue(line[i]);
        if (high < 0)
            return fault("character " + charText(static_cast<unsigned char>(line[i])) +
                         " at column " + std::to_string(i + 1) + " is not a hex digit");
        if (i + 1 == line.size())
            return fault("odd number of hex digits");
        int low = hexValue(line[i + 1]);
        if (low < 0)
            return fault("character " + charText(static_cast<unsigned char>(line[i + 1])) +
                         " at column " + std::to_string(i + 2) + " is not a hex digit");
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    // Count, address (2), type and checksum are the least a record holds.
    if (bytes.size() < 5)
        return fault("too short for a record: " + std::to_string(bytes.size()) + " bytes");

    record.type = bytes[3];
    record.address = static_cast<unsigned>(bytes[1]) << 8 | bytes[2];
    record.data.assign(bytes.begin() + 4, bytes.end() - 1);
    if (bytes[0] != record.data.size())
        record.errors.push_back("byte count " + std::to_string(bytes[0]) + " but " +
                                std::to_string(record.data.size()) + " data bytes");

    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        sum += bytes[i];
    unsigned expected = (0x100U - (sum & 0xFFU)) & 0xFFU;
    if (bytes.back() != expected) {
        record.checksumError = true;
        record.errors.push_back("checksum " + byteText(bytes.back()) + ", expected " +
                                byteText(expected));
    }
    if (record.type > 5)
        record.errors.push_back("unknown record type " +
                                byteText(static_cast<unsigned>(record.type)));
    return record;
}

} // namespace display
