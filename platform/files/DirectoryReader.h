#pragma once
// The entries of one directory, one at a time, in the order the file system
// delivers them. Internal to the layer: only its own sources include this.

#include <dirent.h>

#include <memory>
#include <optional>
#include <string>

namespace platform {

class DirectoryReader {
public:
    // nullptr when the directory cannot be opened.
    static std::unique_ptr<DirectoryReader> open(const std::string& directory);

    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // The next entry's name, "." and ".." included; nullopt at the end or on an
    // error, since a listing cut short is all a caller could use anyway.
    std::optional<std::string> next();

private:
    explicit DirectoryReader(DIR* directory) : m_directory(directory) {}
    DIR* m_directory;
};

} // namespace platform
