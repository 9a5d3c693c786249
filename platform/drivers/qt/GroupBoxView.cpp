#include "platform/drivers/qt/GroupBoxView.h"

#include "platform/drivers/qt/Text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

#include <algorithm>

namespace platform::qt {

namespace {
// Where the title starts, and the gap either side of it in the frame's line.
constexpr int kTitleLeft = 6;
constexpr int kTitleGap = 2;
} // namespace

void GroupFrame::setTitle(const QString& title) {
    m_title = title;
    update();
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // An etched frame whose top line runs through the middle of the title's line.
    // Styles draw their own group frames below a title, so it is drawn here.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);
    if (m_title.isEmpty())
        return;
    const QRect text(kTitleLeft + kTitleGap, 0,
                     std::min(metrics.horizontalAdvance(withoutMnemonics(m_title)),
                              width() - kTitleLeft - 2 * kTitleGap),
                     metrics.height());
    painter.fillRect(text.adjusted(-kTitleGap, 0, kTitleGap, 0), palette().window());
    style()->drawItemText(&painter, text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          palette(), isEnabled(), m_title, QPalette::WindowText);
}

GroupBoxView::GroupBoxView(Window& model, DialogView& dialog)
    : ControlView(model, dialog), m_frame(new GroupFrame(surface())) {
    m_frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    present();
}

void GroupBoxView::reflect(Change change) {
    if (change == Change::Text)
        m_frame->setTitle(toQString(model().windowText()));
}

} // namespace platform::qt
