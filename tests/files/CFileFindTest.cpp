#include "platform/files/CFileFind.h"

#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dirent.h>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// The catalogue's walk: after a successful FindFile, every entry up to and
// including the one for which FindNextFile returns 0.
std::vector<std::string> findAll(const std::string& pattern) {
    std::vector<std::string> names;
    CFileFind finder;
    if (!finder.FindFile(pattern.c_str()))
        return names;
    BOOL more;
    do {
        more = finder.FindNextFile();
        names.push_back(finder.GetFileName().str());
    } while (more);
    EXPECT_EQ(finder.FindNextFile(), FALSE) << "a search past its last entry";
    return names;
}

std::vector<std::string> listingOrder(const std::string& directory) {
    std::vector<std::string> names;
    DIR* handle = ::opendir(directory.c_str());
    while (const dirent* entry = ::readdir(handle))
        names.emplace_back(entry->d_name);
    ::closedir(handle);
    return names;
}

TEST(CFileFind, DeliversEveryEntryOnceInListingOrder) {
    TempDir dir;
    for (const char* name : {"KTX_1.CSF", "a_2.csf", "notes.txt", "README", "x.csf.bak"})
        dir.write(name, "");
    dir.makeDirectory("Y_1.CSF");

    const std::vector<std::string> expected = listingOrder(dir.path());
    ASSERT_EQ(expected.size(), 8u); // the six, "." and ".."
    EXPECT_THAT(findAll(dir.path() + "\\*.*"), ElementsAreArray(expected));
}

TEST(CFileFind, SingleEntryIsAlsoTheLast) {
    TempDir dir;
    dir.write("only.csf", "");
    CFileFind finder;
    EXPECT_EQ(finder.GetFileName(), "");
    ASSERT_NE(finder.FindFile((dir.path() + "\\*.CSF").c_str()), FALSE);
    EXPECT_EQ(finder.FindNextFile(), FALSE);
    EXPECT_EQ(finder.GetFileName(), "only.csf");
    finder.Close();
    EXPECT_EQ(finder.GetFileName(), "");
}

TEST(CFileFind, FindsNothingWhereNothingMatches) {
    TempDir dir;
    dir.write("ktx.csf", "");
    EXPECT_THAT(findAll(dir.path() + "\\*.zip"), IsEmpty());
    EXPECT_THAT(findAll(dir.path("missing") + "\\*.*"), IsEmpty());

    CFileFind finder;
    EXPECT_EQ(finder.FindFile((dir.path() + "\\*.zip").c_str()), FALSE);
    EXPECT_EQ(finder.FindNextFile(), FALSE);
}

TEST(CFileFind, SplitsThePatternAtItsLastBackslash) {
    TempDir dir;
    dir.write("outer.csf", "");
    // A Linux directory name may hold backslashes; only the last one separates.
    const std::string odd = dir.makeDirectory("sets\\2024");
    dir.write("sets\\2024/inner.csf", "");

    EXPECT_THAT(findAll(odd + "\\*.csf"), ElementsAre("inner.csf"));
    EXPECT_THAT(findAll(dir.path() + "/*.CSF"), ElementsAre("outer.csf"));

    // Without a directory, as MFC's default, the current one is searched.
    const CurrentDirectoryGuard guard;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    EXPECT_THAT(findAll("*.CSF"), ElementsAre("outer.csf"));
    CFileFind finder;
    ASSERT_NE(finder.FindFile(), FALSE);
}

TEST(CFileFind, NewSearchReplacesTheOpenOne) {
    TempDir first;
    TempDir second;
    first.write("a.csf", "");
    first.write("b.csf", "");
    second.write("c.csf", "");

    CFileFind finder;
    ASSERT_NE(finder.FindFile((first.path() + "\\*.csf").c_str()), FALSE);
    ASSERT_NE(finder.FindNextFile(), FALSE);
    ASSERT_NE(finder.FindFile((second.path() + "\\*.csf").c_str()), FALSE);
    EXPECT_EQ(finder.FindNextFile(), FALSE);
    EXPECT_EQ(finder.GetFileName(), "c.csf");
}

} // namespace
