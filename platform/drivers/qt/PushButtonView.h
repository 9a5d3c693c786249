#pragma once
// A push button. Enter and Space reach it through the dialog's keys, not Qt's;
// it only shows whether it is the button Enter would press now.

#include "platform/drivers/qt/ControlView.h"

#include <QPushButton>

namespace platform::qt {

class PushButtonView final : public ControlView {
public:
    PushButtonView(Window& model, DialogView& dialog);

    QWidget& widget() override { return *m_button; }
    bool isTemplateDefault() const;
    void showAsDefault(bool isDefault) { m_button->setDefault(isDefault); }

private:
    void reflect(Change change) override;

    QPushButton* m_button;
};

} // namespace platform::qt
