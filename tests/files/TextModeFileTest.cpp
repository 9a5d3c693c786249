#include "platform/files/TextModeFile.h"

#include "platform/text/Ascii.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

using namespace std::string_literals;
using platform::TextModeFile;

namespace {

// Every byte the stream delivers, checked to lie in 0..255, up to its end; the
// end must hold, so data after a 0x1A never turns up later.
std::string readAll(TextModeFile& file) {
    std::string delivered;
    for (int value = file.get(); value != TextModeFile::EndOfFile; value = file.get()) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 255);
        delivered += static_cast<char>(value);
    }
    EXPECT_EQ(file.get(), TextModeFile::EndOfFile);
    return delivered;
}

std::string readFile(const std::string& path) {
    const auto file = TextModeFile::open(CString(path.c_str()));
    if (!file) {
        ADD_FAILURE() << "cannot open " << path;
        return {};
    }
    return readAll(*file);
}

TEST(TextModeFileRead, TranslatesAsAWindowsTextStream) {
    struct Case {
        const char* what;
        std::string onDisk;
        std::string delivered;
    };
    const Case cases[] = {
        {"empty file", "", ""},
        {"CR LF becomes LF", "a\r\nb\r\n", "a\nb\n"},
        {"lone LF", "a\nb", "a\nb"},
        {"lone CR stays", "a\rb", "a\rb"},
        {"CR as last byte", "ab\r", "ab\r"},
        {"CR CR LF", "a\r\r\nb", "a\r\nb"},
        {"LF CR", "\n\r", "\n\r"},
        {"0x1A ends the data", "ab\x1A\ncd\r\n", "ab"},
        {"0x1A as first byte", "\x1A"s + "abc", ""},
        {"CR before 0x1A", "a\r\x1A\n", "a\r"},
        {"0xFF passes", "a\xFF\r\nb", "a\xFF\nb"},
        {"NUL passes", "a\0b\r\n"s, "a\0b\n"s},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readFile(dir.write("case.csf", c.onDisk)), c.delivered);
    }
}

TEST(TextModeFileRead, TranslatesAcrossBufferRefills) {
    constexpr std::size_t size = TextModeFile::BufferSize;
    std::string onDisk;
    std::string delivered;
    const auto fillTo = [&](std::size_t end) {
        while (onDisk.size() < end) {
            const char c = static_cast<char>('a' + onDisk.size() % 26);
            onDisk += c;
            delivered += c;
        }
    };
    fillTo(size - 1);
    onDisk += "\r\n"; // the pair is split by the first refill
    delivered += "\n";
    fillTo(2 * size - 1);
    onDisk += "\rz"; // a lone CR whose fate the next refill decides
    delivered += "\rz";
    fillTo(3 * size - 2);
    onDisk += "\r\r\n";
    delivered += "\r\n";
    fillTo(5 * size + 7);
    onDisk += "\x1A" + std::string(size, 'y');

    TempDir dir;
    EXPECT_EQ(readFile(dir.write("big.csf", onDisk)), delivered);
}

TEST(TextModeFileRead, ReadErrorEndsTheData) {
    // Reading this process's memory at offset 0 fails with EIO: a real read error
    // on a file that opens like any regular one.
    const auto file = TextModeFile::open("/proc/self/mem");
    if (!file)
        GTEST_SKIP() << "/proc/self/mem cannot be opened here";
    EXPECT_EQ(file->get(), TextModeFile::EndOfFile);
    EXPECT_EQ(file->get(), TextModeFile::EndOfFile);
}

TEST(TextModeFileOpen, FailsForWhatIsNoReadableFile) {
    TempDir dir;
    dir.write("ktx.csf", "data");
    dir.makeDirectory("folder.csf");
    dir.makeDirectory("sub");
    dir.write("sub/inner.csf", "data");
    ASSERT_EQ(::mkfifo(dir.path("pipe.csf").c_str(), 0644), 0);

    const std::pair<const char*, std::string> cases[] = {
        {"missing file", dir.path("nothing.csf")},
        {"no match ignoring case either", dir.path("KTY.CSF")},
        {"directory", dir.path("folder.csf")},
        {"directory found ignoring case", dir.path("FOLDER.CSF")},
        {"directory part is matched exactly", dir.path("SUB/inner.csf")},
        {"missing directory part", dir.path("none/ktx.csf")},
        {"FIFO (must not wait for a writer)", dir.path("pipe.csf")},
        {"empty name", ""},
        {"NUL inside the name", dir.path("ktx.csf") + "\0.bak"s},
    };
    for (const auto& [what, path] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(TextModeFile::open(CString(path)), nullptr);
    }
}

TEST(TextModeFileOpen, FailsWhenReadingIsRefused) {
    TempDir dir;
    const std::string readable = dir.write("open.csf", "data");
    const std::string locked = dir.write("locked.csf", "data");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(TextModeFile::open(CString(locked)), nullptr);
        return;
    }
    // Root reads whatever the mode says, so the refusal is tried by a child that
    // has become an ordinary user (nobody).
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        if (!TextModeFile::open(CString(readable)))
            ::_exit(3);
        ::_exit(TextModeFile::open(CString(locked)) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "cannot become an ordinary user here";
    EXPECT_NE(WEXITSTATUS(status), 3) << "the readable file should open as nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the locked file opened";
}

TEST(TextModeFileOpen, ExactNameWinsOverCaseInsensitiveMatches) {
    TempDir dir;
    dir.write("KTX.CSF", "upper");
    dir.write("ktx.csf", "lower");
    EXPECT_EQ(readFile(dir.path("KTX.CSF")), "upper");
    EXPECT_EQ(readFile(dir.path("ktx.csf")), "lower");
}

TEST(TextModeFileOpen, MissingNameOpensFirstMatchInByteOrder) {
    // All eight case variants of the stem of ktx_1.csf: the first in byte order is
    // KTX_1.csf, and the name asked for, KTX_1.CSF, is none of them.
    TempDir dir;
    for (int variant = 7; variant >= 0; --variant) {
        std::string name = "ktx_1.csf";
        for (std::size_t i = 0; i < 3; ++i) {
            if (variant & (1 << i))
                name[i] = platform::asciiUpper(name[i]);
        }
        dir.write(name, name);
    }
    dir.write("ktx_2.csf", "ktx_2.csf");
    std::string firstListed;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        firstListed = entry.path().filename().string();
        if (platform::compareNoCase(firstListed, "KTX_1.CSF") == 0)
            break;
    }
    if (firstListed == "KTX_1.csf")
        GTEST_SKIP() << "this disk lists KTX_1.csf first, so a pick by listing order would pass";
    EXPECT_EQ(readFile(dir.path("KTX_1.CSF")), "KTX_1.csf");

    // A bare name is looked up in the current directory.
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    EXPECT_EQ(readFile("KTX_1.CSF"), "KTX_1.csf");
    EXPECT_EQ(readFile("ktx_2.CSF"), "ktx_2.csf");
}

} // namespace
