#include "platform/window/Menu.h"

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR text) {
    if (!m_menu)
        return FALSE;
    m_menu->append({flags, id, CString(text)});
    return TRUE;
}
