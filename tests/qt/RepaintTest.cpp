// Changed controls are painted at once, so the status line and the bar move
// while the thread blocks in Sleep and no event is handled.

#include "QtDriverTest.h"

#include "platform/base/Kernel.h"
#include "resources/ResourceIds.h"

#include <QScreen>
#include <gtest/gtest.h>

#include <string>

using namespace qttest;

namespace {

// The pixels of a control as the window holds them now, not as a fresh render.
QImage onScreen(CDialog& dialog, int id) {
    QWidget& view = viewOf(dialog);
    const QRect r = widgetOf(dialog, id).geometry();
    return view.screen()->grabWindow(view.winId(), r.x(), r.y(), r.width(), r.height()).toImage();
}

// How many pixels of the bar's middle row differ from the empty bar.
int filled(const QImage& bar, const QImage& empty) {
    int count = 0;
    for (int x = 0; x < bar.width(); ++x)
        count += bar.pixel(x, bar.height() / 2) != empty.pixel(x, empty.height() / 2);
    return count;
}

} // namespace

TEST(Repaint, TheBarAndTheStatusLineMoveDuringABlockingSleep) {
    CDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    HWND bar = &control(dialog, IDC_PROGRESS);
    HWND topic = &control(dialog, IDC_TOPIC);
    send(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ShowWindow(bar, SW_HIDE);
    const QImage hidden = onScreen(dialog, IDC_PROGRESS);

    // From here on nothing dispatches events: each change must paint by itself.
    ShowWindow(bar, SW_SHOWNORMAL);
    Sleep(10);
    const QImage empty = onScreen(dialog, IDC_PROGRESS);
    EXPECT_NE(empty, hidden) << "the bar shown during the wait";

    QImage lastTopic = onScreen(dialog, IDC_TOPIC);
    int lastFilled = 0;
    for (int step = 1; step <= 4; ++step) {
        send(bar, PBM_SETPOS, static_cast<WPARAM>(step * 25));
        const std::string status = "Erasing Flash ROM " + std::to_string(step);
        send(topic, WM_SETTEXT, 0, status.c_str());
        Sleep(20);

        const int nowFilled = filled(onScreen(dialog, IDC_PROGRESS), empty);
        EXPECT_GT(nowFilled, lastFilled) << "step " << step;
        lastFilled = nowFilled;
        const QImage nowTopic = onScreen(dialog, IDC_TOPIC);
        EXPECT_NE(nowTopic, lastTopic) << "step " << step;
        lastTopic = nowTopic;
    }
}
