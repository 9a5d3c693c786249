#pragma once
// The root of the class tree: run-time class information, dynamic creation and
// message maps. Classes name themselves in a CRuntimeClass record; those that can
// be created by name give it a factory.

#include "platform/base/Win32Types.h"
#include "platform/window/MessageMap.h"

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    CObject* (*m_pfnCreateObject)(); // nullptr when the class is not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class, or nullptr when it has no factory.
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

    static const CRuntimeClass classCObject;
};

class CCmdTarget : public CObject {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCCmdTarget;

    // Runs the handler of this message from the class's map chain. Returns FALSE,
    // leaving result untouched, when no entry handles it.
    BOOL OnCmdMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    virtual const platform::MessageMap* GetMessageMap() const;
};
