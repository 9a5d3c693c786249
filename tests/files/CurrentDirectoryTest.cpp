#include "platform/files/CurrentDirectory.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GetCurrentDirectoryA, FillsABufferThatFits) {
    TempDir dir;
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    const auto length = static_cast<DWORD>(dir.path().size());

    char buffer[MAX_PATH];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(MAX_PATH, buffer), length);
    EXPECT_STREQ(buffer, dir.path().c_str());

    char exact[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(length + 1, exact), length) << "room for the NUL is enough";
    EXPECT_STREQ(exact, dir.path().c_str());
}

TEST(GetCurrentDirectoryA, TooSmallBufferGivesTheSizeNeededAndStaysUntouched) {
    TempDir dir;
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    const auto length = static_cast<DWORD>(dir.path().size());

    char buffer[MAX_PATH];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(length, buffer), length + 1);
    EXPECT_EQ(GetCurrentDirectoryA(1, buffer), length + 1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, '#'));
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
}

TEST(GetCurrentDirectoryA, LongerThanTheCataloguesBufferIsReportedBySize) {
    TempDir dir;
    std::string deep = dir.path();
    while (deep.size() < MAX_PATH)
        deep += "/" + std::string(50, 'd');
    std::filesystem::create_directories(deep);
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(deep.c_str()), 0);

    char buffer[MAX_PATH];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetCurrentDirectoryA(MAX_PATH, buffer), deep.size() + 1);
    EXPECT_EQ(buffer[0], '#');
}

TEST(GetCurrentDirectoryA, FailsOnceTheDirectoryIsDeleted) {
    TempDir dir;
    const std::string doomed = dir.makeDirectory("doomed");
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(doomed.c_str()), 0);
    ASSERT_EQ(::rmdir(doomed.c_str()), 0);

    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(MAX_PATH, buffer), 0u);
}

} // namespace
