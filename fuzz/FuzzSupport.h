#pragma once
// What the fuzz targets share: a check that names what broke, a scratch directory
// for the files they write, and the bytes a text-mode read delivers from a file's
// bytes, written out plainly.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// A broken invariant is a finding: say which, then abort so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// One directory per process under $TMPDIR. libFuzzer ends a run without running
// destructors, so scripts/fuzz points TMPDIR at a folder of its own and removes it.
class ScratchDirectory {
public:
    static ScratchDirectory& instance() {
        static ScratchDirectory directory;
        return directory;
    }

    std::string write(const std::string& name, std::string_view bytes) const {
        const std::string file = m_path + "/" + name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        FUZZ_CHECK(out);
        return file;
    }

private:
    ScratchDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltran-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        m_path = pattern;
    }

    std::string m_path;
};

// CR LF arrives as LF, a CR on its own as it is, and nothing from a 0x1A on.
inline std::string textModeBytes(std::string_view file) {
    std::string delivered;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\x1A')
            break;
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n')
            continue;
        delivered += file[i];
    }
    return delivered;
}

} // namespace fuzz
