#include "platform/drivers/qt/LabelView.h"

#include "platform/drivers/qt/Text.h"

#include <QFontMetrics>

namespace platform::qt {

LabelView::LabelView(Window& model, DialogView& dialog)
    : ControlView(model, dialog), m_label(new QLabel(surface())) {
    // Plain text always: a status line such as "<KTX>" is not markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    present();
}

void LabelView::reflect(Change change) {
    if (change != Change::Text)
        return;
    const QString raw = toQString(model().windowText());
    const QString text = (model().style() & SS_NOPREFIX) ? raw : withoutMnemonics(raw);
    // The desktop font runs a pixel or two wider than the templates' own in a few
    // texts ("Communication Port"); such a label draws a pixel smaller rather
    // than wrap its last word out of sight.
    QFont font = surface()->font();
    if (QFontMetrics(font).horizontalAdvance(text) > m_label->width() && font.pixelSize() > 1)
        font.setPixelSize(font.pixelSize() - 1);
    m_label->setFont(font);
    m_label->setText(text);
}

} // namespace platform::qt
