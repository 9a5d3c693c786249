#pragma once
// A dialog on screen: a fixed-size window with one widget per control, placed by
// template coordinates. The dialog manager's keys (Tab, Enter, Space, Esc, F1)
// go to the model rather than to Qt, and the model's focus is mirrored onto the
// widgets, so the keyboard behaves as the model says on every driver.

#include "platform/drivers/qt/BaseUnits.h"
#include "platform/drivers/qt/ControlView.h"
#include "platform/window/DialogWindow.h"

#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QKeyEvent;

namespace platform::qt {

class ModalLoops;

class DialogView final : public QWidget, public WindowObserver {
public:
    DialogView(DialogWindow& dialog, ModalLoops& loops, QWidget* ownerView);
    ~DialogView() override;

    DialogWindow& dialog() const { return m_dialog; }
    const BaseUnits& units() const { return m_units; }
    // The widget that shows a control of this dialog; nullptr for none.
    QWidget* widgetOf(const Window& control) const;

    void windowChanged(Window& window, Change change) override;
    // Input has reached the model: a handler may have ended a modal loop.
    void inputDelivered();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool handleKey(const QKeyEvent& key, QObject* target);
    void followQtFocus(QObject* watched, Qt::FocusReason reason);
    ControlView* viewOf(const Window* control) const;
    ControlView* viewContaining(QObject* object) const;
    void showVisibility();
    void showFocus();
    void showDefaultButton();
    void sendSysCommand(UINT command);

    DialogWindow& m_dialog;
    ModalLoops& m_loops;
    QWidget* m_ownerView;
    BaseUnits m_units;
    std::vector<std::unique_ptr<ControlView>> m_controls;
    std::map<const Window*, ControlView*> m_byModel;
    std::map<const QWidget*, ControlView*> m_byWidget;
    Qt::FocusReason m_focusReason = Qt::OtherFocusReason;
    bool m_placed = false;
};

} // namespace platform::qt
