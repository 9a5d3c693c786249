#include "platform/drivers/qt/Icons.h"

#include <QPixmap>

namespace platform::qt {

QImage iconImage(const Icon& icon) {
    QImage image(icon.width, icon.height, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x)
            image.setPixel(x, y, icon.argb[static_cast<std::size_t>(y * icon.width + x)]);
    }
    return image;
}

QIcon iconOfWindow(const Icon* big, const Icon* small) {
    QIcon result;
    if (big)
        result.addPixmap(QPixmap::fromImage(iconImage(*big)));
    if (const Icon* source = small ? small : big) {
        result.addPixmap(QPixmap::fromImage(
            iconImage(*source).scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    return result;
}

} // namespace platform::qt
