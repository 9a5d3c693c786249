#include "tools/display/EventText.h"

#include <cstdio>

namespace display {

namespace {

std::string ms(Micros us) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", toMillis(us));
    return text;
}

std::string describe(const Event& e) {
    switch (e.kind) {
    case EventKind::Open:
        return "port opened";
    case EventKind::Close:
        return e.releasedExclusive ? "port closed (its exclusive mode was left set; cleared it, as "
                                     "a last close would)"
                                   : "port closed";
    case EventKind::Erase:
        return e.mode == EraseMode::Normal ? "erase normal" : "erase first-time";
    case EventKind::SetBaud:
        return "set-baud index " + std::to_string(e.baudIndex) +
               (e.rate != 0 ? ": display now at " + std::to_string(e.rate) + " baud"
                            : ": rate unchanged");
    case EventKind::Record: {
        std::string_view text(e.bytes);
        if (!text.empty() && text.back() == '\n')
            text.remove_suffix(1);
        return "record " + std::to_string(e.number) + ", " + std::to_string(e.bytes.size()) +
               " bytes: " + escapeBytes(text);
    }
    case EventKind::Garbage:
        return "garbage, " + std::to_string(e.bytes.size()) + " bytes (" + e.reason +
               "): " + hexBytes(e.bytes, 32);
    case EventKind::Lost:
        return "lost " + std::to_string(e.bytes.size()) + " bytes (" + e.reason + ")";
    case EventKind::Rejected:
        return "rejected " + std::to_string(e.bytes.size()) + " bytes sent at " +
               (e.rate != 0 ? std::to_string(e.rate) + " baud" : "an unknown rate") +
               " to the display at " + std::to_string(e.displayRate) + " baud";
    }
    return {};
}

} // namespace

std::string escapeBytes(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b == '\r') {
            text += "\\r";
        } else if (b == '\n') {
            text += "\\n";
        } else if (b == '\t') {
            text += "\\t";
        } else if (b == '\\') {
            text += "\\\\";
        } else if (b >= 0x20 && b < 0x7F) {
            text += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            text += hex;
        }
    }
    return text;
}

std::string hexBytes(std::string_view bytes, std::size_t limit) {
    std::string text;
    char hex[4];
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0)
            text += ' ';
        text += hex;
    }
    if (bytes.size() > limit)
        text += " ...";
    return text;
}

std::string eventLine(const Event& e) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%10.1f ms %+10.1f  ", toMillis(e.t), toMillis(e.gap));
    std::string line = stamp + describe(e);
    std::string notes;
    if (e.overrun)
        notes = "OVERRUN: began before the previous record was written";
    for (const std::string& error : e.errors)
        notes += (notes.empty() ? "" : "; ") + error;
    if (!notes.empty())
        line += "  -- " + notes;
    return line + "\n";
}

std::string summaryText(const Summary& s, const Outcome& o) {
    std::string text = "veltran-display: summary (ended by " + std::string(o.end) + ")\n";
    text += "  records   " + std::to_string(s.records) +
            " (checksum errors: " + std::to_string(s.checksumErrors) +
            ", malformed: " + std::to_string(s.malformed) +
            ", overruns: " + std::to_string(s.overruns) + ")\n";
    text += "  bytes     " + std::to_string(s.bytes) +
            " received (lost during erase: " + std::to_string(s.lost) +
            ", rejected at a wrong rate: " + std::to_string(s.rejected) +
            ", garbage: " + std::to_string(s.garbage) + ")\n";
    GapStats gaps = s.gaps();
    if (gaps.count > 0)
        text += "  gaps      min " + ms(gaps.min) + ", median " + ms(gaps.median) + ", max " +
                ms(gaps.max) + " (" + std::to_string(gaps.count) + " between records)\n";
    else
        text += "  gaps      none between records\n";
    if (s.eraseWait)
        text += "  erases    " + std::to_string(s.erases) + ", the last followed by " +
                ms(*s.eraseWait) + " of quiet before its first record\n";
    else
        text += "  erases    " + std::to_string(s.erases) + "\n";
    text += "  total     " + ms(s.total()) + " from the first byte to the last\n";
    text += "  display   " + std::to_string(o.displayRate) + " baud after " +
            std::to_string(s.baudChanges) + " rate change(s), " + std::to_string(o.imageBytes) +
            " bytes in its image\n";
    return text;
}

} // namespace display
