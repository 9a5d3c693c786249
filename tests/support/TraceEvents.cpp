#include "tests/support/TraceEvents.h"

#include <cstdlib>
#include <fstream>

namespace {

class Cursor {
public:
    explicit Cursor(const std::string& s) : m_s(s) {}
    bool done() const { return m_at >= m_s.size(); }
    char peek() const { return done() ? '\0' : m_s[m_at]; }
    bool take(char c) {
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }
    bool word(const char* w) {
        const std::string text = w;
        if (m_s.compare(m_at, text.size(), text) != 0)
            return false;
        m_at += text.size();
        return true;
    }

    std::optional<std::string> string() {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (!done()) {
            const char c = m_s[m_at++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = peek();
            ++m_at;
            switch (e) {
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
                if (m_at + 4 > m_s.size())
                    return std::nullopt;
                out += static_cast<char>(std::strtol(m_s.substr(m_at, 4).c_str(), nullptr, 16));
                m_at += 4;
                break;
            }
            default:
                out += e;
            }
        }
        return std::nullopt;
    }

    std::optional<double> number() {
        const char* begin = m_s.c_str() + m_at;
        char* end = nullptr;
        const double value = std::strtod(begin, &end);
        if (end == begin)
            return std::nullopt;
        m_at += static_cast<std::size_t>(end - begin);
        return value;
    }

    std::optional<std::string> array() {
        const std::size_t start = m_at;
        if (!take('['))
            return std::nullopt;
        while (!done() && peek() != ']') {
            if (peek() == '"') {
                if (!string())
                    return std::nullopt;
            } else {
                ++m_at;
            }
        }
        if (!take(']'))
            return std::nullopt;
        return m_s.substr(start, m_at - start);
    }

private:
    const std::string& m_s;
    std::size_t m_at = 0;
};

} // namespace

std::optional<TraceEvent> parseTraceLine(const std::string& line) {
    Cursor c(line);
    TraceEvent event;
    if (!c.take('{'))
        return std::nullopt;
    while (!c.take('}')) {
        const std::optional<std::string> key = c.string();
        if (!key || !c.take(':'))
            return std::nullopt;
        if (c.peek() == '"') {
            const auto value = c.string();
            if (!value)
                return std::nullopt;
            event.text[*key] = *value;
        } else if (c.peek() == '[') {
            const auto value = c.array();
            if (!value)
                return std::nullopt;
            event.text[*key] = *value;
        } else if (c.word("true")) {
            event.number[*key] = 1;
        } else if (c.word("false")) {
            event.number[*key] = 0;
        } else if (!c.word("null")) {
            const auto value = c.number();
            if (!value)
                return std::nullopt;
            event.number[*key] = *value;
        }
        c.take(',');
    }
    return event;
}

std::vector<TraceEvent> readTrace(const std::string& path, std::vector<std::string>* unreadable) {
    std::vector<TraceEvent> events;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (auto event = parseTraceLine(line))
            events.push_back(*event);
        else if (unreadable)
            unreadable->push_back(line);
    }
    return events;
}
