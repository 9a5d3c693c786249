#pragma once
// The command line, parsed into one value the run is given; nothing global.

#include "cli/Errors.h"

#include <optional>
#include <string>

namespace cli {

enum class Action { Download, FirstTimeDownload, SetBaud, Erase, List };

struct Options {
    std::string port = "COM1";
    std::string baud = "9600"; // the rate the display runs at now, as the Port Setup list reads
    Action action = Action::Download;
    std::string commandSet; // empty: the one the catalogue picks itself
    std::string newBaud;    // --set-baud
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

} // namespace cli
