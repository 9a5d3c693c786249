#include "platform/files/CaseInsensitiveName.h"

#include "platform/files/DirectoryReader.h"
#include "platform/text/Ascii.h"

namespace platform {

std::optional<std::string> findNameIgnoringCase(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view prefix =
        slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
    const std::string_view name = path.substr(prefix.size());
    if (name.empty())
        return std::nullopt;

    std::string directory = prefix.empty() ? std::string(".") : std::string(prefix);
    const auto reader = DirectoryReader::open(directory);
    if (!reader)
        return std::nullopt;

    std::optional<std::string> best;
    while (auto entry = reader->next()) {
        if (compareNoCase(*entry, name) == 0 && (!best || compareBytes(*entry, *best) < 0))
            best = std::move(entry);
    }
    if (!best)
        return std::nullopt;
    return std::string(prefix) + *best;
}

} // namespace platform
