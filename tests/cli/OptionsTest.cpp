// The command line: what each accepted line asks for, and why a refused one is refused.

#include "cli/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using cli::Action;
using cli::Error;

namespace {

cli::Arguments parse(std::vector<std::string> args) {
    args.insert(args.begin(), "veltran-cli");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    return cli::parseArguments(static_cast<int>(argv.size()), argv.data());
}

TEST(Options, WithoutArgumentsDownloadTheDefaultSetThroughCom1At9600) {
    const cli::Arguments a = parse({});
    ASSERT_FALSE(a.problem);
    EXPECT_EQ(a.command, cli::Command::Run);
    EXPECT_EQ(a.options.port, "COM1");
    EXPECT_EQ(a.options.baud, "9600");
    EXPECT_EQ(a.options.action, Action::Download);
    EXPECT_EQ(a.options.commandSet, "");
}

struct Accepted {
    std::vector<std::string> args;
    std::string port;
    std::string baud;
    Action action;
    std::string commandSet;
    std::string newBaud;
};

TEST(Options, AcceptedLines) {
    const Accepted cases[] = {
        {{"--port", "COM3", "--baud", "19200"}, "COM3", "19200", Action::Download, "", ""},
        {{"--port=\\\\.\\KTXDV1\\", "--baud=2400"},
         "\\\\.\\KTXDV1\\",
         "2400",
         Action::Download,
         "",
         ""},
        // A name is taken as typed: the program's own rules judge it.
        {{"--port", "com2 "}, "com2 ", "9600", Action::Download, "", ""},
        {{"--command-set", "shop"}, "COM1", "9600", Action::Download, "shop", ""},
        {{"--first-time", "--command-set", "KTX"},
         "COM1",
         "9600",
         Action::FirstTimeDownload,
         "KTX",
         ""},
        {{"--set-baud", "19200", "--baud", "4800"}, "COM1", "4800", Action::SetBaud, "", "19200"},
        {{"--erase"}, "COM1", "9600", Action::Erase, "", ""},
        {{"--list", "--port", "LPT1"}, "LPT1", "9600", Action::List, "", ""},
    };
    for (const Accepted& c : cases) {
        const cli::Arguments a = parse(c.args);
        ASSERT_FALSE(a.problem) << c.args[0] << ": " << cli::describe(*a.problem);
        EXPECT_EQ(a.options.port, c.port) << c.args[0];
        EXPECT_EQ(a.options.baud, c.baud) << c.args[0];
        EXPECT_EQ(a.options.action, c.action) << c.args[0];
        EXPECT_EQ(a.options.commandSet, c.commandSet) << c.args[0];
        EXPECT_EQ(a.options.newBaud, c.newBaud) << c.args[0];
    }
}

TEST(Options, HelpAndVersionWinOverTheRest) {
    EXPECT_EQ(parse({"--erase", "--help"}).command, cli::Command::Help);
    EXPECT_EQ(parse({"-h"}).command, cli::Command::Help);
    EXPECT_EQ(parse({"--port", "COM2", "--version"}).command, cli::Command::Version);
}

struct Refused {
    std::vector<std::string> args;
    Error error;
    std::string message;
};

TEST(Options, RefusedLinesSayWhatIsWrong) {
    const Refused cases[] = {
        {{"--speed", "9600"}, Error::UnknownOption, "unknown option --speed"},
        {{"--port"}, Error::MissingValue, "--port needs a value"},
        {{"--port", "--list"}, Error::MissingValue, "--port needs a value"},
        {{"--port="}, Error::MissingValue, "--port needs a value"},
        {{"--erase=yes"}, Error::UnexpectedValue, "--erase takes no value"},
        {{"COM1"},
         Error::UnexpectedArgument,
         "unexpected argument COM1: every setting is an option"},
        {{"-p", "COM1"}, Error::UnknownOption, "unknown option -p"},
        {{"--port", "COM1", "--port=COM2"}, Error::RepeatedOption, "--port is given twice"},
        {{"--baud", "9601"},
         Error::BadRate,
         "--baud 9601: the rate must be 2400, 4800, 9600 or 19200"},
        {{"--set-baud", "115200"},
         Error::BadRate,
         "--set-baud 115200: the rate must be 2400, 4800, 9600 or 19200"},
        {{"--erase", "--list"},
         Error::TwoActions,
         "--erase and --list: choose one of --first-time, --set-baud, --erase and --list"},
        {{"--list", "--command-set", "KTX"},
         Error::CommandSetWithoutDownload,
         "--command-set picks what a download sends; it does not go with --list"},
    };
    for (const Refused& c : cases) {
        const cli::Arguments a = parse(c.args);
        ASSERT_TRUE(a.problem) << c.args[0];
        EXPECT_EQ(a.problem->error, c.error) << c.args[0];
        EXPECT_EQ(cli::describe(*a.problem), c.message);
        EXPECT_TRUE(cli::isUsageError(a.problem->error)) << c.message;
    }
}

} // namespace
