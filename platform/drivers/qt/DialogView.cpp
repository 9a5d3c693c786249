#include "platform/drivers/qt/DialogView.h"

#include "platform/drivers/qt/Icons.h"
#include "platform/drivers/qt/ModalLoops.h"
#include "platform/drivers/qt/PushButtonView.h"
#include "platform/drivers/qt/SystemMenu.h"
#include "platform/drivers/qt/Text.h"
#include "platform/window/Wnd.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <optional>

namespace platform::qt {

namespace {

Qt::WindowFlags flagsFor(const DialogTemplate& t) {
    // An application window has a taskbar button of its own; a modal-frame dialog
    // stays with its owner.
    const bool ownWindow = (t.exStyle & WS_EX_APPWINDOW) || !(t.style & DS_MODALFRAME);
    Qt::WindowFlags flags = (ownWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
    if (t.style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (t.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

std::optional<Key> dialogKey(const QKeyEvent& key, bool onPushButton) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier)
            return Key::Tab;
        break;
    case Qt::Key_Backtab:
        return Key::BackTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(modifiers & Qt::AltModifier))
            return Key::Enter;
        break;
    case Qt::Key_Space:
        // Anywhere else a space is text to type.
        if (onPushButton && modifiers == Qt::NoModifier)
            return Key::Space;
        break;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_F1:
        if (modifiers == Qt::NoModifier)
            return Key::F1;
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

DialogView::DialogView(DialogWindow& dialog, ModalLoops& loops, QWidget* ownerView)
    : QWidget(nullptr, flagsFor(dialog.dialogTemplate())), m_dialog(dialog), m_loops(loops),
      m_ownerView(ownerView) {
    const DialogTemplate& t = dialog.dialogTemplate();
    setFont(dialogFont(t.fontName, t.fontPoints));
    m_units = measureBaseUnits(font());
    setFixedSize(m_units.toPixelsX(t.cx), m_units.toPixelsY(t.cy));
    m_dialog.setClientSize(width(), height());
    setWindowTitle(toQString(m_dialog.windowText()));
    setFocusPolicy(Qt::NoFocus);

    for (const auto& control : m_dialog.controls()) {
        std::unique_ptr<ControlView> view = makeControlView(*control, *this);
        if (!view)
            continue;
        QWidget& w = view->widget();
        w.installEventFilter(this);
        for (QWidget* part : w.findChildren<QWidget*>())
            part->installEventFilter(this);
        m_byModel[control.get()] = view.get();
        m_byWidget[&w] = view.get();
        m_controls.push_back(std::move(view));
    }
    m_dialog.setObserver(this);
}

DialogView::~DialogView() {
    if (m_dialog.observer() == this)
        m_dialog.setObserver(nullptr);
    // The widgets go first, and unknown: focus that moves while they go must not
    // reach the model, nor anything they do reach a view that is gone.
    m_byWidget.clear();
    for (const auto& view : m_controls)
        delete &view->widget();
    m_controls.clear();
}

QWidget* DialogView::widgetOf(const Window& control) const {
    ControlView* view = viewOf(&control);
    return view ? &view->widget() : nullptr;
}

ControlView* DialogView::viewOf(const Window* control) const {
    const auto found = m_byModel.find(control);
    return found == m_byModel.end() ? nullptr : found->second;
}

ControlView* DialogView::viewContaining(QObject* object) const {
    for (auto* w = qobject_cast<QWidget*>(object); w && w != this; w = w->parentWidget()) {
        const auto found = m_byWidget.find(w);
        if (found != m_byWidget.end())
            return found->second;
    }
    return nullptr;
}

void DialogView::windowChanged(Window&, Change change) {
    switch (change) {
    case Change::Text:
        setWindowTitle(toQString(m_dialog.windowText()));
        break;
    case Change::Visibility:
        showVisibility();
        break;
    case Change::Focus:
        showFocus();
        break;
    case Change::Icon:
        setWindowIcon(iconOfWindow(m_dialog.icon(true), m_dialog.icon(false)));
        break;
    case Change::Minimized:
        if (m_dialog.isMinimized())
            showMinimized();
        else if (isMinimized())
            showNormal();
        break;
    default:
        // A disabled dialog keeps its looks; the input gate holds its input back.
        break;
    }
}

void DialogView::inputDelivered() {
    m_loops.wake();
}

void DialogView::showVisibility() {
    if (!m_dialog.isVisible()) {
        hide();
        return;
    }
    // Centred when it first opens, since the templates give no position: over
    // the owner when there is one, else on the screen.
    if (!m_placed) {
        // Kept above its owner by the window manager, without Qt owning it.
        if (m_ownerView && m_ownerView->windowHandle()) {
            create();
            windowHandle()->setTransientParent(m_ownerView->windowHandle());
        }
        const QRect area = m_ownerView && m_ownerView->isVisible() ? m_ownerView->geometry()
                                                                   : screen()->availableGeometry();
        move(area.center() - rect().center());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    showFocus();
}

void DialogView::showFocus() {
    ControlView* view = viewOf(m_dialog.focus());
    if (view && !view->widget().hasFocus())
        view->widget().setFocus(m_focusReason);
    showDefaultButton();
}

// The focused push button is the one Enter presses and shows it; when the focus
// is elsewhere the template's default button shows it again.
void DialogView::showDefaultButton() {
    const Window* focus = m_dialog.focus();
    const bool onButton = focus && focus->kind() == WindowKind::PushButton;
    for (const auto& view : m_controls) {
        if (auto* button = dynamic_cast<PushButtonView*>(view.get()))
            button->showAsDefault(onButton ? &button->model() == focus
                                           : button->isTemplateDefault());
    }
}

bool DialogView::handleKey(const QKeyEvent& key, QObject* target) {
    if (key.key() == Qt::Key_F4 && (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
        sendSysCommand(SC_CLOSE);
        return true;
    }
    const std::optional<Key> dialogKeyPressed =
        dialogKey(key, qobject_cast<QPushButton*>(target) != nullptr);
    if (!dialogKeyPressed)
        return false;
    // Tabbing into an edit field selects its text, as the dialog manager does.
    m_focusReason = *dialogKeyPressed == Key::Tab       ? Qt::TabFocusReason
                    : *dialogKeyPressed == Key::BackTab ? Qt::BacktabFocusReason
                                                        : Qt::OtherFocusReason;
    m_dialog.handleKey(*dialogKeyPressed);
    m_focusReason = Qt::OtherFocusReason;
    inputDelivered();
    return true;
}

void DialogView::followQtFocus(QObject* watched, Qt::FocusReason reason) {
    // Focus that Qt moves by itself (a click, a widget hidden under it) becomes
    // the model's; window activation only restores what the model already has.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    ControlView* view = viewContaining(watched);
    if (view && m_dialog.focus() != &view->model())
        m_dialog.setFocus(&view->model());
}

bool DialogView::event(QEvent* event) {
    // Keys that reach the dialog itself, when no control holds the focus.
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent&>(*event), this))
        return true;
    return QWidget::event(event);
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(static_cast<QKeyEvent&>(*event), watched);
    case QEvent::FocusIn:
        followQtFocus(watched, static_cast<QFocusEvent&>(*event).reason());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void DialogView::contextMenuEvent(QContextMenuEvent* event) {
    // The window manager owns the real window menu; the system menu is offered
    // here instead, with its commands sent as WM_SYSCOMMAND.
    if (!m_dialog.isEnabled())
        return;
    if (const std::optional<UINT_PTR> command =
            chooseFromMenu(m_dialog.systemMenu(), event->globalPos(), this))
        sendSysCommand(static_cast<UINT>(*command));
}

void DialogView::closeEvent(QCloseEvent* event) {
    // The close box is a system command; the dialog decides whether it closes.
    event->ignore();
    if (m_dialog.isEnabled())
        sendSysCommand(SC_CLOSE);
}

void DialogView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        m_dialog.setMinimized(isMinimized());
    QWidget::changeEvent(event);
}

void DialogView::sendSysCommand(UINT command) {
    SendMessageA(&m_dialog, WM_SYSCOMMAND, command, 0);
    inputDelivered();
}

} // namespace platform::qt
