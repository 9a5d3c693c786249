#include "platform/files/Wildcard.h"

#include "platform/text/Ascii.h"

namespace platform {

namespace {
bool matchesPlain(std::string_view pattern, std::string_view name) {
    constexpr auto none = std::string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    // Where the last "*" stood and how much of the name it has taken so far: on
    // a mismatch it takes one character more and matching resumes after it.
    std::size_t star = none;
    std::size_t starTaken = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starTaken = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || asciiLower(pattern[p]) == asciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (star != none) {
            p = star + 1;
            n = ++starTaken;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
} // namespace

bool matchesWildcard(std::string_view pattern, std::string_view name) {
    if (matchesPlain(pattern, name))
        return true;
    return pattern.ends_with(".*") && matchesPlain(pattern.substr(0, pattern.size() - 2), name);
}

} // namespace platform
