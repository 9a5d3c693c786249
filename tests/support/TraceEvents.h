#pragma once
// The emulator's trace: one flat JSON object per line, flattened to what the
// checks read: strings (escapes undone to their bytes), numbers and booleans.

#include <map>
#include <optional>
#include <string>
#include <vector>

struct TraceEvent {
    std::map<std::string, std::string> text; // strings
    std::map<std::string, double> number;    // numbers; booleans as 1 and 0
    std::string kind() const { return text.count("kind") ? text.at("kind") : ""; }
    double at(const std::string& key) const { return number.count(key) ? number.at(key) : -1; }
    bool flag(const std::string& key) const { return at(key) == 1; }
};

std::optional<TraceEvent> parseTraceLine(const std::string& line);
// Every line of the file; a line that does not parse is left out and reported.
std::vector<TraceEvent> readTrace(const std::string& path,
                                  std::vector<std::string>* unreadable = nullptr);
