#pragma once
// Data exchange between a dialog's fields and its controls. One context carries
// the dialog and the direction; each DDX_ call moves one binding that way.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to fields; FALSE: fields to controls
    CWnd* m_pDlgWnd;

    // The control's window; nullptr when the dialog has no such control.
    HWND PrepareCtrl(int id) const;
};

// Attaches the control to the object on the first exchange.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The control's whole text.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// The index of the list's selected entry, -1 when none.
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// Loading selects the first entry that begins with the text (ignoring case) and
// shows its whole text, or shows the text itself when none does; saving takes the
// text of the edit field.
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
