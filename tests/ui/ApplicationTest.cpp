// The whole program on the sim driver, from InitInstance to its end, with the
// operator scripted: start-up, the Port Setup dialog, the shell's handlers, the
// baud-rate save and the stand-alone erase.

#include "link/DisplaySequences.h"
#include "platform/comm/Comm.h"
#include "platform/window/Timers.h"
#include "platform/window/WinApp.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/MainWindowHarness.h"
#include "ui/DownloadApp.h"
#include "ui/Messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

using platform::Microseconds;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr Microseconds ms = 1000;

class Application : public testing::Test {
protected:
    MainWindowHarness h;
    CDownloadApp app;
    int returned = -1;

    void SetUp() override {
        h.write("KTX_DEMO.CSF", fixtures::join(fixtures::commandSetRecords(12)));
        ASSERT_EQ(::chdir(h.dir.path().c_str()), 0);
    }

    // Runs the program with these answers to Port Setup and these steps in the main window.
    sim::Outcome run(sim::Script portSetup, sim::Script mainWindow = {sim::closeBox()}) {
        h.session.driver().onDialog(IDD_PORT_SETUP, std::move(portSetup));
        h.session.driver().onDialog(IDD_DOWNLOAD_DIALOG, std::move(mainWindow));
        return h.session.run([&] { returned = runApplication(app, "/opt/tools/veltran"); });
    }

    static CDownloadDlg& main(CWnd* w) { return *static_cast<CDownloadDlg*>(w); }
    static platform::Window& control(CWnd* w, int id) {
        return *main(w).dialogWindow()->control(id);
    }

    std::vector<UINT> dialogsShown() {
        std::vector<UINT> ids;
        for (const auto& shown : h.session.driver().dialogsShown())
            ids.push_back(shown.templateId);
        return ids;
    }
};

struct PortChoice {
    const char* name;
    sim::Script script;
    const char* port;
    int baud;
};

void PrintTo(const PortChoice& c, std::ostream* os) {
    *os << c.name;
}

class PortSetupAnswers : public Application, public testing::WithParamInterface<PortChoice> {};

