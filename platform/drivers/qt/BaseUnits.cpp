#include "platform/drivers/qt/BaseUnits.h"

#include <QFontMetrics>
#include <QString>

namespace platform::qt {

namespace {

// value * units / divisor, rounded half away from zero, as MulDiv does.
int mulDiv(int value, int units, int divisor) {
    const long long product = static_cast<long long>(value) * units * 2;
    const long long rounded = product >= 0 ? product + divisor : product - divisor;
    return static_cast<int>(rounded / (2LL * divisor));
}

} // namespace

int BaseUnits::toPixelsX(int dialogUnits) const {
    return mulDiv(dialogUnits, x, 4);
}
int BaseUnits::toPixelsY(int dialogUnits) const {
    return mulDiv(dialogUnits, y, 8);
}

QRect BaseUnits::toPixels(const RECT& du) const {
    const int left = toPixelsX(du.left);
    const int top = toPixelsY(du.top);
    return {left, top, toPixelsX(du.right) - left, toPixelsY(du.bottom) - top};
}

QFont dialogFont(const char* faceName, int points) {
    const QString face = QString::fromLatin1(faceName ? faceName : "");
    if (face.isEmpty() || face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        // The style hint picks the desktop's sans when the condensed face is missing.
        QFont font(QStringLiteral("DejaVu Sans Condensed"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(11);
        return font;
    }
    QFont font(face);
    font.setPointSize(points > 0 ? points : 8);
    return font;
}

BaseUnits measureBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

} // namespace platform::qt
