#include "platform/drivers/qt/InputGate.h"

#include "platform/drivers/qt/DialogView.h"

#include <QApplication>
#include <QEvent>

namespace platform::qt {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}

} // namespace

InputGate::InputGate() {
    qApp->installEventFilter(this);
}

InputGate::~InputGate() {
    qApp->removeEventFilter(this);
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (!isInput(event->type()) || !watched->isWidgetType())
        return false;
    const auto* view = dynamic_cast<const DialogView*>(static_cast<QWidget*>(watched)->window());
    return view && !view->dialog().isEnabled();
}

} // namespace platform::qt
