#pragma once
// File name patterns as a directory search reads them: "*" stands for any run of
// characters, "?" for one, letters match regardless of ASCII case.

#include <string_view>

namespace platform {

// A trailing ".*" may also match nothing, as on Windows, so "*.*" lists every
// name, those without a dot included.
bool matchesWildcard(std::string_view pattern, std::string_view name);

} // namespace platform
