#include "tests/support/TraceEvents.h"

#include "tests/support/JsonReader.h"

#include <fstream>

std::optional<TraceEvent> parseTraceLine(const std::string& line) {
    const std::optional<JsonObject> object = parseJsonObject(line);
    if (!object)
        return std::nullopt;
    TraceEvent event;
    for (const auto& [key, value] : *object) {
        switch (value.type) {
        case JsonValue::Type::String:
            event.text[key] = value.text;
            break;
        case JsonValue::Type::Number:
            event.number[key] = value.number;
            break;
        case JsonValue::Type::Bool:
            event.number[key] = value.boolean ? 1 : 0;
            break;
        case JsonValue::Type::Array:
        case JsonValue::Type::Null:
            break;
        }
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
