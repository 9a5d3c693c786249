#pragma once
// A message box as it reads on stderr: the caption as the prefix of its first
// line, like any command-line tool, and the further lines indented beneath it.

#include "platform/text/CString.h"

#include <string>

namespace console {

std::string messageText(const CString& caption, const CString& text);

} // namespace console
