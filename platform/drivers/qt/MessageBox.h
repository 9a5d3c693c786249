#pragma once
// The layer's message box: the text as given, line feeds kept, one OK button,
// the icon the type asks for, over its owner. Runs a nested loop until closed.

#include "platform/text/CString.h"

class QWidget;

namespace platform::qt {

void showMessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type);

} // namespace platform::qt
