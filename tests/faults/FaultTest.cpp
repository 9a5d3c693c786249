// Faults end to end: veltran-cli against the emulator on a pty, with the display
// gone, stalled or taken, and the command set file unusable. Each run ends soon
// after its fault with the message saying why and status 1, the display gets
// nothing it should not, and no file or folder is created, changed or removed.

#include "tests/faults/FolderState.h"
#include "tests/faults/Rig.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TempDir.h"
#include "tests/support/Workbench.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A second or two on an idle machine: the next tick finds the line gone, or the
// stalled write reaches its deadline. The bound leaves room for a loaded one.
constexpr double kEndsWithinMs = 5'000;
// A run still going by then has hung; it is killed and fails the test.
constexpr int kHangMs = 30'000;

const std::string kWriteError = "veltran-cli: Data writing error!\n"
                                "             Check the communication port please.\n";
const std::string kCannotOpen = "veltran-cli: Can't open the communication port\n";
const std::string kNotFound = "veltran-cli: The command set <KTX> can't be found !!\n";
const std::string kTooLarge = "veltran-cli: The command set <KTX> is too large !!\n";
const std::string kNoRecords = "veltran-cli: The command set <KTX> holds no records !!\n";

// What the display may have received by the end of the run.
enum class Reach {
    Nothing,  // no byte at all, not even an erase
    NoRecord, // at most the erase
    Part,     // the erase, then the first records whole and in order, but not all
};

// The emulator at the far end of COM1, and the run's folders: the command sets,
// the devices folder and a home of its own.
struct Rig {
    Workbench bench;
    TempDir scratch; // the trace and anything else outside the watched folders
    Emulator display{scratch.path("trace.json")};
    std::vector<std::string> kept;  // the records of the set the run downloads
    std::vector<std::string> runAs; // a command to run the program through, if any
    std::unique_ptr<PortHolder> holder;

    Rig() {
        std::filesystem::create_directories(home());
        if (display.ready())
            bench.mapPort("com1", display.line());
    }
    std::string home() const { return bench.file("home"); }
    std::string setFile() const { return bench.sets() + "/KTX_DEMO.CSF"; }

    void writeSet(int records, int dataBytes) {
        kept = fixtures::commandSetRecords(records, dataBytes);
        bench.writeSet("KTX_DEMO.CSF", fixtures::join(kept));
    }
    std::unique_ptr<Child> startCli() const {
        std::vector<std::string> command = runAs;
        command.push_back(VELTRAN_CLI_EXE);
        const std::string program = command.front();
        command.erase(command.begin());
        return std::make_unique<Child>(
            program, command, bench.sets(),
            std::map<std::string, std::string>{{"XDG_CONFIG_HOME", bench.file("config")},
                                               {"HOME", home()}});
    }
};

struct Scenario {
    const char* name;
    std::function<void(Rig&)> prepare;
    // The fault struck while the program runs; none when it was there before.
    std::function<void(Rig&, Child&)> strike;
    std::string errors; // all the run prints on stderr
    Reach reach;
};

void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.name;
}

void expectReached(const std::vector<TraceEvent>& events, const Rig& rig, Reach reach) {
    int erases = 0;
    int other = 0;
    std::vector<std::string> records;
    for (const TraceEvent& e : events) {
        if (e.kind() == "erase")
            ++erases;
        else if (e.kind() == "record")
            records.push_back(e.text.at("text"));
        else if (e.kind() != "open" && e.kind() != "close" && e.kind() != "summary")
            ++other;
    }
    switch (reach) {
    case Reach::Nothing:
        EXPECT_EQ(erases, 0);
        EXPECT_EQ(other, 0);
        EXPECT_TRUE(records.empty()) << records.size() << " records";
        break;
    case Reach::NoRecord:
        EXPECT_LE(erases, 1);
        EXPECT_TRUE(records.empty()) << records.size() << " records";
        break;
    case Reach::Part:
        EXPECT_EQ(erases, 1);
        ASSERT_FALSE(records.empty());
        ASSERT_LT(records.size(), rig.kept.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i], rig.kept[i]) << "record " << i;
        break;
    }
}

