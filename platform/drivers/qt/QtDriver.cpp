#include "platform/drivers/qt/QtDriver.h"

#include "platform/drivers/qt/DialogView.h"
#include "platform/drivers/qt/InputGate.h"
#include "platform/drivers/qt/MessageBox.h"
#include "platform/drivers/qt/ModalLoops.h"
#include "platform/drivers/qt/TimerPump.h"

#include <QApplication>

#include <cstdlib>

namespace platform::qt {

QtDriver::QtDriver(int& argc, char** argv)
    : m_application(std::make_unique<QApplication>(argc, argv)),
      m_gate(std::make_unique<InputGate>()), m_loops(std::make_unique<ModalLoops>()),
      m_pump(std::make_unique<TimerPump>([this] { m_loops->wake(); })) {
    // The program ends with its main window's modal loop, never because Qt saw
    // its last window close: that would end every running loop at once.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtDriver::~QtDriver() {
    if (&driver() == this)
        installDriver(nullptr);
    m_views.clear();
}

DialogView* QtDriver::view(const DialogWindow& dialog) const {
    const auto found = m_views.find(&dialog);
    return found == m_views.end() ? nullptr : found->second.get();
}

QWidget* QtDriver::viewOfWindow(Window* window) const {
    if (!window || window->kind() != WindowKind::Dialog)
        return nullptr;
    return view(static_cast<const DialogWindow&>(*window));
}

void QtDriver::dialogCreated(DialogWindow& dialog) {
    m_views[&dialog] =
        std::make_unique<DialogView>(dialog, *m_loops, viewOfWindow(dialog.ownerWindow()));
}

void QtDriver::dialogDestroyed(DialogWindow& dialog) {
    const auto found = m_views.find(&dialog);
    if (found == m_views.end())
        return;
    QWidget* owner = viewOfWindow(dialog.ownerWindow());
    m_views.erase(found);
    // Closing a modal dialog gives the activation back to its owner.
    if (owner && owner->isVisible())
        owner->activateWindow();
}

void QtDriver::runModalLoop(DialogWindow& dialog) {
    m_loops->run(dialog);
}

int QtDriver::messageBox(Window* owner, const CString& text, const CString& caption, UINT type) {
    QWidget* ownerView = viewOfWindow(owner);
    showMessageBox(ownerView && ownerView->isVisible() ? ownerView : nullptr, text, caption, type);
    if (ownerView && ownerView->isVisible())
        ownerView->activateWindow();
    return IDOK;
}

void QtDriver::timersChanged() {
    m_pump->rearm();
}

void QtDriver::exitProcess(UINT code) {
    std::_Exit(static_cast<int>(code));
}

} // namespace platform::qt
