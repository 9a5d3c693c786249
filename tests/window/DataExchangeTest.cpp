// The main window's bindings in both directions, on a window created from
// template 102 without the start-up sequence (that would run Port Setup).

#include "WindowTestSupport.h"

#include "platform/window/DialogWindow.h"
#include "platform/window/ProgressBar.h"
#include "ui/DownloadDlg.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;
using Strings = std::vector<std::string>;

namespace {

class BareMainWindow : public CDownloadDlg {
public:
    using CDownloadDlg::DoDataExchange;
    BOOL OnInitDialog() override { return CDialog::OnInitDialog(); }
    void load() {
        CDataExchange dx(this, FALSE);
        DoDataExchange(&dx);
    }
    void save() {
        CDataExchange dx(this, TRUE);
        DoDataExchange(&dx);
    }
};

class MainWindowExchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg->Create()); }

    HWND control(int id) { return dlg->dialogWindow()->control(id); }

    // Entries added out of order; the list holds alpha ALPHABET BETA10 BETA2 GAMMA.
    void fillCommandSets() {
        for (const char* name : {"GAMMA", "BETA2", "alpha", "BETA10", "ALPHABET"})
            addString(control(IDC_COMMAND_SET_LIST), name);
        ASSERT_EQ(entries(control(IDC_COMMAND_SET_LIST)),
                  (Strings{"alpha", "ALPHABET", "BETA10", "BETA2", "GAMMA"}));
    }

    sim::Session session{&veltranResources()};
    std::unique_ptr<BareMainWindow> dlg = std::make_unique<BareMainWindow>();
};

TEST_F(MainWindowExchange, FirstExchangeAttachesTheBarAndClearsTheTemplateTexts) {
    const platform::DialogTemplate& t = *veltranResources().dialog(IDD_DOWNLOAD_DIALOG);
    auto templateText = [&](int id) {
        for (const platform::ControlTemplate& c : t.controls) {
            if (c.id == id)
                return std::string(c.text);
        }
        return std::string("(no control)");
    };
    ASSERT_EQ(templateText(IDC_TOPIC), "download topic");
    ASSERT_EQ(templateText(IDC_PERCENT), "**%");
    EXPECT_EQ(std::make_unique<BareMainWindow>()->m_progress.m_hWnd, nullptr);

    EXPECT_EQ(text(control(IDC_TOPIC)), "");
    EXPECT_EQ(text(control(IDC_PERCENT)), "");
    EXPECT_EQ(text(control(IDC_PORT_NAME)), "");
    EXPECT_EQ(text(control(IDC_BAUD_TEXT)), "");
    EXPECT_EQ(entries(control(IDC_BAUD_LIST)), (Strings{"2400", "4800", "9600", "19200"}));
    EXPECT_EQ(selection(control(IDC_BAUD_LIST)), 2);
    EXPECT_EQ(text(control(IDC_BAUD_LIST)), "9600");

    ASSERT_EQ(dlg->m_progress.m_hWnd, control(IDC_PROGRESS));
    dlg->m_progress.SetRange(0, 40);
    dlg->m_progress.SetPos(25);
    const auto& bar = static_cast<const platform::ProgressBar&>(*control(IDC_PROGRESS));
    EXPECT_EQ(bar.upper(), 40);
    EXPECT_EQ(bar.position(), 25);
}

TEST_F(MainWindowExchange, ShowBaudRateShowsTheRateInForceAndRefreshesEveryBinding) {
    const struct {
        int portBaud;
        const char* shown; // an index outside 0..3 keeps the rate shown before, 4800
        int selected;
    } cases[] = {
        {0, "2400", 0},  {1, "4800", 1},   {2, "9600", 2},    {3, "19200", 3},
        {4, "4800", -1}, {-1, "4800", -1}, {100, "4800", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portBaud);
        dlg->m_nPortBaud = 1;
        dlg->ShowBaudRate();
        dlg->m_strTopic = "status line";
        dlg->m_nPortBaud = c.portBaud;
        dlg->ShowBaudRate();

        EXPECT_EQ(dlg->m_strBaud.str(), c.shown);
        EXPECT_EQ(dlg->m_nBaudSel, c.portBaud);
        EXPECT_EQ(text(control(IDC_BAUD_TEXT)), c.shown);
        EXPECT_EQ(selection(control(IDC_BAUD_LIST)), c.selected);
        EXPECT_EQ(text(control(IDC_TOPIC)), "status line");

        // The baud-rate save reads the index back from the list.
        dlg->save();
        EXPECT_EQ(dlg->m_nBaudSel, c.selected);
        dlg->m_strTopic.Empty();
    }
}

