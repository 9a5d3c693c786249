#pragma once
// Port names as DOS knows them, on a POSIX machine: COMn, LPTn and \\.\NAME name
// devices, found through links in a devices folder the way Windows assigns COM
// numbers to adapters; any other name is a path.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// ${XDG_CONFIG_HOME:-$HOME/.config}/veltran/devices; empty when neither is set.
std::string deviceFolder();

// The path a name opens; nullopt for a device name with neither a link nor a
// default (a \\.\NAME of a driver that is not installed).
std::optional<std::string> resolveDeviceName(std::string_view name);

} // namespace platform
