// The command set reader against small files written by each test: what reaches
// the buffer, which lines become records, and what a read leaves behind.

#include "ui/DownloadDlg.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace std::string_literals;

namespace {

// The window is large (the buffer and the tables are members); it lives on the heap.
class CommandSetReader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::chdir(m_dir.path().c_str()), 0); }

    int load(const std::string& name, const std::string& bytes) {
        m_dir.write(name, bytes);
        return m_dlg->LoadCommandSet(CString(name.c_str()));
    }

    std::vector<std::string> records() const {
        std::vector<std::string> kept;
        for (int i = 0; i < m_dlg->m_nRecordCount; ++i)
            kept.push_back(m_dlg->m_records[i].str());
        return kept;
    }

    std::string buffer() const {
        return std::string(reinterpret_cast<const char*>(m_dlg->m_fileBuf), m_dlg->m_nFileLen);
    }

    CurrentDirectoryGuard m_guard;
    TempDir m_dir;
    std::unique_ptr<CDownloadDlg> m_dlg = std::make_unique<CDownloadDlg>();
};

struct FileCase {
    const char* what;
    std::string onDisk;
    std::string delivered; // what the buffer holds afterwards
    std::vector<std::string> kept;
};

TEST_F(CommandSetReader, BuffersTheDeliveredBytesAndKeepsTheRecordsTheDisplayTakes) {
    const FileCase cases[] = {
        {"empty file", "", "", {}},
        {"CR LF line ends",
         ":0400000011223344AA\r\n:00000001FF\r\n",
         ":0400000011223344AA\n:00000001FF\n",
         {":0400000011223344AA\n", ":00000001FF\n"}},
        {"CR only line ends",
         ":0400000011223344AA\r:00000001FF\r",
         ":0400000011223344AA\r:00000001FF\r",
         {}},
        {"CR CR LF keeps one CR in the record",
         ":00000001FF\r\r\n",
         ":00000001FF\r\n",
         {":00000001FF\r\n"}},
        {"0xFF in the middle of a line ends the data",
         ":0400000011223344AA\n:04001000\xFF"
         "1223344AA\n:00000001FF\n",
         ":0400000011223344AA\n:04001000",
         {":0400000011223344AA\n"}},
        {"0x1A in the middle of a line ends the data",
         ":0400000011223344AA\n:04001000\x1A"
         "1223344AA\n:00000001FF\n",
         ":0400000011223344AA\n:04001000",
         {":0400000011223344AA\n"}},
        {"0xFF right after a line feed",
         ":00000001FF\n\xFF:00000001FF\n",
         ":00000001FF\n",
         {":00000001FF\n"}},
        {"final line without a line feed",
         ":0400000011223344AA\n:00000001FF",
         ":0400000011223344AA\n:00000001FF",
         {":0400000011223344AA\n"}},
        {"only line without a line feed", ":00000001FF", ":00000001FF", {}},
        {"records keep their file order among dropped lines",
         ":020000040000FA\n:04100000AABBCCDDEE\n:04300000AABBCCDDEE\n:04000000AABBCCDDEE\n"
         "\n:00000001FF\n",
         ":020000040000FA\n:04100000AABBCCDDEE\n:04300000AABBCCDDEE\n:04000000AABBCCDDEE\n"
         "\n:00000001FF\n",
         {":04100000AABBCCDDEE\n", ":04000000AABBCCDDEE\n", ":00000001FF\n"}},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        m_dlg = std::make_unique<CDownloadDlg>();
        ASSERT_EQ(load("SET.CSF", c.onDisk), 1);
        EXPECT_EQ(buffer(), c.delivered);
        EXPECT_EQ(records(), c.kept);
        EXPECT_FALSE(m_dlg->m_bTooLarge);
    }
}

struct LineCase {
    const char* what;
    std::string line; // one line, its line feed included
    bool kept;
};

