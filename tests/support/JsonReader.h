#pragma once
// Reads the flat JSON objects of the emulator's trace: strings, numbers,
// booleans, null and arrays of those. Strings come back as the bytes they carry
// (\u0000 to \u00ff are one byte each), which is how the trace encodes them.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
};

using JsonObject = std::map<std::string, JsonValue>;

std::optional<JsonObject> parseJsonObject(std::string_view line);
// The string a JSON string literal stands for, or nullopt when it is not one.
std::optional<std::string> parseJsonString(std::string_view literal);
