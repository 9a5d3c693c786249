#include "platform/window/ComboBox.h"

#include "platform/text/Ascii.h"
#include "platform/window/Wnd.h"

#include <cstring>

namespace platform {

ComboBox::ComboBox(int id, DWORD style, RECT bounds, Window* parent)
    : Window(WindowKind::ComboBox, id, style, CString(), bounds, parent) {}

CString ComboBox::windowText() const {
    if (hasEditField())
        return m_text;
    return m_selection >= 0 ? m_items[static_cast<std::size_t>(m_selection)] : CString();
}

void ComboBox::setWindowText(const CString& text) {
    // A drop-down list has no text of its own to set.
    if (hasEditField())
        Window::setWindowText(text);
}

void ComboBox::pick(int index) {
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return;
    setSelection(index);
    notifyParent(CBN_SELCHANGE);
}

void ComboBox::type(const CString& text) {
    if (!hasEditField())
        return;
    Window::setWindowText(text);
    notifyParent(CBN_EDITCHANGE);
}

LRESULT ComboBox::procedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        return addString(CString(reinterpret_cast<const char*>(lParam)));
    case CB_RESETCONTENT:
        m_items.clear();
        m_selection = -1;
        m_topIndex = 0;
        notify(Change::Items);
        if (hasEditField())
            Window::setWindowText(CString());
        return TRUE;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case CB_GETCURSEL:
        return m_selection;
    case CB_SETCURSEL:
        return setSelection(static_cast<int>(static_cast<LONG_PTR>(wParam)));
    case CB_SELECTSTRING:
        return selectString(static_cast<int>(static_cast<LONG_PTR>(wParam)),
                            CString(reinterpret_cast<const char*>(lParam)));
    case CB_GETLBTEXTLEN:
        if (wParam >= m_items.size())
            return CB_ERR;
        return m_items[wParam].GetLength();
    case CB_GETLBTEXT: {
        if (wParam >= m_items.size())
            return CB_ERR;
        const CString& item = m_items[wParam];
        auto* buffer = reinterpret_cast<char*>(lParam);
        std::memcpy(buffer, item.data(), static_cast<std::size_t>(item.GetLength()));
        buffer[item.GetLength()] = '\0';
        return item.GetLength();
    }
    case CB_SETTOPINDEX:
        if (wParam >= m_items.size() && !(wParam == 0 && m_items.empty()))
            return CB_ERR;
        m_topIndex = static_cast<int>(wParam);
        return 0;
    case CB_GETTOPINDEX:
        return m_topIndex;
    default:
        return Window::procedure(message, wParam, lParam);
    }
}

LRESULT ComboBox::addString(const CString& text) {
    std::size_t at = m_items.size();
    if (isSorted()) {
        // After every entry that does not sort after the new one, so equal names
        // keep the order in which they were added.
        at = 0;
        while (at < m_items.size() && compareNoCase(m_items[at].view(), text.view()) <= 0)
            ++at;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), text);
    if (m_selection >= static_cast<int>(at))
        ++m_selection;
    notify(Change::Items);
    return static_cast<LRESULT>(at);
}

LRESULT ComboBox::selectString(int start, const CString& prefix) {
    const int count = static_cast<int>(m_items.size());
    // The search begins after the start entry and wraps; -1 searches from the top.
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int index = (first + n) % count;
        if (startsWithNoCase(m_items[static_cast<std::size_t>(index)].view(), prefix.view()))
            return setSelection(index);
    }
    return CB_ERR;
}

LRESULT ComboBox::setSelection(int index) {
    const bool valid = index >= 0 && index < static_cast<int>(m_items.size());
    const int selection = valid ? index : -1;
    if (selection != m_selection) {
        m_selection = selection;
        notify(Change::Selection);
    }
    if (hasEditField())
        Window::setWindowText(valid ? m_items[static_cast<std::size_t>(index)] : CString());
    return valid ? index : CB_ERR;
}

void ComboBox::notifyParent(UINT code) {
    if (parent())
        SendMessageA(parent(), WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(id()), static_cast<WORD>(code)),
                     reinterpret_cast<LPARAM>(this));
}

} // namespace platform
