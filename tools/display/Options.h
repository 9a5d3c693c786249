#pragma once
// The command line, parsed into one value that the run is given; nothing global.

#include "tools/display/Error.h"
#include "tools/display/Time.h"

#include <optional>
#include <string>

namespace display {

struct Options {
    unsigned baudRate = 9600;
    Micros eraseTime = fromMillis(2000);
    Micros flashTime = fromMillis(5);
    std::optional<Micros> exitAfterIdle;
    std::optional<int> records; // end after this many records
    std::string device;         // empty: make a pty
    std::string link;
    std::string trace;
    std::string image;
    bool quiet = false;
};

enum class Command { Run, Help, Version };

struct Arguments {
    Command command = Command::Run;
    Options options;
    std::optional<Problem> problem;
};

Arguments parseArguments(int argc, const char* const* argv);
std::string helpText();
std::string versionText();

} // namespace display
