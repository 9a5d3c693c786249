#pragma once
// Upper-casing and collation of the system's 8-bit text. Only the ASCII letters
// change case; bytes 0x80 and above stay as they are and compare as unsigned
// bytes, so the order never depends on a locale.

#include <string_view>

namespace platform {

constexpr char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// <0, 0 or >0 like strcmp, on unsigned bytes; a text sorts before any longer text
// that begins with it.
int compareBytes(std::string_view a, std::string_view b);
// The same, with ASCII letters folded to lower case first (as strcasecmp does).
int compareNoCase(std::string_view a, std::string_view b);
// True when text begins with prefix, ignoring ASCII case.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace platform
