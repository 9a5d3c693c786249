// Modal loops inside modal loops: a dialog opened by a handler of the main
// window's template, a message box inside that dialog, EndDialog reaching only
// the loop of its own dialog, and the immediate exit from any depth.

#include "WindowTestSupport.h"

#include "platform/window/MessageBox.h"
#include "platform/window/Process.h"
#include "platform/window/Timers.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;
using Ticks = std::vector<Tick>;

namespace {

// The Port Setup template, with what its OK button does left to the test.
class InnerDialog : public CDialog {
public:
    explicit InnerDialog(CWnd* parent) : CDialog(IDD_PORT_SETUP, parent) {}
    std::function<void(InnerDialog&)> onOk;

protected:
    void OnOK() override {
        if (onOk)
            onOk(*this);
        else
            CDialog::OnOK();
    }
};

class ModalLoops : public ::testing::Test {
protected:
    sim::Outcome run(sim::Script outerSteps) {
        session.driver().onDialog(IDD_DOWNLOAD_DIALOG, std::move(outerSteps));
        return session.run([&] { outerResult = outer.DoModal(); });
    }

    sim::Step arm(UINT id, UINT intervalMs) {
        return sim::inspect(
            [this, id, intervalMs](CWnd*) { outer.SetTimer(id, intervalMs, nullptr); });
    }

    // A click on "Start Download" opens the inner dialog modally.
    void openInnerOnClick(std::function<void(InnerDialog&)> onOk) {
        outer.onClick = [this, onOk] {
            InnerDialog inner(&outer);
            inner.onOk = onOk;
            innerResult = inner.DoModal();
            innerEndedAt = nowMs();
        };
    }

    sim::Session session{&veltranResources()};
    TimedDialog outer;
    INT_PTR outerResult = -1;
    INT_PTR innerResult = -1;
    platform::Microseconds innerEndedAt = -1;
};

TEST_F(ModalLoops, OuterTimersRunThroughADialogAndItsMessageBox) {
    std::vector<bool> outerEnabled;
    outer.onTick = [&](UINT) { outerEnabled.push_back(outer.IsWindowEnabled() != FALSE); };
    openInnerOnClick([](InnerDialog& inner) {
        AfxMessageBox("inner");
        inner.EndDialog(IDOK);
    });
    session.driver().onDialog(IDD_PORT_SETUP, {sim::wait(20), sim::click(IDOK)});
    session.driver().onMessageBox({sim::wait(200), sim::ok()});

    const sim::Outcome outcome = run({arm(1, 50), sim::wait(10), sim::click(IDC_START_DOWNLOAD),
                                      sim::wait(310), sim::closeBox()});

    ASSERT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
    EXPECT_EQ(innerResult, IDOK);
    EXPECT_EQ(innerEndedAt, 230);
    EXPECT_EQ(outerResult, IDCANCEL);
    EXPECT_EQ(outer.ticks, (Ticks{{50, 1}, {100, 1}, {150, 1}, {200, 1}, {250, 1}, {300, 1}}));
    // The inner dialog holds its owner disabled until it ends.
    EXPECT_EQ(outerEnabled, (std::vector<bool>{false, false, false, false, true, true}));
    ASSERT_EQ(session.driver().messageBoxes().size(), 1u);
    EXPECT_EQ(session.driver().messageBoxes()[0].time, 30 * 1000);
    const auto& shown = session.driver().dialogsShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].templateId, IDD_PORT_SETUP);
    EXPECT_EQ(shown[1].time, 10 * 1000);
    EXPECT_FALSE(platform::timers().nextDue().has_value());
}

TEST_F(ModalLoops, EndDialogOfTheOuterDialogWaitsForTheInnerLoopToEnd) {
    outer.onTick = [&](UINT) {
        outer.KillTimer(1);
        outer.EndDialog(5);
    };
    openInnerOnClick({});
    bool innerStillOpen = false;
    bool outerStepAfterClick = false;
    session.driver().onDialog(IDD_PORT_SETUP,
                              {sim::wait(100), sim::inspect([&](CWnd*) { innerStillOpen = true; }),
                               sim::click(IDCANCEL)});

    const sim::Outcome outcome =
        run({arm(1, 50), sim::wait(10), sim::click(IDC_START_DOWNLOAD),
             sim::inspect([&](CWnd*) { outerStepAfterClick = true; }), sim::closeBox()});

    ASSERT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
    EXPECT_EQ(outer.ticks, (Ticks{{50, 1}}));
    EXPECT_TRUE(innerStillOpen);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_EQ(innerEndedAt, 110);
    EXPECT_FALSE(outerStepAfterClick);
    EXPECT_EQ(outerResult, 5);
}

TEST(ImmediateExit, UnwindsEveryLoopToTheTest) {
    enum class From { ClickHandler, InnerDialogHandler, TickDuringInnerMessageBox };
    const struct {
        const char* what;
        From from;
        std::size_t boxes;
    } cases[] = {
        {"the outer dialog's click handler", From::ClickHandler, 0},
        {"the inner dialog's handler", From::InnerDialogHandler, 0},
        {"an outer tick while the inner dialog's message box is open",
         From::TickDuringInnerMessageBox, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Session session{&veltranResources()};
        TimedDialog dlg;
        bool ranOn = false;
        auto exitHere = [&] {
            ExitProcess(0);
            ranOn = true;
        };
        auto inner = [&](std::function<void(InnerDialog&)> onOk) {
            dlg.onClick = [&, onOk] {
                InnerDialog innerDlg(&dlg);
                innerDlg.onOk = onOk;
                innerDlg.DoModal();
                ranOn = true;
            };
        };
        switch (c.from) {
        case From::ClickHandler:
            dlg.onClick = exitHere;
            break;
        case From::InnerDialogHandler:
            inner([&](InnerDialog&) { exitHere(); });
            break;
        case From::TickDuringInnerMessageBox:
            dlg.onTick = [&](UINT) { exitHere(); };
            inner([&](InnerDialog&) {
                AfxMessageBox("inner");
                ranOn = true;
            });
            break;
        }
        session.driver().onDialog(IDD_PORT_SETUP, {sim::wait(20), sim::click(IDOK)});
        session.driver().onMessageBox({sim::wait(1000), sim::ok()});
        session.driver().onDialog(IDD_DOWNLOAD_DIALOG,
                                  {sim::inspect([&](CWnd*) { dlg.SetTimer(1, 50, nullptr); }),
                                   sim::wait(10), sim::click(IDC_START_DOWNLOAD), sim::wait(2000),
                                   sim::closeBox()});

        const sim::Outcome outcome = session.run([&] {
            dlg.DoModal();
            ranOn = true;
        });

        EXPECT_TRUE(outcome.exited(0));
        EXPECT_FALSE(ranOn);
        EXPECT_EQ(session.driver().messageBoxes().size(), c.boxes);
        EXPECT_EQ(dlg.dialogWindow(), nullptr);
        EXPECT_FALSE(platform::timers().nextDue().has_value());
    }
}

TEST_F(ModalLoops, LoopNobodyEndsIsReportedAsAStall) {
    const sim::Outcome outcome = run({sim::wait(10)});
    EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Stalled);
    EXPECT_NE(outcome.stalledBecause.find("dialog 102"), std::string::npos)
        << outcome.stalledBecause;
    EXPECT_EQ(outer.dialogWindow(), nullptr);
}

} // namespace
