#pragma once
// A devices folder of the test's own: XDG_CONFIG_HOME points at a fresh
// temporary directory while it lives, and is restored after.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

class DeviceFolder {
public:
    DeviceFolder() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            m_saved = old;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltran-devices-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data()) ? pattern : std::string();
        std::filesystem::create_directories(folder());
        ::setenv("XDG_CONFIG_HOME", m_root.c_str(), 1);
    }
    ~DeviceFolder() {
        if (m_saved)
            ::setenv("XDG_CONFIG_HOME", m_saved->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    DeviceFolder(const DeviceFolder&) = delete;
    DeviceFolder& operator=(const DeviceFolder&) = delete;

    std::string root() const { return m_root; }
    std::string folder() const { return m_root + "/veltran/devices"; }

    // Links a device name (lower case, as the folder holds them) to a target;
    // returns the link's path.
    std::string link(const std::string& name, const std::string& target) const {
        const std::string path = folder() + "/" + name;
        std::filesystem::create_symlink(target, path);
        return path;
    }

    // A regular file in the temporary directory, for names that are no port.
    std::string file(const std::string& name) const {
        const std::string path = m_root + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "w");
        if (f)
            std::fclose(f);
        return path;
    }

private:
    std::string m_root;
    std::optional<std::string> m_saved;
};
