#pragma once
// Everything that can stop the emulator, as values: one enum, one table of
// messages, and the detail (a path, an option, an errno) carried beside it.

#include <string>
#include <string_view>

namespace display {

enum class Error {
    UnknownOption,
    MissingValue,
    UnexpectedValue,
    BadNumber,
    BadBaud,
    UnexpectedArgument,
    LinkWithDevice,
    OpenPty,
    OpenDevice,
    NotATty,
    ConfigureDevice,
    LinkExists,
    MakeLink,
    WatchPort,
    BlockSignals,
    OpenTrace,
    WriteTrace,
    WriteImage,
    ReadLine,
    LineHungUp,
};

struct Problem {
    Error error;
    std::string subject; // the option, path or value it concerns; may be empty
    int errnum = 0;      // errno of the failed system call, 0 when none
};

std::string_view message(Error error);
// "message: subject: strerror" with the parts that are present.
std::string describe(const Problem& problem);
// Options and arguments are the caller's fault (exit code 2); the rest are the
// machine's (exit code 1).
bool isUsageError(Error error);

} // namespace display
