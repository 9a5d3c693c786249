#include "platform/drivers/qt/EditView.h"

#include "platform/drivers/qt/Text.h"

#include <QPalette>

namespace platform::qt {

EditView::EditView(Window& model, DialogView& dialog)
    : ControlView(model, dialog), m_edit(new QLineEdit(surface())) {
    const DWORD style = model.style();
    m_edit->setFrame((style & WS_BORDER) != 0);
    if (style & ES_READONLY) {
        m_edit->setReadOnly(true);
        QPalette palette = m_edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        m_edit->setPalette(palette);
    } else {
        QObject::connect(m_edit, &QLineEdit::textEdited, [this](const QString& text) {
            this->model().setWindowText(toCString(text));
            inputDelivered();
        });
    }
    present();
}

void EditView::reflect(Change change) {
    if (change != Change::Text)
        return;
    const QString text = toQString(model().windowText());
    if (m_edit->text() == text)
        return;
    m_edit->setText(text);
    m_edit->setCursorPosition(0);
}

} // namespace platform::qt
