#pragma once
// What can go wrong in the front end itself, each with one message in one table.
// The program's own failures are its message boxes, printed as they come.

#include <string>

namespace cli {

enum class Error {
    // The command line.
    UnknownOption,
    MissingValue,
    UnexpectedValue,
    UnexpectedArgument,
    RepeatedOption,
    BadRate,
    TwoActions,
    CommandSetWithoutDownload,
    // The run.
    DialogUnanswerable,
    NoSuchCommandSet,
    BaudNeedsSerialPort,
    RateNotAdopted,
    DownloadNotCompleted,
    Interrupted,
};

struct Problem {
    Error error;
    std::string subject;
};

std::string describe(const Problem& problem);
bool isUsageError(Error error);

} // namespace cli