TEST_F(CommandSetReader, KeepsEndOfFileRecordsAndDataRecordsBelowTheAddressLimit) {
    const LineCase cases[] = {
        {"data at 0000", ":1000000000112233445566778899AABBCCDDEEFF78\n", true},
        {"data at 2E70", ":102E7000AABB\n", true},
        {"data at 2E7F", ":012E7F00AA\n", true},
        {"data at 2E80", ":102E8000AABB\n", false},
        {"data at 2E8F", ":012E8F00AA\n", false},
        {"data at FFF0", ":10FFF000AABB\n", false},
        {"end of file at 0000", ":00000001FF\n", true},
        {"end of file at FFFF", ":00FFFF01FF\n", true},
        {"end of file at 2E80", ":002E8001FF\n", true},
        {"extended segment address", ":020000021000EC\n", false},
        {"start segment address", ":0400000300003800C1\n", false},
        {"extended linear address", ":020000040800F2\n", false},
        {"start linear address", ":04000005000000CD2A\n", false},
        {"type 10", ":04000010AABBCCDD\n", false},
        {"type 0A", ":0400000AAABBCCDD\n", false},
        {"blank line", "\n", false},
        {"eight bytes before the line feed", ":0000000\n", false},
        {"three bytes before the line feed", ":01\n", false},
        {"nine bytes before the line feed, end of file", ":00000001\n", true},
        {"nine bytes before the line feed, data", ":00000000\n", true},
        {"no start code", "X0400000011223344AA\n", true},
        {"NUL inside a kept line",
         ":04000000\0"
         "1223344AA\n"s,
         true},
        {"spaces for the address give a negative value", ":04   00011223344AA\n", true},
        {"'/' for the address gives a negative value", ":04///00011223344AA\n", true},
        {"spaces for the address, type 04", ":04   00411223344AA\n", false},
        // Lower-case digits count by their value.
        {"data at 1f00", ":101f0000AABB\n", true},
        {"data at 2e00", ":102e0000AABB\n", true},
        {"data at 2e7f", ":012e7f00AA\n", true},
        {"data at 0a00", ":100a0000AABB\n", true},
        {"data at 2e80", ":102e8000AABB\n", false},
        {"data at fff0", ":10fff000AABB\n", false},
        {"data at 2E7f, last digit not looked at", ":012E7f00AA\n", true},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(load("LINE.CSF", c.line), 1);
        EXPECT_EQ(buffer(), c.line);
        EXPECT_EQ(records(),
                  c.kept ? std::vector<std::string>{c.line} : std::vector<std::string>{});
    }
}

