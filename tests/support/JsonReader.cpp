#include "tests/support/JsonReader.h"

#include <cstdlib>
#include <tuple>

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() {
        skipSpace();
        return at_ == text_.size();
    }

    bool take(char c) {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    std::optional<std::string> string() {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            char c = text_[at_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ == text_.size())
                return std::nullopt;
            char e = text_[at_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                if (at_ + 4 > text_.size())
                    return std::nullopt;
                std::string hex(text_.substr(at_, 4));
                char* end = nullptr;
                long code = std::strtol(hex.c_str(), &end, 16);
                if (end != hex.c_str() + 4 || code > 0xFF)
                    return std::nullopt;
                out += static_cast<char>(code);
                at_ += 4;
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<JsonValue> value() {
        skipSpace();
        JsonValue v;
        if (at_ < text_.size() && text_[at_] == '"') {
            auto s = string();
            if (!s)
                return std::nullopt;
            v.type = JsonValue::Type::String;
            v.text = *s;
            return v;
        }
        if (take('[')) {
            v.type = JsonValue::Type::Array;
            if (take(']'))
                return v;
            do {
                auto item = value();
                if (!item)
                    return std::nullopt;
                v.items.push_back(*item);
            } while (take(','));
            return take(']') ? std::optional(v) : std::nullopt;
        }
        for (auto [word, type, flag] : {std::tuple{"true", JsonValue::Type::Bool, true},
                                        std::tuple{"false", JsonValue::Type::Bool, false},
                                        std::tuple{"null", JsonValue::Type::Null, false}}) {
            std::string_view w(word);
            if (text_.substr(at_, w.size()) == w) {
                at_ += w.size();
                v.type = type;
                v.boolean = flag;
                return v;
            }
        }
        std::string rest(text_.substr(at_));
        char* end = nullptr;
        v.number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str())
            return std::nullopt;
        at_ += static_cast<std::size_t>(end - rest.c_str());
        v.type = JsonValue::Type::Number;
        return v;
    }

private:
    void skipSpace() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n'))
            ++at_;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

std::optional<JsonObject> parseJsonObject(std::string_view line) {
    Reader reader(line);
    JsonObject object;
    if (!reader.take('{'))
        return std::nullopt;
    if (!reader.take('}')) {
        do {
            auto key = reader.string();
            if (!key || !reader.take(':'))
                return std::nullopt;
            auto value = reader.value();
            if (!value || object.count(*key))
                return std::nullopt;
            object[*key] = *value;
        } while (reader.take(','));
        if (!reader.take('}'))
            return std::nullopt;
    }
    if (!reader.atEnd())
        return std::nullopt;
    return object;
}

std::optional<std::string> parseJsonString(std::string_view literal) {
    Reader reader(literal);
    auto s = reader.string();
    if (!s || !reader.atEnd())
        return std::nullopt;
    return s;
}
