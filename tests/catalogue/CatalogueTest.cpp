// The catalogue over real directories: what the list shows, the file table
// behind it, the default choice, and that each list position downloads its file.

#include "tests/support/CommandSetFixtures.h"
#include "tests/support/MainWindowHarness.h"
#include "ui/Messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

namespace {

struct DirectoryCase {
    const char* name;
    std::vector<std::string> files;   // written with a command set of their own
    std::vector<std::string> folders; // subdirectories
    std::vector<std::string> list;    // the entries shown, in order
    std::vector<std::string> table;   // the file table behind them
    std::string chosen;               // m_strCommandSet and the edit field
    int selection;
};

const std::vector<DirectoryCase> directoryCases{
    {"PrefixSortsFirst", {"AB_1.CSF", "A_1.CSF"}, {}, {"A", "AB"}, {"A_1.CSF", "AB_1.CSF"}, "A", 0},
    {"KtxIsTheDefault",
     {"KTX.CSF", "KTX_1.CSF"},
     {},
     {"KTX", "KTX.CSF"},
     {"KTX_1.CSF", "KTX.CSF"},
     "KTX",
     0},
    {"LowerCaseNamesAreUpperCased",
     {"ktx_abc.csf", "B_1.CSF"},
     {},
     {"B", "KTX"},
     {"B_1.CSF", "KTX_ABC.CSF"},
     "KTX",
     1},
    {"KtxDotCsfAloneIsNoDefault", {"KTX.CSF"}, {}, {"KTX.CSF"}, {"KTX.CSF"}, "KTX.CSF", 0},
    {"OnlyTheExtensionCounts",
     {"X.CSF.BAK", "X.CS", "XCSF", "X.csf"},
     {},
     {"X.CSF"},
     {"X.CSF"},
     "X.CSF",
     0},
    {"LeadingUnderscoreGivesAnEmptyName",
     {"_HIDDEN.CSF", "B_1.CSF"},
     {},
     {"", "B"},
     {"_HIDDEN.CSF", "B_1.CSF"},
     "",
     0},
    {"SubdirectoryIsListed", {"A_1.CSF"}, {"Y_1.CSF"}, {"A", "Y"}, {"A_1.CSF", "Y_1.CSF"}, "A", 0},
    {"TwoKtxEntriesSelectTheUpper",
     {"KTX_2.CSF", "KTX_1.CSF"},
     {},
     {"KTX", "KTX"},
     {"KTX_1.CSF", "KTX_2.CSF"},
     "KTX",
     0},
    {"EmptyDirectory", {}, {}, {}, {}, "", -1},
};

// Each file holds two records tagged after its place in the case, so the bytes
// sent tell which file was read.
std::string contentOf(std::size_t fileIndex) {
    return fixtures::join(
        fixtures::commandSetRecords(2, 4, static_cast<std::uint8_t>(16 * fileIndex)));
}

void populate(MainWindowHarness& h, const DirectoryCase& c) {
    for (std::size_t i = 0; i < c.files.size(); ++i)
        h.write(c.files[i], contentOf(i));
    for (const std::string& folder : c.folders)
        h.dir.makeDirectory(folder);
}

void PrintTo(const DirectoryCase& c, std::ostream* os) {
    *os << c.name;
}

class Catalogue : public testing::TestWithParam<DirectoryCase> {};

TEST_P(Catalogue, ListsTheFilesInTheListsOwnOrder) {
    const DirectoryCase& c = GetParam();
    MainWindowHarness h;
    populate(h, c);
    h.start("COM2", 1);

    std::vector<std::string> shown;
    for (const CString& item : h.commandSetList().items())
        shown.push_back(item.str());
    EXPECT_EQ(shown, c.list);
    std::vector<std::string> table;
    for (int i = 0; i < CDownloadDlg::kFileTableSize && !h.dlg->m_fileNames[i].IsEmpty(); ++i)
        table.push_back(h.dlg->m_fileNames[i].str());
    EXPECT_EQ(table, c.table);
    EXPECT_EQ(h.dlg->m_strCommandSet, c.chosen.c_str());
    EXPECT_EQ(h.commandSetList().windowText(), c.chosen.c_str());
    EXPECT_EQ(h.commandSetList().selection(), c.selection);
    // The default changes no other field: the port chosen at start-up stays.
    EXPECT_EQ(h.control(IDC_PORT_NAME).windowText(), "COM2");
    EXPECT_EQ(h.control(IDC_BAUD_TEXT).windowText(), "4800");
    EXPECT_THAT(h.messages(), IsEmpty());
}

// List position i leads to file-table entry i: choosing each entry downloads
// exactly that file's records (a subdirectory cannot be loaded).
TEST_P(Catalogue, EachEntryDownloadsTheFileAtItsPosition) {
    const DirectoryCase& c = GetParam();
    MainWindowHarness h;
    populate(h, c);
    h.start();

    for (std::size_t i = 0; i < c.list.size(); ++i) {
        h.device.reset();
        h.commandSetList().pick(static_cast<int>(i));
        h.dlg->OnStartDownload();
        h.session.runUntilIdle();
        const std::string file = c.table[i];
        if (std::find(c.folders.begin(), c.folders.end(), file) != c.folders.end()) {
            EXPECT_EQ(h.messages().back(), "The command set <" + c.list[i] + "> can't be found !!");
            EXPECT_TRUE(h.device.writes().empty());
            continue;
        }
        // The file on disk behind the upper-cased table entry.
        std::size_t onDisk = c.files.size();
        for (std::size_t f = 0; f < c.files.size(); ++f) {
            if (CString(c.files[f].c_str()).MakeUpper() == file.c_str())
                onDisk = f;
        }
        ASSERT_LT(onDisk, c.files.size()) << file;
        EXPECT_EQ(h.device.bytesWritten().substr(8), contentOf(onDisk))
            << "entry " << i << " (" << file << ")";
        EXPECT_EQ(h.messages().back(), messages::kDownloadCompleted);
    }
}

INSTANTIATE_TEST_SUITE_P(Directories, Catalogue, testing::ValuesIn(directoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Beyond 200 files the first 200 found are listed, list and table in step, and
// the operator is told once.
TEST(CatalogueLimits, ListsTheFirstTwoHundredFiles) {
    MainWindowHarness h;
    for (int i = 0; i < 201; ++i)
        h.write("SET" + std::to_string(1000 + i) + "_A.CSF",
                fixtures::join(fixtures::commandSetRecords(1)));
    h.start();
    EXPECT_THAT(h.messages(), ElementsAre(messages::kCatalogueTruncated));
    const auto& items = h.commandSetList().items();
    ASSERT_EQ(items.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(h.dlg->DisplayName(h.dlg->m_fileNames[i]), items[static_cast<std::size_t>(i)])
            << i;
    for (int i = 1; i < 200; ++i)
        EXPECT_LT(h.dlg->m_fileNames[i - 1].Compare(h.dlg->m_fileNames[i]), 0);
}

TEST(CatalogueLimits, CurrentDirectoryThatIsGoneShowsOnlyTheMessage) {
    MainWindowHarness h;
    h.write("KTX_A.CSF", fixtures::join(fixtures::commandSetRecords(2)));
    const std::string gone = h.dir.makeDirectory("gone");
    ASSERT_EQ(::chdir(gone.c_str()), 0);
    ASSERT_EQ(::rmdir(gone.c_str()), 0);
    h.session.driver().onDialog(IDD_PORT_SETUP, {sim::ok()});
    h.dlg = std::make_unique<CDownloadDlg>();
    h.dlg->Create();
    EXPECT_THAT(h.messages(), ElementsAre(messages::kNoCurrentDirectory));
    EXPECT_TRUE(h.commandSetList().items().empty());
    EXPECT_EQ(h.dlg->m_strCommandSet, "");
    EXPECT_EQ(h.commandSetList().selection(), -1);
}

TEST(CatalogueSort, OrdersByDisplayNameThenWholeNameAndHandlesNoCount) {
    CDownloadDlg dlg;
    CString names[] = {"B_2.CSF", "a_9.CSF", "B_1.CSF", "AB.CSF", "A_1.CSF", "\xE9_1.CSF", "Z.CSF"};
    dlg.SortFileNames(names, 0);
    EXPECT_EQ(names[0], "B_2.CSF");
    dlg.SortFileNames(names, 7);
    // Case is ignored for the display name, bytes decide among equals, and bytes
    // beyond ASCII sort after every ASCII letter.
    const char* expected[] = {"A_1.CSF", "a_9.CSF", "AB.CSF",    "B_1.CSF",
                              "B_2.CSF", "Z.CSF",   "\xE9_1.CSF"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(names[i], expected[i]) << i;
}

} // namespace