TEST_P(PortSetupAnswers, ReachTheMainWindowAndThePort) {
    CString port;
    int baud = -1;
    const sim::Outcome outcome = run(GetParam().script, {sim::inspect([&](CWnd* w) {
                                                             port = main(w).m_strPort;
                                                             baud = main(w).m_nPortBaud;
                                                         }),
                                                         sim::closeBox()});
    EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned);
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(port, GetParam().port);
    EXPECT_EQ(baud, GetParam().baud);
    // The probe opened exactly the name given.
    ASSERT_FALSE(h.device.events().empty());
    EXPECT_EQ(h.device.events().front().name, GetParam().port);
    EXPECT_THAT(h.messages(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PortSetupAnswers,
    testing::Values(
        PortChoice{"OkAtOnce", {sim::ok()}, "COM1", 2},
        PortChoice{"TypedLowerCase", {sim::type(IDC_SETUP_PORT, "com3 "), sim::ok()}, "com3 ", 2},
        PortChoice{"DriverEntry", {sim::pick(IDC_SETUP_PORT, 1), sim::ok()}, "\\\\.\\KTXDV1\\", 2},
        PortChoice{"RateAndEnter",
                   {sim::pick(IDC_SETUP_PORT, 9), sim::pick(IDC_SETUP_BAUD, 0),
                    sim::key(platform::Key::Enter)},
                   "COM7",
                   0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Application, AnythingButOkInPortSetupEndsAtOnceWithoutAWord) {
    for (sim::Script answer :
         {sim::Script{sim::click(IDCANCEL)}, sim::Script{sim::key(platform::Key::Escape)},
          sim::Script{sim::closeBox()}}) {
        MainWindowHarness fresh;
        CDownloadApp another;
        fresh.session.driver().onDialog(IDD_PORT_SETUP, answer);
        const sim::Outcome outcome = fresh.session.run([&] { runApplication(another, "veltran"); });
        EXPECT_TRUE(outcome.exited(0));
        EXPECT_TRUE(fresh.messages().empty());
        ASSERT_EQ(fresh.session.driver().dialogsShown().size(), 1u);
        EXPECT_EQ(fresh.session.driver().dialogsShown()[0].templateId, IDD_PORT_SETUP);
        EXPECT_TRUE(fresh.device.events().empty());
    }
}

TEST_F(Application, PortThatCannotBeOpenedEndsTheRunAfterTheMessage) {
    h.device.refuseOpens(platform::DeviceError::NotFound);
    const sim::Outcome outcome = run({sim::type(IDC_SETUP_PORT, "COM9"), sim::ok()});
    EXPECT_TRUE(outcome.exited(0));
    EXPECT_THAT(h.messages(), ElementsAre(messages::kCannotOpenPort));
    EXPECT_EQ(h.session.driver().messageBoxes()[0].caption, "veltran");
    EXPECT_THAT(dialogsShown(), ElementsAre(IDD_PORT_SETUP));
}

TEST_F(Application, BaudControlsAreOfferedOnlyForSerialPortNames) {
    struct Case {
        const char* port;
        bool serial;
    };
    for (const Case& c : {Case{"LPT1", false}, Case{"\\\\.\\KTXDV2\\", false}, Case{"com3", false},
                          Case{"COM3", true}}) {
        MainWindowHarness fresh;
        CDownloadApp another;
        fresh.session.driver().onDialog(IDD_PORT_SETUP,
                                        {sim::type(IDC_SETUP_PORT, c.port), sim::ok()});
        fresh.session.driver().onDialog(
            IDD_DOWNLOAD_DIALOG,
            {sim::inspect([&](CWnd* w) {
                 for (int id :
                      {IDC_BAUD_LIST, IDC_SAVE_TO_DISPLAY, IDC_BAUD_GROUP, IDC_BAUD_TEXT}) {
                     EXPECT_EQ(control(w, id).isVisible(), c.serial) << c.port << " " << id;
                     EXPECT_EQ(control(w, id).isEnabled(), c.serial) << c.port << " " << id;
                 }
                 for (int id : {IDC_PORT_NAME, IDC_COMMAND_SET_LIST, IDC_START_DOWNLOAD})
                     EXPECT_TRUE(control(w, id).isVisible()) << id;
                 EXPECT_EQ(control(w, IDC_PORT_NAME).windowText(), c.port);
             }),
             sim::closeBox()});
        const sim::Outcome outcome = fresh.session.run([&] { runApplication(another, "veltran"); });
        EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
    }
}

TEST_F(Application, OpensShowingThePortAndRateChosen) {
    run({sim::type(IDC_SETUP_PORT, "COM3"), sim::pick(IDC_SETUP_BAUD, 3), sim::ok()},
        {sim::inspect([&](CWnd* w) {
             EXPECT_EQ(control(w, IDC_PORT_NAME).windowText(), "COM3");
             EXPECT_EQ(control(w, IDC_BAUD_TEXT).windowText(), "19200");
             EXPECT_EQ(static_cast<platform::ComboBox&>(control(w, IDC_BAUD_LIST)).selection(), 3);
             EXPECT_FALSE(control(w, IDC_PROGRESS).isVisible());
             EXPECT_EQ(main(w).dialogWindow()->focus(), &control(w, IDC_EXIT));
             EXPECT_EQ(control(w, IDC_TOPIC).windowText(), "");
             EXPECT_EQ(control(w, IDC_PERCENT).windowText(), "");
         }),
         sim::closeBox()});
    // The probe configured the port at the chosen rate, then closed it again.
    ASSERT_TRUE(h.device.lastDcb().has_value());
    EXPECT_EQ(h.device.lastDcb()->BaudRate, 19200u);
    EXPECT_FALSE(h.device.isOpen());
}

TEST_F(Application, AboutBoxFromTheSystemMenuWhileATransferGoesOn) {
    std::size_t writesWhenAboutOpened = 0;
    h.session.driver().onDialog(IDD_ABOUTBOX, {sim::inspect([&](CWnd*) {
                                                   writesWhenAboutOpened = h.device.writes().size();
                                               }),
                                               sim::wait(300), sim::ok()});
    const sim::Outcome outcome =
        run({sim::ok()}, {sim::inspect([&](CWnd* w) {
                              const auto& items = main(w).dialogWindow()->systemMenu().items();
                              ASSERT_GE(items.size(), 2u);
                              EXPECT_TRUE(items[items.size() - 2].isSeparator());
                              EXPECT_EQ(items.back().text, "&About Veltran...");
                              EXPECT_EQ(items.back().id, IDM_ABOUTBOX);
                          }),
                          sim::click(IDC_START_DOWNLOAD), sim::sysCommand(IDM_ABOUTBOX),
                          sim::wait(1000), sim::closeBox()});
    EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
    EXPECT_THAT(dialogsShown(), ElementsAre(IDD_PORT_SETUP, IDD_DOWNLOAD_DIALOG, IDD_ABOUTBOX));
    // Records kept going out while the About box was open, and the set completed.
    const auto& about = h.session.driver().dialogsShown()[2];
    std::size_t duringAbout = 0;
    for (const auto& write : h.device.writes()) {
        if (write.start > about.time && write.start < about.time + 300 * ms)
            ++duringAbout;
    }
    EXPECT_GT(duringAbout, 3u);
    EXPECT_THAT(h.messages(), ElementsAre(messages::kDownloadCompleted));
}

TEST_F(Application, AboutBoxClosesWithOkEscapeOrItsCloseBox) {
    for (sim::Script close : {sim::Script{sim::ok()}, sim::Script{sim::key(platform::Key::Escape)},
                              sim::Script{sim::closeBox()}})
        h.session.driver().onDialog(IDD_ABOUTBOX, close);
    const sim::Outcome outcome =
        run({sim::ok()}, {sim::sysCommand(IDM_ABOUTBOX), sim::sysCommand(IDM_ABOUTBOX),
                          sim::sysCommand(IDM_ABOUTBOX), sim::closeBox()});
    EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
    EXPECT_THAT(dialogsShown(), ElementsAre(IDD_PORT_SETUP, IDD_DOWNLOAD_DIALOG, IDD_ABOUTBOX,
                                            IDD_ABOUTBOX, IDD_ABOUTBOX));
}

TEST_F(Application, ExitDuringATransferEndsAtOnceLeavingThePortAsItIs) {
    const sim::Outcome outcome =
        run({sim::ok()}, {sim::click(IDC_START_DOWNLOAD), sim::wait(100), sim::click(IDC_EXIT)});
    EXPECT_TRUE(outcome.exited(0));
    EXPECT_TRUE(h.device.isOpen());
    EXPECT_TRUE(h.device.dtr());
    EXPECT_THAT(h.messages(), IsEmpty());
}

TEST_F(Application, EnterAwayFromAButtonPressesExit) {
    const sim::Outcome outcome =
        run({sim::ok()}, {sim::key(platform::Key::Tab), sim::key(platform::Key::Enter)});
    EXPECT_TRUE(outcome.exited(0));
}

TEST_F(Application, EscapeEndsTheWindowTheOrdinaryWay) {
    const sim::Outcome outcome = run({sim::ok()}, {sim::key(platform::Key::Escape)});
    EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned);
    EXPECT_EQ(returned, 0);
}

TEST_F(Application, HelpKeyShowsTheHelpText) {
    run({sim::ok()}, {sim::key(platform::Key::F1), sim::closeBox()});
    ASSERT_EQ(h.messages().size(), 1u);
    EXPECT_NE(h.messages()[0].find("Start Download"), std::string::npos);
}

// Drawn while minimised: the icon centred by (size - icon + 1) / 2, in integer
// division that drops the remainder, also for a client smaller than the icon.
TEST_F(Application, MinimisedWindowDrawsItsIconCentred) {
    struct Size {
        int w, h, x, y;
    };
    const std::vector<Size> sizes{
        {160, 100, 64, 34}, {161, 101, 65, 35}, {32, 32, 0, 0}, {20, 9, -5, -11}};
    std::vector<platform::IconDrawing> drawn;
    sim::Script steps;
    for (const Size& s : sizes)
        steps.push_back(sim::inspect([&drawn, s](CWnd* w) {
            platform::DialogWindow& window = *static_cast<CDialog*>(w)->dialogWindow();
            window.setMinimized(true);
            window.setClientSize(s.w, s.h);
            w->SendMessage(WM_PAINT);
            drawn.push_back(window.iconDrawings().back());
        }));
    steps.push_back(sim::closeBox());
    run({sim::ok()}, steps);
    ASSERT_EQ(drawn.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(drawn[i].x, sizes[i].x) << i;
        EXPECT_EQ(drawn[i].y, sizes[i].y) << i;
        EXPECT_EQ(drawn[i].icon, LoadIconA(IDR_MAINFRAME));
    }
}

// --- The baud-rate save --------------------------------------------------

TEST_F(Application, BaudRateSaveTellsTheDisplayAtTheOldRateThenUsesTheNew) {
    run({sim::ok()},
        {sim::pick(IDC_BAUD_LIST, 3), sim::click(IDC_SAVE_TO_DISPLAY), sim::inspect([&](CWnd* w) {
             EXPECT_EQ(main(w).m_nPortBaud, 3);
             EXPECT_EQ(control(w, IDC_BAUD_TEXT).windowText(), "19200");
         }),
         sim::click(IDC_START_DOWNLOAD), sim::wait(5000), sim::closeBox()});
    std::vector<DWORD> rates;
    for (const auto& e : h.device.events()) {
        if (e.kind == platform::RecordingDevice::EventKind::SetCommState)
            rates.push_back(e.dcb.BaudRate);
    }
    // The probe and the save at 9600, the download at 19200.
    EXPECT_THAT(rates, ElementsAre(9600u, 9600u, 19200u));
    const auto& writes = h.device.writes();
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(writes[0].bytes, std::string(setBaudSequence().bytes, 7));
    EXPECT_EQ(writes[1].bytes, std::string("\0\3\0", 3));
    EXPECT_EQ(writes[2].bytes, std::string(eraseSequence(ERASE_NORMAL).bytes, 8));
    EXPECT_THAT(h.messages(), ElementsAre(messages::kDownloadCompleted));
}

TEST_F(Application, SavingTheRateInForceOrOnlySelectingChangesNothing) {
    run({sim::ok()},
        {sim::click(IDC_SAVE_TO_DISPLAY), sim::pick(IDC_BAUD_LIST, 0),
         sim::click(IDC_START_DOWNLOAD), sim::wait(5000),
         sim::inspect([&](CWnd* w) { EXPECT_EQ(main(w).m_nPortBaud, 2); }), sim::closeBox()});
    EXPECT_EQ(h.device.writes()[1].bytes, std::string("\0\2\0", 3));
    ASSERT_TRUE(h.device.lastDcb().has_value());
    EXPECT_EQ(h.device.lastDcb()->BaudRate, 9600u);
}

TEST_F(Application, BaudRateSaveWhosePortWillNotOpenChangesNothing) {
    run({sim::ok()},
        {sim::inspect([&](CWnd*) { h.device.refuseOpens(platform::DeviceError::AccessDenied); }),
         sim::pick(IDC_BAUD_LIST, 1), sim::click(IDC_SAVE_TO_DISPLAY), sim::inspect([&](CWnd* w) {
             EXPECT_EQ(main(w).m_nPortBaud, 2);
             EXPECT_EQ(control(w, IDC_BAUD_TEXT).windowText(), "9600");
         }),
         sim::closeBox()});
    EXPECT_THAT(h.messages(), ElementsAre(messages::kCannotOpenPort));
    EXPECT_TRUE(h.device.writes().empty());
}

TEST_F(Application, FailedWriteOfTheBaudRateSaveEndsTheRunKeepingTheRate) {
    for (int failing : {1, 2}) {
        MainWindowHarness fresh;
        CDownloadApp another;
        int baudWhenTold = -1;
        fresh.session.driver().onDialog(IDD_PORT_SETUP, {sim::ok()});
        fresh.session.driver().onDialog(
            IDD_DOWNLOAD_DIALOG,
            {sim::inspect([&](CWnd* w) {
                 fresh.device.reset();
                 fresh.device.failWrite(failing);
                 fresh.session.driver().onMessageBox(
                     {sim::inspect([&, w](CWnd*) { baudWhenTold = main(w).m_nPortBaud; }),
                      sim::ok()});
             }),
             sim::pick(IDC_BAUD_LIST, 3), sim::click(IDC_SAVE_TO_DISPLAY)});
        const sim::Outcome outcome = fresh.session.run([&] { runApplication(another, "veltran"); });
        EXPECT_TRUE(outcome.exited(0)) << failing;
        EXPECT_THAT(fresh.messages(), ElementsAre(messages::kWriteError));
        EXPECT_EQ(baudWhenTold, 2);
        EXPECT_EQ(fresh.device.writes().size(), static_cast<std::size_t>(failing));
        EXPECT_FALSE(fresh.device.isOpen());
    }
}

// --- The stand-alone erase -----------------------------------------------

TEST_F(Application, EraseOnlyShowsItsProgressAndEndsLikeAFinishedDownload) {
    std::vector<std::string> topics;
    struct Watch : platform::WindowObserver {
        std::vector<std::string>& seen;
        explicit Watch(std::vector<std::string>& s) : seen(s) {}
        void windowChanged(platform::Window& w, platform::Change c) override {
            if (c == platform::Change::Text)
                seen.push_back(w.windowText().str());
        }
    } watch(topics);
    run({sim::ok()},
        {sim::inspect([&](CWnd* w) { control(w, IDC_TOPIC).setObserver(&watch); }),
         sim::command(IDC_ERASE_ROM), sim::inspect([&](CWnd* w) {
             EXPECT_EQ(control(w, IDC_TOPIC).windowText(), "");
             EXPECT_FALSE(control(w, IDC_PROGRESS).isVisible());
             EXPECT_FALSE(platform::timers().isArmed(w->m_hWnd, CDownloadDlg::SEND_TIMER));
             control(w, IDC_TOPIC).setObserver(nullptr);
         }),
         sim::closeBox()});
    EXPECT_THAT(topics, ElementsAre("Erasing Flash ROM......", ""));
    ASSERT_EQ(h.device.writes().size(), 1u);
    EXPECT_EQ(h.device.writes()[0].bytes, std::string(eraseSequence(ERASE_NORMAL).bytes, 8));
    // The port closes when the two-second wait is over.
    const auto& last = h.device.events().back();
    EXPECT_EQ(last.kind, platform::RecordingDevice::EventKind::Close);
    EXPECT_EQ(last.time - h.device.writes()[0].end, 2000 * ms);
    EXPECT_FALSE(h.device.isOpen());
    EXPECT_THAT(h.messages(), IsEmpty());
}

TEST_F(Application, MaintenanceWhileATransferHoldsThePortIsRefused) {
    run({sim::ok()},
        {sim::click(IDC_START_DOWNLOAD), sim::wait(100), sim::click(IDC_SAVE_TO_DISPLAY),
         sim::command(IDC_ERASE_ROM), sim::wait(5000), sim::closeBox()});
    EXPECT_THAT(h.messages(), ElementsAre(messages::kTransferBusy, messages::kTransferBusy,
                                          messages::kDownloadCompleted));
    EXPECT_EQ(h.device.bytesWritten(), std::string(eraseSequence(ERASE_NORMAL).bytes, 8) +
                                           fixtures::join(fixtures::commandSetRecords(12)));
}

} // namespace
