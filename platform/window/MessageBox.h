#pragma once
// Message boxes: modal, one OK button, captioned with the program's title.

#include "platform/base/Win32Types.h"

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
