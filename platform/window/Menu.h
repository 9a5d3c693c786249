#pragma once
// Menus as data: the system menu of a dialog and what the program appends to it.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"

#include <vector>

namespace platform {

struct MenuItem {
    UINT flags;
    UINT_PTR id;
    CString text;
    bool isSeparator() const { return (flags & MF_SEPARATOR) != 0; }
};

class Menu {
public:
    const std::vector<MenuItem>& items() const { return m_items; }
    void append(MenuItem item) { m_items.push_back(std::move(item)); }

private:
    std::vector<MenuItem> m_items;
};

} // namespace platform

class CMenu {
public:
    explicit CMenu(platform::Menu* menu = nullptr) : m_menu(menu) {}
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR text = nullptr);
    HMENU GetSafeHmenu() const { return m_menu; }

private:
    platform::Menu* m_menu;
};
