#pragma once
// The catalogue upper-cases the names it lists, but a Linux disk keeps the case
// a file was written with; this finds the file such a name stands for.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The path of the entry, in the directory that path names (matched exactly; the
// current one for a bare name), whose name equals the last component of path
// ignoring ASCII case. Among several, the first in byte order, so the choice
// never depends on the order the disk lists them. nullopt when there is none.
std::optional<std::string> findNameIgnoringCase(std::string_view path);

} // namespace platform
