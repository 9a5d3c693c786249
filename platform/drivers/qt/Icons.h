#pragma once
// The layer's icons as Qt images.

#include "platform/window/Resources.h"

#include <QIcon>
#include <QImage>

namespace platform::qt {

QImage iconImage(const Icon& icon);
// The window icon: the image itself for the big icon, scaled down for the small one.
QIcon iconOfWindow(const Icon* big, const Icon* small);

} // namespace platform::qt
