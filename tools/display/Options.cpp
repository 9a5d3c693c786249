#include "tools/display/Options.h"

#include "tools/display/Baud.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

namespace display {

namespace {

constexpr long long kMaxMillis = 24LL * 3600 * 1000;

std::optional<long long> wholeNumber(std::string_view text, long long max) {
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0 || value > max)
        return std::nullopt;
    return value;
}

} // namespace

Arguments parseArguments(int argc, const char* const* argv) {
    Arguments result;
    Options& o = result.options;
    auto fail = [&result](Error error, std::string subject) {
        result.problem = Problem{error, std::move(subject)};
        return result;
    };

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.substr(0, 2) != "--" || arg.size() == 2)
            return fail(Error::UnexpectedArgument, std::string(arg));
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (auto eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }

        if (name == "--help" || name == "--version" || name == "--quiet") {
            if (inlineValue)
                return fail(Error::UnexpectedValue, std::string(name));
            if (name == "--help")
                result.command = Command::Help;
            else if (name == "--version")
                result.command = Command::Version;
            else
                o.quiet = true;
            continue;
        }

        static constexpr std::string_view kValueOptions[] = {
            "--baud", "--erase-ms", "--flash-ms", "--exit-after-idle", "--records", "--device",
            "--link", "--trace",    "--image"};
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), name) ==
            std::end(kValueOptions))
            return fail(Error::UnknownOption, std::string(name));

        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return fail(Error::MissingValue, std::string(name));
        }
        std::string subject = std::string(name) + " " + std::string(value);

        if (name == "--baud") {
            auto rate = wholeNumber(value, 1'000'000);
            if (!rate || !baudIndexOf(static_cast<unsigned>(*rate)))
                return fail(Error::BadBaud, subject);
            o.baudRate = static_cast<unsigned>(*rate);
        } else if (name == "--erase-ms" || name == "--flash-ms" || name == "--exit-after-idle") {
            auto ms = wholeNumber(value, kMaxMillis);
            if (!ms)
                return fail(Error::BadNumber, subject);
            if (name == "--erase-ms")
                o.eraseTime = fromMillis(*ms);
            else if (name == "--flash-ms")
                o.flashTime = fromMillis(*ms);
            else
                o.exitAfterIdle = fromMillis(*ms);
        } else if (name == "--records") {
            auto count = wholeNumber(value, 1'000'000);
            if (!count || *count == 0)
                return fail(Error::BadNumber, subject);
            o.records = static_cast<int>(*count);
        } else {
            if (value.empty())
                return fail(Error::MissingValue, std::string(name));
            std::string& target = name == "--device"  ? o.device
                                  : name == "--link"  ? o.link
                                  : name == "--trace" ? o.trace
                                                      : o.image;
            target = value;
        }
    }
    if (!o.device.empty() && !o.link.empty())
        return fail(Error::LinkWithDevice, "");
    return result;
}

std::string helpText() {
    return R"(Usage: veltran-display [OPTION]...
Plays a line display at the far end of a pseudo-terminal (or of a real serial
line) and reports every erase, set-baud command and record it receives.

By default it creates a pseudo-terminal and prints its path on the first line:
  veltran-display: listening on /dev/pts/5
Point the download program at that path, or at the link made with --link.

  --device PATH          listen on this serial line instead of a pseudo-terminal
  --link PATH            make PATH a symbolic link to the pseudo-terminal
  --baud RATE            the display's rate at start: 2400, 4800, 9600 (default)
                         or 19200
  --erase-ms MS          how long an erase keeps the display busy (default 2000)
  --flash-ms MS          how long writing one record takes (default 5)
  --exit-after-idle MS   end when no byte, open or close has come for MS
                         milliseconds (counted from the start until the first)
  --records N            end after the Nth record
  --trace FILE           write every event and the summary as JSON lines
  --image FILE           write what the display stored, as Intel HEX, at the end
  --quiet                print no line per event, only the summary
  --help                 show this help and exit
  --version              show the version and exit

It runs until SIGINT or SIGTERM, or one of the ends above, then prints a summary.
Exit status: 0 when it ran to an end, 1 when the line or a file failed, 2 for a
bad command line.
)";
}

std::string versionText() {
    return "veltran-display " VELTRAN_VERSION "\n";
}

} // namespace display
