// Window timers on virtual time: they repeat until killed, arming an armed one
// starts it again, they come through a message box, and never during Sleep.

#include "WindowTestSupport.h"

#include "platform/base/Kernel.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Timers.h"
#include "platform/window/WinApp.h"

#include <gtest/gtest.h>

using namespace wintest;
using Ticks = std::vector<Tick>;

namespace {

class Timers : public ::testing::Test {
protected:
    // Runs the dialog modally with these steps; it must end by itself.
    INT_PTR run(sim::Script steps) {
        session.driver().onDialog(IDD_DOWNLOAD_DIALOG, std::move(steps));
        INT_PTR result = -1;
        const sim::Outcome outcome = session.run([&] { result = dlg.DoModal(); });
        EXPECT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
        return result;
    }

    sim::Step arm(UINT id, UINT intervalMs) {
        return sim::inspect([this, id, intervalMs](CWnd*) {
            EXPECT_EQ(dlg.SetTimer(id, intervalMs, nullptr), id);
        });
    }

    sim::Session session{&veltranResources()};
    TimedDialog dlg;
};

TEST_F(Timers, RepeatAtTheirIntervalUntilKilled) {
    dlg.onTick = [&](UINT id) {
        if (id == 1 && dlg.ticks.size() == 3) {
            EXPECT_TRUE(dlg.KillTimer(1));
            EXPECT_FALSE(dlg.KillTimer(1));
        }
    };
    run({arm(1, 30), sim::wait(200), sim::closeBox()});
    EXPECT_EQ(dlg.ticks, (Ticks{{30, 1}, {60, 1}, {90, 1}}));
}

TEST_F(Timers, ArmingAnArmedTimerStartsItsIntervalAgain) {
    // Timer 2 re-arms itself with a longer interval in its own tick, as the
    // transfer does after every eighth record.
    dlg.onTick = [&](UINT id) {
        if (id == 2 && dlg.ticks.back().ms == 230)
            dlg.SetTimer(2, 100, nullptr);
    };
    run({arm(1, 100), arm(2, 70), sim::wait(50), arm(1, 100), sim::wait(120), arm(1, 40),
         sim::wait(20), arm(2, 40), sim::wait(130), sim::closeBox()});
    // Timer 1: re-armed at 50 (due 150 instead of 100), again at 170 with 40 ms.
    // Timer 2: 70, 140, re-armed at 190 with 40 ms; its tick at 230 makes it 100 ms.
    EXPECT_EQ(dlg.ticks,
              (Ticks{{70, 2}, {140, 2}, {150, 1}, {210, 1}, {230, 2}, {250, 1}, {290, 1}}));
}

TEST_F(Timers, TickInsideAMessageBoxOpenedByAHandler) {
    CWinApp app("Veltran");
    app.m_pMainWnd = &dlg;
    bool inBox = false;
    dlg.onClick = [&] {
        inBox = true;
        AfxMessageBox("Please wait");
        inBox = false;
    };
    std::vector<bool> tickInBox;
    std::vector<bool> ownerEnabled;
    dlg.onTick = [&](UINT) {
        tickInBox.push_back(inBox);
        ownerEnabled.push_back(dlg.IsWindowEnabled() != FALSE);
    };
    session.driver().onMessageBox({sim::wait(350), sim::ok()});
    run({arm(1, 100), sim::wait(10), sim::click(IDC_START_DOWNLOAD), sim::wait(400),
         sim::closeBox()});

    EXPECT_EQ(dlg.ticks, (Ticks{{100, 1}, {200, 1}, {300, 1}, {400, 1}}));
    EXPECT_EQ(tickInBox, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(ownerEnabled, (std::vector<bool>{false, false, false, true}));
    ASSERT_EQ(session.driver().messageBoxes().size(), 1u);
    const sim::MessageBoxShown& box = session.driver().messageBoxes()[0];
    EXPECT_EQ(box.time, 10 * 1000);
    EXPECT_EQ(box.text.str(), "Please wait");
    EXPECT_EQ(box.caption.str(), "Veltran");
    EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(Timers, NoTickDuringSleepAndOneLateTickAfterIt) {
    bool sleeping = false;
    platform::Microseconds wokeAt = 0;
    dlg.onClick = [&] {
        sleeping = true;
        Sleep(250);
        sleeping = false;
        wokeAt = nowMs();
    };
    dlg.onTick = [&](UINT) { EXPECT_FALSE(sleeping); };
    run({arm(1, 100), sim::wait(10), sim::click(IDC_START_DOWNLOAD), sim::wait(290),
         sim::closeBox()});

    EXPECT_EQ(wokeAt, 260);
    // Two expiries missed during the wait come as one tick.
    EXPECT_EQ(dlg.ticks, (Ticks{{260, 1}}));
}

TEST_F(Timers, DieWithTheirWindow) {
    run({arm(1, 100), arm(2, 5000), sim::wait(150), sim::closeBox()});
    EXPECT_EQ(dlg.ticks, (Ticks{{100, 1}}));
    EXPECT_FALSE(platform::timers().nextDue().has_value());
}

} // namespace
