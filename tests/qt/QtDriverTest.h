#pragma once
// The Qt driver under test: one QApplication for the whole run, since Qt allows
// no second, with the program's templates in force. Dialogs are opened
// modelessly where a test drives them itself, so no modal loop is needed.

#include "platform/drivers/qt/DialogView.h"
#include "platform/drivers/qt/QtDriver.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/Wnd.h"

#include <QWidget>

#include <utility>
#include <vector>

namespace qttest {

platform::qt::QtDriver& qtDriver();

platform::qt::DialogView& viewOf(CDialog& dialog);
platform::Window& control(CDialog& dialog, int id);
QWidget& widgetOf(CDialog& dialog, int id);
template <class W> W& widgetOf(CDialog& dialog, int id) {
    return dynamic_cast<W&>(widgetOf(dialog, id));
}

// Shows the dialog without a modal loop and waits until it is on screen and active.
void open(CDialog& dialog);

inline LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window, message, wParam, lParam);
}

inline LRESULT send(HWND window, UINT message, WPARAM wParam, const char* text) {
    return SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(text));
}

// A dialog that records every command and system command it receives.
class RecordingDialog : public CDialog {
public:
    using CDialog::CDialog;

    struct Received {
        UINT message;
        WPARAM wParam;
        friend bool operator==(const Received&, const Received&) = default;
    };
    std::vector<Received> received;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND)
            received.push_back({message, wParam});
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

} // namespace qttest
