#include "platform/drivers/qt/SystemMenu.h"

#include "platform/drivers/qt/Text.h"

#include <QAction>
#include <QMenu>

namespace platform::qt {

std::optional<UINT_PTR> chooseFromMenu(const Menu& menu, const QPoint& at, QWidget* parent) {
    if (menu.items().empty())
        return std::nullopt;
    QMenu popup(parent);
    for (const MenuItem& item : menu.items()) {
        if (item.isSeparator()) {
            popup.addSeparator();
            continue;
        }
        // "\t" in the text already sets the accelerator apart, as in a Windows menu.
        QAction* action = popup.addAction(toQString(item.text));
        action->setData(QVariant::fromValue<qulonglong>(item.id));
    }
    QAction* chosen = popup.exec(at);
    if (!chosen)
        return std::nullopt;
    return static_cast<UINT_PTR>(chosen->data().toULongLong());
}

} // namespace platform::qt
