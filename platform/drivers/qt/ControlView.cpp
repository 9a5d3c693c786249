#include "platform/drivers/qt/ControlView.h"

#include "platform/drivers/qt/ComboView.h"
#include "platform/drivers/qt/DialogView.h"
#include "platform/drivers/qt/EditView.h"
#include "platform/drivers/qt/GroupBoxView.h"
#include "platform/drivers/qt/LabelView.h"
#include "platform/drivers/qt/PictureView.h"
#include "platform/drivers/qt/ProgressView.h"
#include "platform/drivers/qt/PushButtonView.h"
#include "platform/window/ComboBox.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/ProgressBar.h"

namespace platform::qt {

ControlView::ControlView(Window& model, DialogView& dialog) : m_model(model), m_dialog(dialog) {
    m_model.setObserver(this);
}

ControlView::~ControlView() {
    if (m_model.observer() == this)
        m_model.setObserver(nullptr);
}

void ControlView::present() {
    QWidget& w = widget();
    w.setGeometry(placement(units()));
    w.setEnabled(m_model.isEnabled());
    reflect(Change::Text);
    reflect(Change::Items);
    reflect(Change::Selection);
    reflect(Change::Progress);
    w.setVisible(m_model.isVisible());
}

QRect ControlView::placement(const BaseUnits& units) const {
    return units.toPixels(m_model.bounds());
}

void ControlView::windowChanged(Window&, Change change) {
    QWidget& w = widget();
    switch (change) {
    case Change::Visibility:
        w.setVisible(m_model.isVisible());
        // What the control covered is drawn again at once, as on show.
        if (!w.isVisible() && w.parentWidget() && w.parentWidget()->isVisible())
            w.parentWidget()->repaint(w.geometry());
        break;
    case Change::Enabled:
        w.setEnabled(m_model.isEnabled());
        break;
    default:
        reflect(change);
        break;
    }
    if (w.isVisible())
        w.repaint();
}

void ControlView::inputDelivered() {
    m_dialog.inputDelivered();
}

const BaseUnits& ControlView::units() const {
    return m_dialog.units();
}

QWidget* ControlView::surface() const {
    return &m_dialog;
}

std::unique_ptr<ControlView> makeControlView(Window& model, DialogView& dialog) {
    switch (model.kind()) {
    case WindowKind::PushButton:
        return std::make_unique<PushButtonView>(model, dialog);
    case WindowKind::Edit:
        return std::make_unique<EditView>(model, dialog);
    case WindowKind::Label:
        return std::make_unique<LabelView>(model, dialog);
    case WindowKind::GroupBox:
        return std::make_unique<GroupBoxView>(model, dialog);
    case WindowKind::Picture:
        return std::make_unique<PictureView>(static_cast<Picture&>(model), dialog);
    case WindowKind::ProgressBar:
        return std::make_unique<ProgressView>(static_cast<ProgressBar&>(model), dialog);
    case WindowKind::ComboBox:
        return std::make_unique<ComboView>(static_cast<ComboBox&>(model), dialog);
    case WindowKind::Dialog:
        break;
    }
    return nullptr;
}

} // namespace platform::qt
