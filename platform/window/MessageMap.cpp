#include "platform/window/MessageMap.h"

namespace platform {

const MessageEntry* MessageMap::find(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = this; map; map = map->m_base) {
        for (const MessageEntry& entry : map->m_entries) {
            if (entry.message != message)
                continue;
            if (message == WM_COMMAND && (entry.id != LOWORD(static_cast<DWORD>(wParam)) ||
                                          entry.code != HIWORD(static_cast<DWORD>(wParam))))
                continue;
            return &entry;
        }
    }
    return nullptr;
}

} // namespace platform
