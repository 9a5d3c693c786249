#pragma once
// A picture control showing an icon. Like SS_ICON it takes the icon's own size
// at the template's position, whatever size the template gives.

#include "platform/drivers/qt/ControlView.h"
#include "platform/window/DialogWindow.h"

#include <QLabel>

namespace platform::qt {

class PictureView final : public ControlView {
public:
    PictureView(Picture& model, DialogView& dialog);

    QWidget& widget() override { return *m_label; }

private:
    QRect placement(const BaseUnits& units) const override;
    void reflect(Change) override {}

    Picture& m_picture;
    QLabel* m_label;
};

} // namespace platform::qt
