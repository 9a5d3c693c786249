#pragma once
// One control on screen: a widget at the template's place that shows the
// control's model and hands the operator's input back to it. The model stays the
// truth; every change it reports is shown and painted at once, so a control
// changed during a blocking wait is seen before the wait ends.

#include "platform/drivers/qt/BaseUnits.h"
#include "platform/window/Window.h"

#include <QRect>
#include <QWidget>

#include <memory>

namespace platform::qt {

class DialogView;

class ControlView : public WindowObserver {
public:
    ControlView(Window& model, DialogView& dialog);
    ~ControlView() override;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    Window& model() const { return m_model; }
    virtual QWidget& widget() = 0;

    void windowChanged(Window& window, Change change) final;

protected:
    // Places the widget and shows the whole state; each kind calls it once its
    // widget exists.
    void present();
    // Where the widget goes; most kinds take the template rectangle as it is.
    virtual QRect placement(const BaseUnits& units) const;
    // What the kind shows of a change to its text, items, selection or position.
    virtual void reflect(Change change) = 0;
    // Input has reached the model: a handler may have ended a modal loop.
    void inputDelivered();
    const BaseUnits& units() const;
    // The dialog's client area, the parent of every control widget.
    QWidget* surface() const;

private:
    Window& m_model;
    DialogView& m_dialog;
};

std::unique_ptr<ControlView> makeControlView(Window& model, DialogView& dialog);

} // namespace platform::qt
