#pragma once
// The layer's 8-bit text and Qt's strings. The system code page of a Linux
// desktop is UTF-8, and file names arrive in it.

#include "platform/text/CString.h"

#include <QString>

namespace platform::qt {

inline QString toQString(const CString& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.GetLength()));
}

inline CString toCString(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

// A control's text as shown, mnemonics taken out: "&&" is one ampersand, and a
// single one only marks the letter after it.
QString withoutMnemonics(const QString& text);

} // namespace platform::qt
