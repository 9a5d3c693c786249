#pragma once
// The JSON-lines trace: one object per event, then the summary, for tests and
// scripts. Every line is flushed as it is written, so a reader sees the run live
// and a killed emulator leaves every event before its end.
//
// Strings carry the received bytes one character per byte: bytes 0x80 to 0xFF
// become U+0080 to U+00FF, so the bytes can be recovered exactly.

#include "tools/display/Error.h"
#include "tools/display/Event.h"
#include "tools/display/Outcome.h"
#include "tools/display/Summary.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace display {

std::string jsonString(std::string_view bytes);
std::string eventJson(const Event& event);
std::string summaryJson(const Summary& summary, const Outcome& outcome);

class Trace {
public:
    Trace() = default;
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
    ~Trace();

    std::optional<Problem> open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void write(const std::string& line);
    // Closes the file; a write that failed at any time is reported here.
    std::optional<Problem> close();

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    int failedErrno_ = 0;
};

} // namespace display
