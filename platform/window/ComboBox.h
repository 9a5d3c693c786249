#pragma once
// A combo box: a drop-down list (selection only) or a drop-down combo whose edit
// field holds text of its own. In the combo, the edit text and the selection are
// independent: typing changes only the text, and a selection change sets the text
// to the entry's.

#include "platform/window/Window.h"

#include <vector>

namespace platform {

class ComboBox final : public Window {
public:
    ComboBox(int id, DWORD style, RECT bounds, Window* parent);

    bool hasEditField() const { return (style() & 0x3) == CBS_DROPDOWN; }
    bool isSorted() const { return (style() & CBS_SORT) != 0; }

    const std::vector<CString>& items() const { return m_items; }
    int selection() const { return m_selection; }
    int topIndex() const { return m_topIndex; }

    CString windowText() const override;
    void setWindowText(const CString& text) override;

    // The operator's own input: picking an entry and typing into the edit field.
    // Both notify the parent as the real control does.
    void pick(int index);
    void type(const CString& text);

    LRESULT procedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT addString(const CString& text);
    LRESULT selectString(int start, const CString& prefix);
    LRESULT setSelection(int index);
    void notifyParent(UINT code);

    std::vector<CString> m_items;
    int m_selection = -1;
    int m_topIndex = 0;
};

} // namespace platform
