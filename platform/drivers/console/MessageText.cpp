#include "platform/drivers/console/MessageText.h"

namespace console {

std::string messageText(const CString& caption, const CString& text) {
    const std::string prefix = caption.IsEmpty() ? std::string() : caption.str() + ": ";
    const std::string indent(prefix.size(), ' ');
    const std::string body = text.str();
    std::string out = prefix;
    for (char c : body) {
        out += c;
        if (c == '\n')
            out += indent;
    }
    return out + "\n";
}

} // namespace console
