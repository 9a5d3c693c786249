#include "platform/drivers/qt/PushButtonView.h"

#include "platform/drivers/qt/Text.h"

namespace platform::qt {

PushButtonView::PushButtonView(Window& model, DialogView& dialog)
    : ControlView(model, dialog), m_button(new QPushButton(surface())) {
    m_button->setAutoDefault(false);
    m_button->setDefault(isTemplateDefault());
    QObject::connect(m_button, &QPushButton::clicked, [this] {
        pushButton(this->model());
        inputDelivered();
    });
    present();
}

bool PushButtonView::isTemplateDefault() const {
    return (model().style() & 0xF) == BS_DEFPUSHBUTTON;
}

void PushButtonView::reflect(Change change) {
    if (change == Change::Text)
        m_button->setText(toQString(model().windowText()));
}

} // namespace platform::qt
