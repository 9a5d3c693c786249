#include "platform/drivers/qt/Text.h"

namespace platform::qt {

QString withoutMnemonics(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        shown += text[i];
    }
    return shown;
}

} // namespace platform::qt
