// The two combo boxes of the main window, driven by their messages: the sorted
// drop-down combo of command sets (1017) and the drop-down list of rates (1013).

#include "WindowTestSupport.h"

#include <gtest/gtest.h>

using namespace wintest;
using Strings = std::vector<std::string>;

namespace {

class ComboBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        combo = dlg.GetDlgItem(IDC_COMMAND_SET_LIST)->m_hWnd;
        list = dlg.GetDlgItem(IDC_BAUD_LIST)->m_hWnd;
    }

    // Entries added out of order; the box holds ALPHA alphabet BET BETA GAMMA.
    void fill() {
        for (const char* name : {"BETA", "GAMMA", "alphabet", "BET", "ALPHA"})
            addString(combo, name);
        ASSERT_EQ(entries(combo), (Strings{"ALPHA", "alphabet", "BET", "BETA", "GAMMA"}));
    }

    sim::Session session{&veltranResources()};
    CDialog dlg{IDD_DOWNLOAD_DIALOG};
    HWND combo = nullptr;
    HWND list = nullptr;
};

TEST_F(ComboBoxes, SortedBoxInsertsIgnoringCaseAndPutsANameBeforeItsLongerForms) {
    const struct {
        const char* what;
        Strings added;
        Strings sorted;
    } cases[] = {
        {"case is ignored", {"b", "C", "a"}, {"a", "b", "C"}},
        {"a name before the names it begins", {"COM10", "COM1", "COM"}, {"COM", "COM1", "COM10"}},
        {"also when the case differs", {"com1x", "COM1", "Com"}, {"Com", "COM1", "com1x"}},
        {"digits compare as characters", {"COM2", "COM10", "COM1"}, {"COM1", "COM10", "COM2"}},
        {"bytes above 0x7F after the letters",
         {"\xC4RGER", "ZULU", "ALPHA"},
         {"ALPHA", "ZULU", "\xC4RGER"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        send(combo, CB_RESETCONTENT);
        for (const std::string& name : c.added) {
            const LRESULT at = addString(combo, name.c_str());
            ASSERT_GE(at, 0);
            EXPECT_EQ(entries(combo)[static_cast<std::size_t>(at)], name)
                << "the index returned for " << name;
        }
        EXPECT_EQ(entries(combo), c.sorted);
    }
}

TEST_F(ComboBoxes, UnsortedListKeepsTheOrderOfAdding) {
    EXPECT_EQ(entries(list), (Strings{"2400", "4800", "9600", "19200"}));
    EXPECT_EQ(addString(list, "1200"), 4);
    EXPECT_EQ(entries(list).back(), "1200");
}

TEST_F(ComboBoxes, SelectStringPicksTheFirstEntryBeginningWithTheTextAndShowsItWhole) {
    fill();
    const struct {
        int start;
        const char* prefix;
        LRESULT found; // also the selection afterwards; CB_ERR leaves it at 3
        const char* shown;
    } cases[] = {
        {-1, "alp", 0, "ALPHA"},
        {-1, "ALPHAB", 1, "alphabet"},
        {-1, "bEt", 2, "BET"}, // from the top, not from the selection
        {-1, "beta", 3, "BETA"},
        {-1, "g", 4, "GAMMA"},
        {-1, "alphabets", CB_ERR, "typed"},
        {-1, "LPHA", CB_ERR, "typed"},
        {0, "alp", 1, "alphabet"}, // a start index searches after it, wrapping round
        {1, "alp", 0, "ALPHA"},
        {4, "gam", 4, "GAMMA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.prefix) + " from " + std::to_string(c.start));
        send(combo, CB_SETCURSEL, 3);
        setText(combo, "typed");
        EXPECT_EQ(send(combo, CB_SELECTSTRING, static_cast<WPARAM>(c.start),
                       reinterpret_cast<LPARAM>(c.prefix)),
                  c.found);
        EXPECT_EQ(selection(combo), c.found == CB_ERR ? 3 : c.found);
        EXPECT_EQ(text(combo), c.shown);
    }
}

TEST_F(ComboBoxes, SetCurSelOutsideTheEntriesLeavesNothingSelected) {
    fill();
    for (int index : {-1, 5, 6, 1000}) {
        SCOPED_TRACE(index);
        for (HWND box : {combo, list}) {
            ASSERT_EQ(send(box, CB_SETCURSEL, 1), 1);
            EXPECT_EQ(send(box, CB_SETCURSEL, static_cast<WPARAM>(index)), CB_ERR);
            EXPECT_EQ(selection(box), CB_ERR);
        }
        EXPECT_EQ(text(list), "");
    }
    send(combo, CB_SETCURSEL, 1);
    send(combo, CB_SETCURSEL, static_cast<WPARAM>(-1));
    EXPECT_EQ(text(combo), "");
}

TEST_F(ComboBoxes, EditTextIsIndependentOfTheSelection) {
    fill();
    ASSERT_EQ(send(combo, CB_SETCURSEL, 2), 2);
    EXPECT_EQ(text(combo), "BET");

    setText(combo, "something else");
    EXPECT_EQ(text(combo), "something else");
    EXPECT_EQ(selection(combo), 2);
    EXPECT_EQ(entries(combo)[2], "BET");

    // A new selection puts its entry's text into the field again.
    send(combo, CB_SETCURSEL, 4);
    EXPECT_EQ(text(combo), "GAMMA");

    // A list without an edit field shows its selected entry and takes no text.
    send(list, CB_SETCURSEL, 2);
    setText(list, "free text");
    EXPECT_EQ(text(list), "9600");
}

TEST_F(ComboBoxes, ResetContentEmptiesTheListAndTheEditField) {
    fill();
    send(combo, CB_SETCURSEL, 1);
    EXPECT_NE(send(combo, CB_RESETCONTENT), CB_ERR);
    EXPECT_EQ(send(combo, CB_GETCOUNT), 0);
    EXPECT_EQ(selection(combo), CB_ERR);
    EXPECT_EQ(text(combo), "");
    EXPECT_EQ(send(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("")),
              CB_ERR);
    EXPECT_EQ(addString(combo, "ZULU"), 0);
}

} // namespace
