#pragma once
// Message maps: each class that handles messages lists them in a table, chained
// to its base class's table. Dispatch walks the chain from the most derived
// class, so a derived entry hides the base entry for the same message.

#include "platform/base/Win32Types.h"

#include <functional>
#include <initializer_list>
#include <vector>

class CCmdTarget;

namespace platform {

struct MessageEntry {
    UINT message = 0;
    UINT code = 0; // notification code, for WM_COMMAND
    UINT id = 0;   // control or command id, for WM_COMMAND
    std::function<LRESULT(CCmdTarget&, WPARAM, LPARAM)> call;
};

class MessageMap {
public:
    MessageMap(const MessageMap* base, std::initializer_list<MessageEntry> entries)
        : m_base(base), m_entries(entries) {}

    const MessageMap* base() const { return m_base; }
    const std::vector<MessageEntry>& entries() const { return m_entries; }

    // The entry that handles this message, searching the chain; nullptr if none.
    const MessageEntry* find(UINT message, WPARAM wParam) const;

private:
    const MessageMap* m_base;
    std::vector<MessageEntry> m_entries;
};

// Entry builders. Each binds a member function of the class T that owns the map.
template <class T> MessageEntry onCommand(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, BN_CLICKED, id, [handler](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
                (static_cast<T&>(target).*handler)();
                return 0;
            }};
}

template <class T> MessageEntry onNotify(UINT code, UINT id, void (T::*handler)()) {
    MessageEntry entry = onCommand(id, handler);
    entry.code = code;
    return entry;
}

template <class T> MessageEntry onTimer(void (T::*handler)(UINT)) {
    return {WM_TIMER, 0, 0, [handler](CCmdTarget& target, WPARAM wParam, LPARAM) -> LRESULT {
                (static_cast<T&>(target).*handler)(static_cast<UINT>(wParam));
                return 0;
            }};
}

template <class T> MessageEntry onSysCommand(void (T::*handler)(UINT, LPARAM)) {
    return {WM_SYSCOMMAND, 0, 0,
            [handler](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> LRESULT {
                (static_cast<T&>(target).*handler)(static_cast<UINT>(wParam), lParam);
                return 0;
            }};
}

template <class T> MessageEntry onPaint(void (T::*handler)()) {
    return {WM_PAINT, 0, 0, [handler](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
                (static_cast<T&>(target).*handler)();
                return 0;
            }};
}

template <class T> MessageEntry onQueryDragIcon(HICON (T::*handler)()) {
    return {WM_QUERYDRAGICON, 0, 0, [handler](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
                return reinterpret_cast<LRESULT>((static_cast<T&>(target).*handler)());
            }};
}

} // namespace platform
