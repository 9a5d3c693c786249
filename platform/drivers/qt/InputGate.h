#pragma once
// Holds back the operator's input from a disabled dialog, as Windows does for a
// window whose modal child is open. Qt's own way, disabling the widget, would
// also grey out every control, which a disabled owner window does not do.

#include <QObject>

namespace platform::qt {

class InputGate final : public QObject {
public:
    InputGate();
    ~InputGate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform::qt
