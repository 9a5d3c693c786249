#include "platform/text/Ascii.h"

#include <algorithm>

namespace platform {

namespace {
template <typename Fold> int compareWith(std::string_view a, std::string_view b, Fold fold) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(fold(a[i]));
        const auto y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}
} // namespace

int compareBytes(std::string_view a, std::string_view b) {
    return compareWith(a, b, [](char c) { return c; });
}

int compareNoCase(std::string_view a, std::string_view b) {
    return compareWith(a, b, asciiLower);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

} // namespace platform
