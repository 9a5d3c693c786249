#pragma once
// Fixtures on a real disk: a fresh directory per test, removed afterwards, and a
// guard that puts the current directory back however a test ends.

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltran-test-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = std::filesystem::canonical(pattern).string();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string path(std::string_view name) const { return m_path + "/" + std::string(name); }

    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string file = path(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    std::string makeDirectory(std::string_view name) const {
        const std::string directory = path(name);
        std::filesystem::create_directory(directory);
        return directory;
    }

private:
    std::string m_path;
};

class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : m_saved(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~CurrentDirectoryGuard() {
        if (m_saved >= 0) {
            [[maybe_unused]] const int ignored = ::fchdir(m_saved);
            ::close(m_saved);
        }
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    int m_saved;
};