// Waits until records flow, so the fault comes mid-transfer.
void onceRecordsFlow(Child& cli) {
    ASSERT_TRUE(cli.waitForOutput(" records\n", 20'000)) << cli.outSoFar();
}

class Faults : public testing::TestWithParam<Scenario> {};

TEST_P(Faults, EndSoonAfterWithTheirMessageAndChangeNoFile) {
    const Scenario& s = GetParam();
    Rig rig;
    ASSERT_TRUE(rig.display.ready());
    s.prepare(rig);
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string root = rig.bench.file(".");
    const FolderState before = FolderState::of(root);

    auto cli = rig.startCli();
    ASSERT_TRUE(cli->started());
    Clock::time_point fault = Clock::now();
    if (s.strike) {
        s.strike(rig, *cli);
        fault = Clock::now();
    }
    const ChildEnd end = cli->finish(kHangMs);
    const double endedAfterMs =
        std::chrono::duration<double, std::milli>(Clock::now() - fault).count();

    EXPECT_EQ(end.status, 1) << "signal " << end.signal;
    EXPECT_EQ(end.errors, s.errors);
    EXPECT_LT(endedAfterMs, kEndsWithinMs);
    EXPECT_EQ(FolderState::of(root), before);
    expectReached(rig.display.stop(), rig, s.reach);
}

// The port taken by a download that runs: the second run is refused at its start
// and the first goes on undisturbed to the end.
TEST(HeldPort, ASecondRunIsRefusedAndTheRunningDownloadCompletes) {
    Rig rig;
    ASSERT_TRUE(rig.display.ready());
    rig.writeSet(40, 16);
    const std::string root = rig.bench.file(".");
    const FolderState before = FolderState::of(root);

    auto first = rig.startCli();
    ASSERT_TRUE(first->waitForOutput("Erasing Flash ROM......\n", 20'000)) << first->outSoFar();
    const ChildEnd second = rig.startCli()->finish(kHangMs);
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.errors, kCannotOpen);
    const ChildEnd end = first->finish(kHangMs);
    EXPECT_EQ(end.status, 0) << end.errors;
    EXPECT_EQ(end.errors, "veltran-cli: Command set download completed\n");
    EXPECT_EQ(FolderState::of(root), before);

    std::vector<std::string> records;
    int erases = 0;
    for (const TraceEvent& e : rig.display.stop()) {
        erases += e.kind() == "erase";
        if (e.kind() == "record")
            records.push_back(e.text.at("text"));
    }
    EXPECT_EQ(erases, 1);
    EXPECT_EQ(records, rig.kept);
}

// A set too big by its bytes alone: few records the display takes, padded with
// records for another device, which the reader drops.
std::string tooManyBytes() {
    std::vector<std::string> lines = fixtures::commandSetRecords(10);
    const std::vector<std::uint8_t> data(255, 0x5A);
    std::string padding;
    while (padding.size() <= 65'536)
        padding += fixtures::hexRecord(0x3000, 0, data);
    lines.insert(lines.begin(), padding);
    return fixtures::join(lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Faults,
    testing::Values(
        Scenario{"DisplayVanishesMidTransfer", [](Rig& rig) { rig.writeSet(40, 16); },
                 [](Rig& rig, Child&) {
                     ASSERT_TRUE(rig.display.waitForRecords(2, 20'000));
                     rig.display.vanish();
                 },
                 kWriteError, Reach::Part},
        // Records of 255 data bytes fill the pty's buffer within a second or two.
        Scenario{"DisplayStopsReadingMidTransfer", [](Rig& rig) { rig.writeSet(100, 255); },
                 [](Rig& rig, Child& cli) {
                     onceRecordsFlow(cli);
                     rig.display.pause();
                 },
                 kWriteError, Reach::Part},
        Scenario{"DisplayStoppedReadingBeforeTheRun",
                 [](Rig& rig) {
                     rig.writeSet(9, 16);
                     rig.display.pause();
                     ASSERT_TRUE(rig.display.fill());
                 },
                 nullptr, kWriteError, Reach::NoRecord},
        Scenario{"PortHeldByAnotherProcess",
                 [](Rig& rig) {
                     rig.writeSet(9, 16);
                     rig.holder = std::make_unique<PortHolder>(rig.display.line());
                     ASSERT_TRUE(rig.holder->holding());
                 },
                 nullptr, kCannotOpen, Reach::Nothing},
        Scenario{"DeviceLinkLeadsNowhere",
                 [](Rig& rig) {
                     rig.writeSet(9, 16);
                     rig.bench.mapPort("com1", rig.scratch.path("unplugged"));
                 },
                 nullptr, kCannotOpen, Reach::Nothing},
        // COM1 is configured as a serial port, which a file is not: refused unwritten.
        Scenario{"DeviceLinkLeadsToAFile",
                 [](Rig& rig) {
                     rig.writeSet(9, 16);
                     rig.bench.mapPort("com1", rig.bench.file("home/notes.txt"));
                     std::ofstream(rig.bench.file("home/notes.txt")) << "not a port\n";
                 },
                 nullptr, kCannotOpen, Reach::Nothing},
        // As a set removed after start-up is at the click: its name still there,
        // the file behind it gone.
        Scenario{"CommandSetGoneBehindItsName",
                 [](Rig& rig) {
                     rig.bench.writeSet("KTX_OLD.TXT", "");
                     std::filesystem::create_symlink("KTX_OLD.TXT", rig.setFile());
                     std::filesystem::remove(rig.bench.sets() + "/KTX_OLD.TXT");
                 },
                 nullptr, kNotFound, Reach::Nothing},
        Scenario{"CommandSetReplacedByAFolder",
                 [](Rig& rig) { std::filesystem::create_directory(rig.setFile()); }, nullptr,
                 kNotFound, Reach::Nothing},
        // Opening a FIFO for reading waits for a writer unless told not to.
        Scenario{"CommandSetIsAFifoWithoutWriter",
                 [](Rig& rig) { ASSERT_EQ(mkfifo(rig.setFile().c_str(), 0644), 0); }, nullptr,
                 kNotFound, Reach::Nothing},
        // Root reads a file of mode 000; the run then goes without the capabilities
        // that let it.
        Scenario{"CommandSetUnreadable",
                 [](Rig& rig) {
                     rig.writeSet(9, 16);
                     std::filesystem::permissions(rig.setFile(), std::filesystem::perms::none);
                     if (geteuid() == 0)
                         rig.runAs = {"/usr/bin/setpriv",
                                      "--bounding-set=-dac_override,-dac_read_search"};
                     if (geteuid() == 0 && access(rig.runAs[0].c_str(), X_OK) != 0)
                         GTEST_SKIP() << "no setpriv to drop root's file access";
                 },
                 nullptr, kNotFound, Reach::Nothing},
        Scenario{"CommandSetTooLarge",
                 [](Rig& rig) { rig.bench.writeSet("KTX_DEMO.CSF", tooManyBytes()); }, nullptr,
                 kTooLarge, Reach::Nothing},
        Scenario{"CommandSetWithTooManyRecords", [](Rig& rig) { rig.writeSet(1'201, 1); }, nullptr,
                 kTooLarge, Reach::Nothing},
        Scenario{"CommandSetWithoutRecords",
                 [](Rig& rig) { rig.bench.writeSet("KTX_DEMO.CSF", ":020000040000FA\n"); }, nullptr,
                 kNoRecords, Reach::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
