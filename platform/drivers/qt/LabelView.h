#pragma once
// A static text. It wraps at word breaks within its box like SS_LEFT, and an
// ampersand marks a mnemonic unless the style says SS_NOPREFIX.

#include "platform/drivers/qt/ControlView.h"

#include <QLabel>

namespace platform::qt {

class LabelView final : public ControlView {
public:
    LabelView(Window& model, DialogView& dialog);

    QWidget& widget() override { return *m_label; }

private:
    void reflect(Change change) override;

    QLabel* m_label;
};

} // namespace platform::qt
