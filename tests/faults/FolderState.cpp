#include "tests/faults/FolderState.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include <sys/stat.h>

namespace {

// A FIFO or a device is never opened: reading one could block or change it.
std::string contentOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "(unreadable)";
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::to_string(std::hash<std::string>{}(bytes.str()));
}

std::string describe(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return "(vanished while looked at)";
    std::ostringstream d;
    d << std::oct << (st.st_mode & 07777) << std::dec << " mtime " << st.st_mtim.tv_sec << "."
      << st.st_mtim.tv_nsec;
    if (S_ISREG(st.st_mode))
        d << " file of " << st.st_size << " bytes, hash " << contentOf(path);
    else if (S_ISDIR(st.st_mode))
        d << " directory";
    else if (S_ISLNK(st.st_mode))
        d << " link to " << std::filesystem::read_symlink(path).string();
    else if (S_ISFIFO(st.st_mode))
        d << " fifo";
    else
        d << " other, mode " << std::oct << st.st_mode;
    return d.str();
}

} // namespace

FolderState FolderState::of(const std::string& root) {
    FolderState state;
    state.m_entries["."] = describe(root);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::filesystem::path& path = entry.path();
        state.m_entries[path.lexically_relative(root).string()] = describe(path);
    }
    return state;
}

void PrintTo(const FolderState& state, std::ostream* os) {
    for (const auto& [path, description] : state.m_entries)
        *os << "\n  " << path << ": " << description;
}