TEST(HexDigit, ReadsTheByteValueByTheDigitRule) {
    const struct {
        char c;
        int value;
    } cases[] = {
        {'0', 0},
        {'9', 9},
        {':', 3},
        {'A', 10},
        {'F', 15},
        {'a', 42},
        {'f', 47},
        {'\0', -48},
        {' ', -16},
        {'/', -1},
        {static_cast<char>(0xFF), 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDownloadDlg::HexDigit(c.c), c.value)
            << "byte " << int(static_cast<unsigned char>(c.c));
}

std::string numberedRecords(int count) {
    std::string file;
    for (int i = 0; i < count; ++i)
        file += ":04000000" + std::to_string(100000 + i) + "\n";
    return file;
}

TEST_F(CommandSetReader, AShorterFileLeavesTheLaterEntriesOfTheLongerOne) {
    ASSERT_EQ(load("LONG.CSF", numberedRecords(20)), 1);
    const std::vector<std::string> first = records();
    ASSERT_EQ(first.size(), 20u);

    ASSERT_EQ(load("SHORT.CSF", ":00000001FF\n"s + ":00000001FF\n"), 1);
    EXPECT_EQ(m_dlg->m_nRecordCount, 2);
    EXPECT_EQ(m_dlg->m_records[0].str(), ":00000001FF\n");
    EXPECT_EQ(m_dlg->m_records[1].str(), ":00000001FF\n");
    for (int i = 2; i < 20; ++i)
        EXPECT_EQ(m_dlg->m_records[i].str(), first[static_cast<std::size_t>(i)]) << "entry " << i;
    EXPECT_TRUE(m_dlg->m_records[20].IsEmpty());
}

TEST_F(CommandSetReader, AFileThatCannotBeOpenedChangesNothing) {
    ASSERT_EQ(load("GOOD.CSF", numberedRecords(3)), 1);
    const std::vector<std::string> before = records();
    const std::string bytes = buffer();
    m_dir.makeDirectory("FOLDER.CSF");

    for (const char* name : {"MISSING.CSF", "FOLDER.CSF", ""}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(m_dlg->LoadCommandSet(CString(name)), 0);
        EXPECT_EQ(records(), before);
        EXPECT_EQ(buffer(), bytes);
        EXPECT_FALSE(m_dlg->m_bTooLarge);
    }
}

TEST_F(CommandSetReader, AnUpperCasedNameFindsTheFileWrittenInAnotherCase) {
    m_dir.write("demo_a.csf", ":00000001FF\n");
    EXPECT_EQ(m_dlg->LoadCommandSet(CString("DEMO_A.CSF")), 1);
    EXPECT_EQ(records(), std::vector<std::string>{":00000001FF\n"});

    // Of several spellings the first in byte order; the exact name before any.
    m_dir.write("Demo_A.csf", ":00FFFF01FF\n");
    EXPECT_EQ(m_dlg->LoadCommandSet(CString("DEMO_A.CSF")), 1);
    EXPECT_EQ(records(), std::vector<std::string>{":00FFFF01FF\n"});
    m_dir.write("DEMO_A.CSF", ":002E8001FF\n");
    EXPECT_EQ(m_dlg->LoadCommandSet(CString("DEMO_A.CSF")), 1);
    EXPECT_EQ(records(), std::vector<std::string>{":002E8001FF\n"});
}

// A file of the given size as delivered: lines of filler the filter drops, then
// one record whose line feed is the last byte. With CR LF line ends the file on
// disk is longer than what the read delivers.
std::string fileOfSize(std::size_t size, const std::string& lineEnd = "\n") {
    const std::size_t recordBytes = 12;
    std::string file;
    std::size_t delivered = 0;
    while (delivered + 80 + recordBytes <= size) {
        file += std::string(79, 'X') + lineEnd;
        delivered += 80;
    }
    if (const std::size_t rest = size - recordBytes - delivered; rest > 0)
        file += std::string(rest - 1, 'X') + lineEnd;
    return file + ":00000001FF" + lineEnd;
}

TEST_F(CommandSetReader, StopsAtTheBufferAndTheRecordTableAndMarksTheFileTooLarge) {
    const std::string keptPlusDropped = numberedRecords(1200) + ":020000040000FA\n";
    const struct {
        const char* what;
        std::string onDisk;
        DWORD fileLen;
        int count;
        bool tooLarge;
    } cases[] = {
        {"65,536 bytes", fileOfSize(65536), 65536, 1, false},
        {"65,537 bytes", fileOfSize(65537), 65536, 0, true},
        {"more on disk, 65,536 bytes after CR LF", fileOfSize(65536, "\r\n"), 65536, 1, false},
        {"1,200 records", numberedRecords(1200), 1200 * 16, 1200, false},
        {"1,200 records and a dropped line", keptPlusDropped,
         static_cast<DWORD>(keptPlusDropped.size()), 1200, false},
        {"1,201 records", numberedRecords(1201), 1201 * 16, 1200, true},
    };
    ASSERT_GT(cases[2].onDisk.size(), 65536u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(load("BIG.CSF", c.onDisk), 1);
        EXPECT_EQ(m_dlg->m_nFileLen, c.fileLen);
        EXPECT_EQ(m_dlg->m_nRecordCount, c.count);
        EXPECT_EQ(m_dlg->m_bTooLarge, c.tooLarge ? TRUE : FALSE);
        if (c.count == 1) {
            EXPECT_EQ(m_dlg->m_records[0].str(), ":00000001FF\n");
        }
        if (c.count == 1200) {
            EXPECT_EQ(m_dlg->m_records[1199].str(), ":04000000101199\n");
        }
    }

    // The mark belongs to one read: the next file that fits clears it.
    ASSERT_TRUE(m_dlg->m_bTooLarge);
    ASSERT_EQ(load("SMALL.CSF", ":00000001FF\n"), 1);
    EXPECT_FALSE(m_dlg->m_bTooLarge);
}

} // namespace
