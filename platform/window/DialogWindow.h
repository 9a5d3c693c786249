#pragma once
// A dialog: its controls built from a template, the keyboard focus and the keys
// the dialog manager handles, its system menu, icons and modal state.

#include "platform/window/Menu.h"
#include "platform/window/Resources.h"
#include "platform/window/Window.h"

#include <memory>
#include <vector>

namespace platform {

enum class Key { Tab, BackTab, Enter, Space, Escape, F1 };

struct IconDrawing {
    HICON icon;
    int x;
    int y;
};

class DialogWindow final : public Window {
public:
    DialogWindow(const DialogTemplate& dialogTemplate, Window* ownerWindow);

    const DialogTemplate& dialogTemplate() const { return m_template; }
    Window* ownerWindow() const { return m_ownerWindow; }
    const std::vector<std::unique_ptr<Window>>& controls() const { return m_controls; }
    Window* control(int id) const;

    // Keyboard focus and the dialog manager's keys.
    Window* focus() const { return m_focus; }
    void setFocus(Window* control);
    void focusFirstTabStop();
    bool canTakeFocus(const Window& control) const;
    void handleKey(Key key);
    int defaultButtonId() const;

    Menu& systemMenu() { return m_systemMenu; }

    HICON icon(bool big) const { return big ? m_bigIcon : m_smallIcon; }
    bool isMinimized() const { return m_minimized; }
    void setMinimized(bool minimized);
    // The client area in pixels, as the driver presents it.
    RECT clientRect() const { return m_clientRect; }
    void setClientSize(int width, int height) { m_clientRect = {0, 0, width, height}; }
    const std::vector<IconDrawing>& iconDrawings() const { return m_iconDrawings; }
    void recordIconDrawing(IconDrawing drawing) { m_iconDrawings.push_back(drawing); }

    // Modal state: EndDialog marks the dialog, and its modal loop ends.
    void endModal(int result);
    bool modalEnded() const { return m_modalEnded; }
    int modalResult() const { return m_modalResult; }

    LRESULT procedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void moveFocus(int direction);

    const DialogTemplate& m_template;
    Window* m_ownerWindow;
    std::vector<std::unique_ptr<Window>> m_controls;
    Window* m_focus = nullptr;
    Menu m_systemMenu;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    bool m_minimized = false;
    RECT m_clientRect{};
    std::vector<IconDrawing> m_iconDrawings;
    bool m_modalEnded = false;
    int m_modalResult = 0;
};

// A picture control: the icon it shows.
class Picture final : public Window {
public:
    Picture(const ControlTemplate& t, Window* parent);
    HICON icon() const { return m_icon; }

private:
    HICON m_icon;
};

// Pixels per dialog unit of the classic dialog font: 6 by 13 base units.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 13;

} // namespace platform
