#include "platform/drivers/qt/MessageBox.h"

#include "platform/drivers/qt/Text.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>

namespace platform::qt {

namespace {

// The MB_ICON... bits of the type: hand, question, exclamation, asterisk.
QMessageBox::Icon iconFor(UINT type) {
    switch (type & 0xF0) {
    case 0x10:
        return QMessageBox::Critical;
    case 0x20:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case 0x40:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void showMessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) {
    QMessageBox box(iconFor(type), toQString(caption), toQString(text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    // A plain OK, as the box has on Windows; some styles decorate it with an icon.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.show();
    box.activateWindow();
    loop.exec();
}

} // namespace platform::qt
