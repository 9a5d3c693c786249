// The built veltran-cli on a pty of the test's own, for what needs no display:
// the command line, the list, and how each failure ends the run.

#include "tests/support/CommandSetFixtures.h"
#include "tests/support/Workbench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;

namespace {

// The far end of the line: the test holds both sides, so the program's opens
// and closes never hang it up, and reads what reached it.
class Pty {
public:
    Pty() {
        if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        m_path = ttyname(m_slave);
        fcntl(m_master, F_SETFL, O_NONBLOCK);
        // The program must not inherit them, or the line would outlive the test's hang-up.
        fcntl(m_master, F_SETFD, FD_CLOEXEC);
        fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    }
    ~Pty() { hangUp(); }
    const std::string& path() const { return m_path; }
    std::string received() const {
        std::string bytes;
        char buffer[4096];
        for (ssize_t n; (n = read(m_master, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(n));
        return bytes;
    }
    // Pulls the cable: every later write to the line fails.
    void hangUp() {
        for (int* fd : {&m_slave, &m_master}) {
            if (*fd >= 0)
                close(*fd);
            *fd = -1;
        }
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// A bench whose COM1 is the pty.
struct Bench : Workbench {
    Pty line;
    Bench() { mapPort("com1", line.path()); }
};

struct Answer {
    std::vector<std::string> args;
    const char* starts;
};

TEST(CommandLine, HelpAndVersionAnswerOnStdoutAndTouchNoPort) {
    for (const Answer& a : {Answer{{"--help"}, "Usage: veltran-cli [OPTION]..."},
                            Answer{{"--list", "-h"}, "Usage: veltran-cli [OPTION]..."},
                            Answer{{"--version"}, "veltran-cli 1.0"}}) {
        Workbench bench; // no COM1 link: opening a port would fail the run
        const ChildEnd end = bench.runCli(a.args);
        EXPECT_EQ(end.status, 0) << a.args[0];
        EXPECT_THAT(end.out, StartsWith(a.starts));
        EXPECT_THAT(end.errors, IsEmpty());
    }
}

TEST(CommandLine, ABadLineEndsWithStatusTwoAndAHint) {
    Workbench bench;
    const ChildEnd end = bench.runCli({"--baud", "38400"});
    EXPECT_EQ(end.status, 2);
    EXPECT_EQ(end.errors, "veltran-cli: --baud 38400: the rate must be 2400, 4800, 9600 or 19200\n"
                          "Try 'veltran-cli --help'.\n");
    EXPECT_THAT(end.out, IsEmpty());
}

TEST(List, ShowsEachEntryWithItsFileAndTheDefault) {
    Bench bench;
    bench.writeSet("SHOP_V2.CSF", fixtures::join(fixtures::commandSetRecords(3)));
    bench.writeSet("KTX_DEMO.CSF", fixtures::join(fixtures::commandSetRecords(3)));
    bench.writeSet("kiosk.csf", fixtures::join(fixtures::commandSetRecords(3)));
    bench.writeSet("NOTES.TXT", "not a command set\n");

    const ChildEnd end = bench.runCli({"--list"});
    EXPECT_EQ(end.status, 0) << end.errors;
    EXPECT_EQ(end.out, "KIOSK.CSF  KIOSK.CSF\n"
                       "KTX        KTX_DEMO.CSF  (default)\n"
                       "SHOP       SHOP_V2.CSF\n");
    EXPECT_THAT(end.errors, IsEmpty());
    EXPECT_THAT(bench.line.received(), IsEmpty());
}

TEST(List, OfAFolderWithoutCommandSetsSaysSo) {
    Bench bench;
    const ChildEnd end = bench.runCli({"--list"});
    EXPECT_EQ(end.status, 0);
    EXPECT_THAT(end.out, IsEmpty());
    EXPECT_EQ(end.errors, "veltran-cli: no command set files (*.CSF) in this directory\n");
}

struct Failure {
    const char* name;
    std::vector<std::string> args;
    const char* set; // file written in the folder, if any
    std::string content;
    const char* message;
};

void PrintTo(const Failure& f, std::ostream* os) {
    *os << f.name;
}

class Failures : public testing::TestWithParam<Failure> {};

// Each failure ends with status 1 after the message saying why, whether the program
// returned to its idle window or ended at once with its own exit code 0.
TEST_P(Failures, EndWithStatusOneAfterTheirMessage) {
    Bench bench;
    const Failure& f = GetParam();
    if (f.set)
        bench.writeSet(f.set, f.content);
    // PTY stands for the path of the test's line.
    auto withLine = [&](std::string text) {
        if (const auto at = text.find("PTY"); at != std::string::npos)
            text.replace(at, 3, bench.line.path());
        return text;
    };
    std::vector<std::string> args;
    for (const std::string& a : f.args)
        args.push_back(withLine(a));
    const ChildEnd end = bench.runCli(args);
    EXPECT_EQ(end.status, 1);
    EXPECT_EQ(end.errors, "veltran-cli: " + withLine(f.message) + "\n");
    // Refused before the erase: the display keeps what it had.
    EXPECT_THAT(bench.line.received(), IsEmpty());
}

const std::string kTwoRecords = fixtures::join(fixtures::commandSetRecords(2));

INSTANTIATE_TEST_SUITE_P(
    Cases, Failures,
    testing::Values(
        Failure{"PortThatCannotBeOpened",
                {"--port", "/nonexistent/tty"},
                nullptr,
                "",
                "Can't open the communication port"},
        Failure{"NoSuchCommandSet",
                {"--command-set", "SHOP"},
                "KTX_DEMO.CSF",
                kTwoRecords,
                "no command set SHOP in this directory; --list shows the ones there are"},
        Failure{"NothingToDownload", {}, nullptr, "", "The command set <> can't be found !!"},
        Failure{"SetWithoutRecords",
                {},
                "KTX_EMPTY.CSF",
                ":020000040000FA\n",
                "The command set <KTX> holds no records !!"},
        Failure{"BaudRateOfANonSerialPort",
                {"--port", "PTY", "--set-baud", "19200"},
                nullptr,
                "",
                "--set-baud needs a serial port (COM1 to COM8), not PTY"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Download, ALineThatFailsMidwayEndsWithTheWriteErrorAndStatusOne) {
    Bench bench;
    bench.writeSet("KTX_DEMO.CSF", fixtures::join(fixtures::commandSetRecords(9)));
    auto cli = bench.startCli({});
    ASSERT_TRUE(cli->waitForOutput("Erasing Flash ROM......\n", 20'000)) << cli->outSoFar();
    bench.line.hangUp();
    const ChildEnd end = cli->finish();
    EXPECT_EQ(end.status, 1);
    EXPECT_EQ(end.errors, "veltran-cli: Data writing error!\n"
                          "             Check the communication port please.\n");
    EXPECT_THAT(end.out, EndsWith("Downloading command set......<KTX>\n"));
}

} // namespace
