#include "tools/display/Trace.h"

#include "tools/display/EventText.h"

#include <cerrno>

namespace display {

namespace {

std::string number(Micros us) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", toMillis(us));
    return text;
}

// Builds one flat JSON object, key by key.
class JsonObject {
public:
    JsonObject& raw(std::string_view key, std::string_view value) {
        text_ += text_.empty() ? "{" : ",";
        text_ += jsonString(key);
        text_ += ':';
        text_ += value;
        return *this;
    }
    JsonObject& text(std::string_view key, std::string_view value) {
        return raw(key, jsonString(value));
    }
    JsonObject& ms(std::string_view key, Micros value) { return raw(key, number(value)); }
    JsonObject& integer(std::string_view key, long long value) {
        return raw(key, std::to_string(value));
    }
    JsonObject& boolean(std::string_view key, bool value) {
        return raw(key, value ? "true" : "false");
    }
    JsonObject& strings(std::string_view key, const std::vector<std::string>& values) {
        std::string list = "[";
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i)
                list += ',';
            list += jsonString(values[i]);
        }
        return raw(key, list + "]");
    }
    std::string line() const { return text_ + "}\n"; }

private:
    std::string text_;
};

std::string_view kindName(EventKind kind) {
    switch (kind) {
    case EventKind::Open:
        return "open";
    case EventKind::Close:
        return "close";
    case EventKind::Erase:
        return "erase";
    case EventKind::SetBaud:
        return "set-baud";
    case EventKind::Record:
        return "record";
    case EventKind::Garbage:
        return "garbage";
    case EventKind::Lost:
        return "lost";
    case EventKind::Rejected:
        return "rejected";
    }
    return "unknown";
}

} // namespace

std::string jsonString(std::string_view bytes) {
    std::string text = "\"";
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            text += '\\';
            text += c;
        } else if (b == '\n') {
            text += "\\n";
        } else if (b == '\r') {
            text += "\\r";
        } else if (b == '\t') {
            text += "\\t";
        } else if (b < 0x20 || b >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", b);
            text += escape;
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string eventJson(const Event& e) {
    JsonObject json;
    json.text("kind", kindName(e.kind)).ms("t_ms", e.t).ms("gap_ms", e.gap);
    switch (e.kind) {
    case EventKind::Open:
        break;
    case EventKind::Close:
        json.boolean("released_exclusive", e.releasedExclusive);
        break;
    case EventKind::Erase:
        json.ms("end_ms", e.end)
            .text("mode", e.mode == EraseMode::Normal ? "normal" : "first-time")
            .strings("errors", e.errors);
        break;
    case EventKind::SetBaud:
        json.ms("end_ms", e.end)
            .integer("index", e.baudIndex)
            .raw("rate", e.rate != 0 ? std::to_string(e.rate) : "null")
            .strings("errors", e.errors);
        break;
    case EventKind::Record:
        json.ms("end_ms", e.end)
            .integer("n", e.number)
            .text("text", e.bytes)
            .integer("length", static_cast<long long>(e.bytes.size()))
            .integer("type", e.recordType)
            .integer("address", e.address)
            .boolean("overrun", e.overrun)
            .boolean("checksum_error", e.checksumError)
            .strings("errors", e.errors);
        break;
    case EventKind::Garbage:
    case EventKind::Lost:
        json.ms("end_ms", e.end)
            .integer("length", static_cast<long long>(e.bytes.size()))
            .text("hex", hexBytes(e.bytes, e.bytes.size()))
            .text("reason", e.reason);
        break;
    case EventKind::Rejected:
        json.ms("end_ms", e.end)
            .integer("length", static_cast<long long>(e.bytes.size()))
            .text("hex", hexBytes(e.bytes, e.bytes.size()))
            .raw("line_rate", e.rate != 0 ? std::to_string(e.rate) : "null")
            .integer("display_rate", e.displayRate);
        break;
    }
    return json.line();
}

std::string summaryJson(const Summary& s, const Outcome& o) {
    GapStats gaps = s.gaps();
    auto gap = [&gaps](Micros value) { return gaps.count ? number(value) : std::string("null"); };
    JsonObject json;
    json.text("kind", "summary")
        .ms("t_ms", o.t)
        .text("end", o.end)
        .integer("records", s.records)
        .integer("bytes", static_cast<long long>(s.bytes))
        .integer("checksum_errors", s.checksumErrors)
        .integer("malformed", s.malformed)
        .integer("overruns", s.overruns)
        .integer("lost", static_cast<long long>(s.lost))
        .integer("rejected", static_cast<long long>(s.rejected))
        .integer("garbage", static_cast<long long>(s.garbage))
        .integer("erases", s.erases)
        .integer("baud_changes", s.baudChanges)
        .integer("gap_count", static_cast<long long>(gaps.count))
        .raw("gap_min_ms", gap(gaps.min))
        .raw("gap_median_ms", gap(gaps.median))
        .raw("gap_max_ms", gap(gaps.max))
        .raw("erase_wait_ms", s.eraseWait ? number(*s.eraseWait) : "null")
        .ms("total_ms", s.total())
        .integer("display_rate", o.displayRate)
        .integer("image_bytes", static_cast<long long>(o.imageBytes));
    return json.line();
}

Trace::~Trace() {
    if (file_)
        std::fclose(file_);
}

std::optional<Problem> Trace::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_)
        return Problem{Error::OpenTrace, path, errno};
    path_ = path;
    return std::nullopt;
}

void Trace::write(const std::string& line) {
    if (!file_ || failedErrno_ != 0)
        return;
    if (std::fputs(line.c_str(), file_) < 0 || std::fflush(file_) != 0)
        failedErrno_ = errno != 0 ? errno : EIO;
}

std::optional<Problem> Trace::close() {
    if (!file_)
        return std::nullopt;
    int result = std::fclose(file_);
    file_ = nullptr;
    if (failedErrno_ == 0 && result != 0)
        failedErrno_ = errno != 0 ? errno : EIO;
    if (failedErrno_ != 0)
        return Problem{Error::WriteTrace, path_, failedErrno_};
    return std::nullopt;
}

} // namespace display
