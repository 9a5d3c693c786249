#include "platform/files/DirectoryReader.h"

namespace platform {

std::unique_ptr<DirectoryReader> DirectoryReader::open(const std::string& directory) {
    DIR* handle = ::opendir(directory.c_str());
    if (handle == nullptr)
        return nullptr;
    return std::unique_ptr<DirectoryReader>(new DirectoryReader(handle));
}

DirectoryReader::~DirectoryReader() {
    ::closedir(m_directory);
}

std::optional<std::string> DirectoryReader::next() {
    const dirent* entry = ::readdir(m_directory);
    if (entry == nullptr)
        return std::nullopt;
    return std::string(entry->d_name);
}

} // namespace platform
