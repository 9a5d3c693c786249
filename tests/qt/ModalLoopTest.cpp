// Modal loops on Qt's event loop: timers fire inside a message box opened from a
// timer, an outer dialog ended from inside an inner one ends when the inner
// returns, and the message box looks as the layer asks.

#include "QtDriverTest.h"

#include "platform/window/MessageBox.h"
#include "platform/window/WinApp.h"
#include "resources/ResourceIds.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace qttest;

namespace {

// A dialog whose timer ticks the test handles.
class TimedDialog : public CDialog {
public:
    explicit TimedDialog(UINT templateId) : CDialog(templateId) {}

    std::function<void(UINT)> onTimer;
    std::vector<std::pair<UINT, UINT>> armOnInit; // id, interval

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (auto [id, interval] : armOnInit)
            SetTimer(id, interval, nullptr);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && onTimer) {
            onTimer(static_cast<UINT>(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(ModalLoops, TimersKeepFiringInAMessageBoxOpenedFromATimer) {
    CWinApp app("veltran");
    TimedDialog dialog(IDD_PORT_SETUP);
    dialog.armOnInit = {{1, 20}, {2, 10}};

    int ticks = 0;
    int ticksWhileOpen = -1;
    bool opened = false;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    dialog.onTimer = [&](UINT id) {
        // Timer 1 stays armed and nothing re-arms the timers before the box opens.
        if (id == 1) {
            if (opened)
                return;
            opened = true;
            AfxMessageBox("The command set <KTX> can't be found !!\nline two");
            ticksWhileOpen = ticks;
            dialog.EndDialog(IDOK);
            return;
        }
        // The fifth tick of the other timer closes the box with Enter, as the operator would.
        if (++ticks == 5) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    };

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(ticksWhileOpen, 5);
    EXPECT_EQ(caption, "veltran");
    EXPECT_EQ(text, "The command set <KTX> can't be found !!\nline two");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, 1);
}

TEST(ModalLoops, AnOuterDialogEndedInsideAnInnerOneEndsWhenTheInnerReturns) {
    TimedDialog outer(IDD_DOWNLOAD_DIALOG);
    TimedDialog inner(IDD_PORT_SETUP);
    std::vector<std::string> events;
    outer.armOnInit = {{1, 10}};
    outer.onTimer = [&](UINT id) {
        if (id == 1) {
            outer.KillTimer(1);
            outer.SetTimer(2, 30, nullptr);
            events.push_back("inner opens");
            inner.DoModal();
            events.push_back("inner returned");
        } else {
            outer.KillTimer(2);
            outer.EndDialog(7);
            events.push_back("outer ended");
        }
    };
    inner.armOnInit = {{3, 80}};
    inner.onTimer = [&](UINT) {
        inner.KillTimer(3);
        inner.EndDialog(IDOK);
        events.push_back("inner ended");
    };

    EXPECT_EQ(outer.DoModal(), 7);
    EXPECT_EQ(events, (std::vector<std::string>{"inner opens", "outer ended", "inner ended",
                                                "inner returned"}));
}
