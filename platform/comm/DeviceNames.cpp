#include "platform/comm/DeviceNames.h"

#include "platform/text/Ascii.h"

#include <cstdlib>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::string_view devicePrefix = "\\\\.\\";

// n of COMn or LPTn: 1 to 9999 without a leading zero, as DOS device numbers go.
std::optional<int> deviceNumber(std::string_view name, std::string_view stem) {
    if (name.size() <= stem.size() || name.size() > stem.size() + 4 ||
        !startsWithNoCase(name, stem))
        return std::nullopt;
    const std::string_view digits = name.substr(stem.size());
    if (digits.front() == '0')
        return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::optional<std::string> defaultPath(std::string_view name) {
    if (const auto n = deviceNumber(name, "COM"))
        return "/dev/ttyS" + std::to_string(*n - 1);
    if (const auto n = deviceNumber(name, "LPT"))
        return "/dev/lp" + std::to_string(*n - 1);
    return std::nullopt;
}

// A link that exists is taken even when it points nowhere: opening it then fails
// as file-not-found, which is what a missing adapter should look like.
std::optional<std::string> linkPath(std::string_view name) {
    const std::string folder = deviceFolder();
    if (folder.empty())
        return std::nullopt;
    std::string path = folder + '/';
    for (char c : name)
        path += asciiLower(c);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return path;
}

std::optional<std::string> resolveDevice(std::string_view name) {
    if (auto link = linkPath(name))
        return link;
    return defaultPath(name);
}

} // namespace

std::string deviceFolder() {
    // XDG says a relative XDG_CONFIG_HOME is to be ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/veltran/devices";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return std::string(home) + "/.config/veltran/devices";
    return {};
}

std::optional<std::string> resolveDeviceName(std::string_view name) {
    if (name.starts_with(devicePrefix)) {
        std::string_view device = name.substr(devicePrefix.size());
        if (device.ends_with('\\'))
            device.remove_suffix(1);
        // The rest must be one device name, never a way out of the devices folder.
        if (device.empty() || device == "." || device == ".." ||
            device.find_first_of("\\/") != std::string_view::npos)
            return std::nullopt;
        return resolveDevice(device);
    }
    if (defaultPath(name))
        return resolveDevice(name);
    return std::string(name);
}

} // namespace platform
