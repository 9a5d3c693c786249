#include "cli/Options.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string_view>

namespace cli {

namespace {

struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

constexpr OptionSpec kOptions[] = {
    {"--port", true},     {"--baud", true},        {"--command-set", true},
    {"--set-baud", true}, {"--first-time", false}, {"--erase", false},
    {"--list", false},    {"--help", false},       {"--version", false},
};

// The rates of the display, as the program's baud lists offer them.
constexpr std::string_view kRates[] = {"2400", "4800", "9600", "19200"};

bool isRate(std::string_view text) {
    return std::find(std::begin(kRates), std::end(kRates), text) != std::end(kRates);
}

} // namespace

Arguments parseArguments(int argc, const char* const* argv) {
    Arguments result;
    Options& o = result.options;
    auto fail = [&result](Error error, std::string subject) {
        result.problem = Problem{error, std::move(subject)};
        return result;
    };

    std::set<std::string_view> seen;
    std::string_view actionOption;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "-h")
            arg = "--help";
        if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-')
            return fail(Error::UnknownOption, std::string(arg));
        if (arg.substr(0, 2) != "--" || arg.size() == 2)
            return fail(Error::UnexpectedArgument, std::string(arg));

        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const auto eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const auto spec = std::find_if(std::begin(kOptions), std::end(kOptions),
                                       [name](const OptionSpec& s) { return s.name == name; });
        if (spec == std::end(kOptions))
            return fail(Error::UnknownOption, std::string(name));
        if (!seen.insert(spec->name).second)
            return fail(Error::RepeatedOption, std::string(name));

        if (!spec->takesValue) {
            if (value)
                return fail(Error::UnexpectedValue, std::string(name));
        } else if (!value) {
            // A following option is not a value: "--port --list" lacks the port.
            if (i + 1 < argc && std::string_view(argv[i + 1]).substr(0, 2) != "--")
                value = argv[++i];
            else
                return fail(Error::MissingValue, std::string(name));
        }
        if (spec->takesValue && value->empty())
            return fail(Error::MissingValue, std::string(name));

        if (name == "--help") {
            result.command = Command::Help;
        } else if (name == "--version") {
            result.command = Command::Version;
        } else if (name == "--port") {
            o.port = *value;
        } else if (name == "--baud" || name == "--set-baud") {
            if (!isRate(*value))
                return fail(Error::BadRate, std::string(name) + " " + std::string(*value));
            (name == "--baud" ? o.baud : o.newBaud) = *value;
        } else if (name == "--command-set") {
            o.commandSet = *value;
        }

        if (name == "--first-time" || name == "--set-baud" || name == "--erase" ||
            name == "--list") {
            if (!actionOption.empty())
                return fail(Error::TwoActions,
                            std::string(actionOption) + " and " + std::string(name));
            actionOption = spec->name;
            o.action = name == "--first-time" ? Action::FirstTimeDownload
                       : name == "--set-baud" ? Action::SetBaud
                       : name == "--erase"    ? Action::Erase
                                              : Action::List;
        }
    }
    const bool downloads = o.action == Action::Download || o.action == Action::FirstTimeDownload;
    if (!o.commandSet.empty() && !downloads)
        return fail(Error::CommandSetWithoutDownload, std::string(actionOption));
    return result;
}

std::string helpText() {
    return R"(Usage: veltran-cli [OPTION]...
Loads a command set into a line display, or sets the display's baud rate, from
a terminal. It works like the desktop program, in the current directory: the
command sets are its *.CSF files.

Where the display is:
  --port NAME          the port: COM1 to COM8, LPT1, \\.\NAME, or a path
                       (default COM1). COMn opens the link
                       ~/.config/veltran/devices/comn when there is one,
                       otherwise /dev/ttyS<n-1>
  --baud RATE          the rate the display runs at now: 2400, 4800, 9600
                       (default) or 19200

What to do (a download when none is given):
  --command-set NAME   download this command set, by its name in the list or
                       by its file name (default: the one the list picks, KTX
                       when there is one)
  --first-time         download with the first-time erase of a fresh display
  --set-baud RATE      switch the display to RATE; later runs need --baud RATE
  --erase              erase the display's flash and send nothing
  --list               print the command sets, each with its file

  --help               show this help and exit
  --version            show the version and exit

The port is opened once at start to check it, for --list too. The status line
and a progress bar go to standard output, every message to standard error.

Exit status: 0 when the download completed (or the rate was set, the display
erased, the list printed); 1 when it failed, after the message saying why;
2 for a bad command line; 128 + the signal when interrupted.
)";
}

std::string versionText() {
    return "veltran-cli " VELTRAN_VERSION "\n";
}

} // namespace cli
