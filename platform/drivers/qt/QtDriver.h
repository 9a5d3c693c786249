#pragma once
// The desktop driver: the layer's dialogs as Qt Widgets windows, its modal loops
// as nested Qt event loops, its timers on Qt's clock. The layer keeps all state;
// this only presents it and feeds the operator's input and time back in.

#include "platform/window/Driver.h"

#include <map>
#include <memory>

class QApplication;
class QWidget;

namespace platform::qt {

class DialogView;
class InputGate;
class ModalLoops;
class TimerPump;

class QtDriver final : public Driver {
public:
    QtDriver(int& argc, char** argv);
    ~QtDriver() override;
    QtDriver(const QtDriver&) = delete;
    QtDriver& operator=(const QtDriver&) = delete;

    // The window that presents a dialog; nullptr when it has none.
    DialogView* view(const DialogWindow& dialog) const;

    void dialogCreated(DialogWindow& dialog) override;
    void dialogDestroyed(DialogWindow& dialog) override;
    void runModalLoop(DialogWindow& dialog) override;
    int messageBox(Window* owner, const CString& text, const CString& caption, UINT type) override;
    void timersChanged() override;
    [[noreturn]] void exitProcess(UINT code) override;

private:
    QWidget* viewOfWindow(Window* window) const;

    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<InputGate> m_gate;
    std::unique_ptr<ModalLoops> m_loops;
    std::unique_ptr<TimerPump> m_pump;
    std::map<const DialogWindow*, std::unique_ptr<DialogView>> m_views;
};

} // namespace platform::qt
