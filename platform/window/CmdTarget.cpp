#include "platform/window/CmdTarget.h"

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == base)
            return TRUE;
    }
    return FALSE;
}

const CRuntimeClass CObject::classCObject{"CObject", nullptr, nullptr};
const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

const CRuntimeClass CCmdTarget::classCCmdTarget{"CCmdTarget", nullptr, &CObject::classCObject};
const CRuntimeClass* CCmdTarget::GetRuntimeClass() const {
    return &classCCmdTarget;
}

const platform::MessageMap* CCmdTarget::GetMessageMap() const {
    static const platform::MessageMap map(nullptr, {});
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const platform::MessageEntry* entry = GetMessageMap()->find(message, wParam);
    if (!entry)
        return FALSE;
    result = entry->call(*this, wParam, lParam);
    return TRUE;
}
