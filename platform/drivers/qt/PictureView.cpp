#include "platform/drivers/qt/PictureView.h"

#include "platform/drivers/qt/Icons.h"

#include <QPixmap>

namespace platform::qt {

PictureView::PictureView(Picture& model, DialogView& dialog)
    : ControlView(model, dialog), m_picture(model), m_label(new QLabel(surface())) {
    if (const Icon* icon = m_picture.icon())
        m_label->setPixmap(QPixmap::fromImage(iconImage(*icon)));
    present();
}

QRect PictureView::placement(const BaseUnits& units) const {
    QRect rect = ControlView::placement(units);
    if (const Icon* icon = m_picture.icon())
        rect.setSize({icon->width, icon->height});
    return rect;
}

} // namespace platform::qt
