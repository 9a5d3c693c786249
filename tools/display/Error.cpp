#include "tools/display/Error.h"

#include <array>
#include <cstring>
#include <utility>

namespace display {

namespace {

constexpr std::array kMessages = {
    std::pair{Error::UnknownOption, "unknown option (see --help)"},
    std::pair{Error::MissingValue, "the option needs a value"},
    std::pair{Error::UnexpectedValue, "the option takes no value"},
    std::pair{Error::BadNumber, "not a whole number in range"},
    std::pair{Error::BadBaud, "not a display rate: use 2400, 4800, 9600 or 19200"},
    std::pair{Error::UnexpectedArgument, "unexpected argument (options begin with --)"},
    std::pair{Error::LinkWithDevice,
              "--link names the pseudo-terminal and cannot go with --device"},
    std::pair{Error::OpenPty, "cannot create a pseudo-terminal"},
    std::pair{Error::OpenDevice, "cannot open the device"},
    std::pair{Error::NotATty, "the device is not a terminal line"},
    std::pair{Error::ConfigureDevice, "cannot set the device's line speed and framing"},
    std::pair{Error::LinkExists, "the link path exists and is not a symbolic link; remove it"},
    std::pair{Error::MakeLink, "cannot make the link"},
    std::pair{Error::WatchPort, "cannot watch the pseudo-terminal for opens and closes"},
    std::pair{Error::BlockSignals, "cannot take over SIGINT and SIGTERM"},
    std::pair{Error::OpenTrace, "cannot create the trace file"},
    std::pair{Error::WriteTrace, "cannot write the trace file"},
    std::pair{Error::WriteImage, "cannot write the image file"},
    std::pair{Error::ReadLine, "reading the line failed"},
    std::pair{Error::LineHungUp, "the line was hung up"},
};

} // namespace

std::string_view message(Error error) {
    for (const auto& [code, text] : kMessages) {
        if (code == error)
            return text;
    }
    return "unknown error";
}

std::string describe(const Problem& problem) {
    std::string text(message(problem.error));
    if (!problem.subject.empty())
        text += ": " + problem.subject;
    if (problem.errnum != 0)
        text += std::string(": ") + std::strerror(problem.errnum);
    return text;
}

bool isUsageError(Error error) {
    switch (error) {
    case Error::UnknownOption:
    case Error::MissingValue:
    case Error::UnexpectedValue:
    case Error::BadNumber:
    case Error::BadBaud:
    case Error::UnexpectedArgument:
    case Error::LinkWithDevice:
        return true;
    default:
        return false;
    }
}

} // namespace display
