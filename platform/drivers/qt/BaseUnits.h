#pragma once
// Dialog units to pixels, from the dialog's font as Windows measures it. The
// templates were laid out for the classic 6 x 13 base units of "MS Sans Serif"
// 8 pt; a condensed sans at 11 px measures the same, so every text still fits.

#include "platform/base/Win32Types.h"

#include <QFont>
#include <QRect>

namespace platform::qt {

struct BaseUnits {
    int x;
    int y;

    // One edge at a time, rounded as MapDialogRect rounds, so adjacent controls
    // meet exactly where the template makes them meet.
    int toPixelsX(int dialogUnits) const;
    int toPixelsY(int dialogUnits) const;
    QRect toPixels(const RECT& dialogUnits) const;
};

// The desktop font that stands in for the template's font.
QFont dialogFont(const char* faceName, int points);

// The average width of "a".."z", "A".."Z" and the height of the font.
BaseUnits measureBaseUnits(const QFont& font);

} // namespace platform::qt