TEST_F(MainWindowExchange, PartOfACommandSetNameSelectsTheFirstEntryItBegins) {
    fillCommandSets();
    HWND list = control(IDC_COMMAND_SET_LIST);
    const struct {
        const char* name;
        int selected;
        const char* entry;
    } cases[] = {
        {"ALPHA", 0, "alpha"}, {"alphaB", 1, "ALPHABET"}, {"bEt", 2, "BETA10"},
        {"beta2", 3, "BETA2"}, {"g", 4, "GAMMA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        send(list, CB_SETCURSEL, static_cast<WPARAM>(-1));
        dlg->m_strCommandSet = c.name;
        dlg->load();
        EXPECT_EQ(selection(list), c.selected);
        EXPECT_EQ(text(list), c.entry);
        EXPECT_EQ(dlg->m_strCommandSet.str(), c.name);

        dlg->save();
        EXPECT_EQ(dlg->m_strCommandSet.str(), c.entry);
    }
}

TEST_F(MainWindowExchange, NameNoEntryBeginsWithKeepsTheSelectionAndShowsTheName) {
    fillCommandSets();
    HWND list = control(IDC_COMMAND_SET_LIST);
    for (const char* name : {"ZULU", "ALPHABETS", "ETA"}) {
        SCOPED_TRACE(name);
        send(list, CB_SETCURSEL, 3);
        dlg->m_strCommandSet = name;
        dlg->load();
        EXPECT_EQ(selection(list), 3);
        EXPECT_EQ(text(list), name);
        dlg->save();
        EXPECT_EQ(dlg->m_strCommandSet.str(), name);
    }
}

TEST_F(MainWindowExchange, SaveRightAfterLoadLeavesEveryTextFieldAsItWas) {
    fillCommandSets();
    for (const char* name : {"BETA2", "no such set"}) {
        SCOPED_TRACE(name);
        dlg->m_strPort = "\\\\.\\KTXDV1\\";
        dlg->m_strBaud = "19200";
        dlg->m_nBaudSel = 3;
        dlg->m_strTopic = " Erasing Flash ROM...... \xE9";
        dlg->m_strCommandSet = name;
        dlg->m_strPercent = "42%";
        dlg->load();
        dlg->save();
        EXPECT_EQ(dlg->m_strPort.str(), "\\\\.\\KTXDV1\\");
        EXPECT_EQ(dlg->m_strBaud.str(), "19200");
        EXPECT_EQ(dlg->m_nBaudSel, 3);
        EXPECT_EQ(dlg->m_strTopic.str(), " Erasing Flash ROM...... \xE9");
        EXPECT_EQ(dlg->m_strCommandSet.str(), name);
        EXPECT_EQ(dlg->m_strPercent.str(), "42%");
    }
}

TEST_F(MainWindowExchange, SaveTakesWhatTheControlsHold) {
    fillCommandSets();
    setText(control(IDC_PORT_NAME), "COM4");
    setText(control(IDC_BAUD_TEXT), "2400");
    send(control(IDC_BAUD_LIST), CB_SETCURSEL, 0);
    setText(control(IDC_TOPIC), "Command set ALPHA");
    send(control(IDC_COMMAND_SET_LIST), CB_SETCURSEL, 2);
    setText(control(IDC_COMMAND_SET_LIST), "typed name");
    setText(control(IDC_PERCENT), "7%");
    HWND bar = dlg->m_progress.m_hWnd;

    CDataExchange dx(dlg.get(), TRUE);
    dlg->DoDataExchange(&dx);
    EXPECT_EQ(dlg->m_strPort.str(), "COM4");
    EXPECT_EQ(dlg->m_strBaud.str(), "2400");
    EXPECT_EQ(dlg->m_nBaudSel, 0);
    EXPECT_EQ(dlg->m_strTopic.str(), "Command set ALPHA");
    EXPECT_EQ(dlg->m_strCommandSet.str(), "typed name"); // the edit field, not the selected entry
    EXPECT_EQ(dlg->m_strPercent.str(), "7%");
    EXPECT_EQ(dlg->m_progress.m_hWnd, bar);

    // The same context, turned round, loads the fields again.
    dlg->m_strTopic = "Erasing Flash ROM......";
    dx.m_bSaveAndValidate = FALSE;
    dlg->DoDataExchange(&dx);
    EXPECT_EQ(text(control(IDC_TOPIC)), "Erasing Flash ROM......");
    EXPECT_EQ(text(control(IDC_COMMAND_SET_LIST)), "typed name");
}

} // namespace
