#include "cli/Errors.h"

namespace cli {

namespace {

struct Entry {
    Error error;
    const char* text; // {} stands for the subject
};

constexpr Entry kMessages[] = {
    {Error::UnknownOption, "unknown option {}"},
    {Error::MissingValue, "{} needs a value"},
    {Error::UnexpectedValue, "{} takes no value"},
    {Error::UnexpectedArgument, "unexpected argument {}: every setting is an option"},
    {Error::RepeatedOption, "{} is given twice"},
    {Error::BadRate, "{}: the rate must be 2400, 4800, 9600 or 19200"},
    {Error::TwoActions, "{}: choose one of --first-time, --set-baud, --erase and --list"},
    {Error::CommandSetWithoutDownload,
     "--command-set picks what a download sends; it does not go with {}"},
    {Error::DialogUnanswerable, "the {} dialog lacks a control this front end fills in"},
    {Error::NoSuchCommandSet,
     "no command set {} in this directory; --list shows the ones there are"},
    {Error::BaudNeedsSerialPort, "--set-baud needs a serial port (COM1 to COM8), not {}"},
    {Error::RateNotAdopted, "the line display was not switched to {} baud"},
    {Error::DownloadNotCompleted, "the download ended without completing"},
    {Error::Interrupted,
     "interrupted by {}: the display holds only part of the command set; download it again"},
};

} // namespace

std::string describe(const Problem& problem) {
    for (const Entry& entry : kMessages) {
        if (entry.error != problem.error)
            continue;
        std::string text = entry.text;
        if (const auto at = text.find("{}"); at != std::string::npos)
            text.replace(at, 2, problem.subject);
        return text;
    }
    return "unknown error";
}

bool isUsageError(Error error) {
    return error <= Error::CommandSetWithoutDownload;
}

} // namespace cli
