#pragma once
// The system menu as a pop-up menu: the item the operator chooses, if any.

#include "platform/window/Menu.h"

#include <QPoint>

#include <optional>

class QWidget;

namespace platform::qt {

std::optional<UINT_PTR> chooseFromMenu(const Menu& menu, const QPoint& at, QWidget* parent);

} // namespace platform::qt
