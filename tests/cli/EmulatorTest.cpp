// veltran-cli against veltran-display on a pty, in real time: what reaches the
// display, when, and at which rate.

#include "tests/support/CommandSetFixtures.h"
#include "tests/support/TraceEvents.h"
#include "tests/support/Workbench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <numeric>
#include <optional>

using testing::EndsWith;
using testing::HasSubstr;

namespace {

// The emulator stamps each arrival when it wakes for it. On a loaded machine a
// late wake shortens the gap after it by as much, so single gaps get this much
// room; the span over a whole transfer carries only the first record's lateness.
constexpr double kWakeSlackMs = 25;

// The display at the far end of COM1, tracing what it receives.
class Display {
public:
    explicit Display(const Workbench& bench, std::vector<std::string> options = {})
        : m_trace(bench.file("trace.json")) {
        std::vector<std::string> args{"--link", bench.devices() + "/com1", "--trace", m_trace};
        args.insert(args.end(), options.begin(), options.end());
        m_child = std::make_unique<Child>(VELTRAN_DISPLAY_EXE, args);
        m_ready = m_child->waitForOutput("listening on", 10'000);
    }
    bool ready() const { return m_ready; }

    // Ends the emulator: what reached the line, then its summary.
    std::vector<TraceEvent> stop() {
        m_child->signal(SIGINT);
        m_end = m_child->finish();
        std::vector<std::string> unreadable;
        std::vector<TraceEvent> events = readTrace(m_trace, &unreadable);
        EXPECT_THAT(unreadable, testing::IsEmpty());
        return events;
    }
    const ChildEnd& end() const { return m_end; }

private:
    std::string m_trace;
    std::unique_ptr<Child> m_child;
    ChildEnd m_end;
    bool m_ready = false;
};

// The events of the line itself: the port's opens and closes left out.
std::vector<TraceEvent> onTheLine(const std::vector<TraceEvent>& events) {
    std::vector<TraceEvent> line;
    for (const TraceEvent& e : events) {
        if (e.kind() != "open" && e.kind() != "close" && e.kind() != "summary")
            line.push_back(e);
    }
    return line;
}

std::vector<TraceEvent> ofKind(const std::vector<TraceEvent>& events, const std::string& kind) {
    std::vector<TraceEvent> found;
    for (const TraceEvent& e : events) {
        if (e.kind() == kind)
            found.push_back(e);
    }
    return found;
}

TraceEvent summaryOf(const std::vector<TraceEvent>& events) {
    const auto found = ofKind(events, "summary");
    return found.empty() ? TraceEvent{} : found.back();
}

// A command set with lines the display does not take around the ones it does:
// an extended-address record first, and a data record at the address limit.
struct CommandSet {
    std::string file;
    std::vector<std::string> kept;
};

CommandSet commandSet(int records, int dataBytes) {
    CommandSet set;
    set.kept = fixtures::commandSetRecords(records, dataBytes);
    std::vector<std::string> lines = set.kept;
    lines.insert(lines.begin(), ":020000040000FA\n");
    lines.insert(lines.end() - 1, fixtures::hexRecord(0x2E80, 0, {1, 2, 3, 4}));
    set.file = fixtures::join(lines);
    return set;
}

// What the display received: one normal erase, then the kept records in order,
// unchanged, each written in time, and nothing lost, rejected or garbled.
// `skip` leaves out what came on the line before the download.
void expectDownload(const std::vector<TraceEvent>& events, const CommandSet& set,
                    const char* mode = "normal", std::size_t skip = 0) {
    std::vector<TraceEvent> line = onTheLine(events);
    ASSERT_GE(line.size(), skip);
    line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(skip));
    ASSERT_EQ(line.size(), set.kept.size() + 1);
    EXPECT_EQ(line[0].kind(), "erase");
    EXPECT_EQ(line[0].text.at("mode"), mode);
    for (std::size_t i = 0; i < set.kept.size(); ++i) {
        const TraceEvent& r = line[i + 1];
        ASSERT_EQ(r.kind(), "record") << i;
        EXPECT_EQ(r.text.at("text"), set.kept[i]) << "record " << i;
        EXPECT_FALSE(r.flag("overrun")) << "record " << i;
        EXPECT_FALSE(r.flag("checksum_error")) << "record " << i;
    }
    const TraceEvent summary = summaryOf(events);
    for (const char* count :
         {"checksum_errors", "malformed", "overruns", "lost", "rejected", "garbage"})
        EXPECT_EQ(summary.at(count), 0) << count;
}

// The gap before record k (0-based, k >= 1): 50 ms after the first, 120 ms after
// every eighth, 30 ms otherwise.
double scheduledGapMs(std::size_t k) {
    return k == 1 ? 50 : k % 8 == 0 ? 120 : 30;
}

void expectPacing(const std::vector<TraceEvent>& events) {
    const std::vector<TraceEvent> line = onTheLine(events);
    ASSERT_GE(line.size(), 3u);
    // 100 steps of 20 ms while the display erases, then 20 ms more.
    EXPECT_GE(line[1].at("t_ms") - line[0].at("t_ms"), 2020 - kWakeSlackMs);
    double scheduled = 0;
    for (std::size_t k = 1; k + 1 < line.size(); ++k) {
        const double gap = line[k + 1].at("t_ms") - line[k].at("t_ms");
        EXPECT_GE(gap, scheduledGapMs(k) - kWakeSlackMs) << "before record " << k;
        scheduled += scheduledGapMs(k);
    }
    EXPECT_GE(line.back().at("t_ms") - line[1].at("t_ms"), scheduled - kWakeSlackMs);
}

// A folder of command sets with COM1 leading to a running emulator.
class OnTheEmulator : public testing::Test {
protected:
    Workbench bench;
    std::optional<Display> display;

    void startWith(const std::string& file) {
        bench.writeSet("KTX_DEMO.CSF", file);
        display.emplace(bench);
        ASSERT_TRUE(display->ready());
    }
};

struct Size {
    int records;
    int dataBytes;
};

void PrintTo(const Size& s, std::ostream* os) {
    *os << s.records << " records";
}

class Downloads : public OnTheEmulator, public testing::WithParamInterface<Size> {};

TEST_P(Downloads, ArriveWholeInOrderAndPacedByTheTimers) {
    const CommandSet set = commandSet(GetParam().records, GetParam().dataBytes);
    ASSERT_NO_FATAL_FAILURE(startWith(set.file));

    const ChildEnd cli = bench.runCli({});
    const std::vector<TraceEvent> events = display->stop();
    EXPECT_EQ(cli.status, 0) << cli.errors;
    EXPECT_EQ(cli.errors, "veltran-cli: Command set download completed\n");
    const std::string count = std::to_string(set.kept.size());
    EXPECT_THAT(cli.out, EndsWith("100%  " + count + "/" + count + " records\n"));
    expectDownload(events, set);
    expectPacing(events);
    // Asleep between ticks: a loop that spun would use the CPU for the whole run.
    EXPECT_LT(cli.cpuMs, cli.elapsedMs / 4) << "elapsed " << cli.elapsedMs << " ms";
}

// Nine records take in one eighth-record pause; a hundred of 76 characters go out
// in three pieces each, over twelve of them.
INSTANTIATE_TEST_SUITE_P(Sizes, Downloads, testing::Values(Size{9, 16}, Size{100, 32}),
                         [](const auto& info) {
                             return std::to_string(info.param.records) + "Records";
                         });

TEST_F(OnTheEmulator, TheSavedRateCarriesTheNextDownload) {
    const CommandSet set = commandSet(9, 16);
    ASSERT_NO_FATAL_FAILURE(startWith(set.file));

    const ChildEnd save = bench.runCli({"--set-baud", "19200"});
    EXPECT_EQ(save.status, 0) << save.errors;
    EXPECT_THAT(save.out, HasSubstr("now runs at 19200 baud"));
    const ChildEnd download = bench.runCli({"--baud", "19200"});
    EXPECT_EQ(download.status, 0) << download.errors;

    const std::vector<TraceEvent> events = display->stop();
    const std::vector<TraceEvent> line = onTheLine(events);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line[0].kind(), "set-baud");
    EXPECT_EQ(line[0].at("index"), 3);
    EXPECT_EQ(line[0].at("rate"), 19200);
    expectDownload(events, set, "normal", 1);
    EXPECT_EQ(summaryOf(events).at("display_rate"), 19200);
}

// The program cannot tell: it never reads the display. The display sees garbage.
TEST_F(OnTheEmulator, AWrongRateShowsAsRejectedBytes) {
    ASSERT_NO_FATAL_FAILURE(startWith(commandSet(9, 16).file));

    const ChildEnd cli = bench.runCli({"--baud", "4800"});
    const std::vector<TraceEvent> events = display->stop();
    EXPECT_EQ(cli.status, 0) << cli.errors;
    const TraceEvent summary = summaryOf(events);
    EXPECT_GT(summary.at("rejected"), 0);
    EXPECT_EQ(summary.at("records"), 0);
    EXPECT_EQ(summary.at("erases"), 0);
    const std::vector<TraceEvent> rejected = ofKind(events, "rejected");
    ASSERT_FALSE(rejected.empty());
    EXPECT_EQ(rejected[0].at("line_rate"), 4800);
    EXPECT_EQ(rejected[0].at("display_rate"), 9600);
}

TEST_F(OnTheEmulator, FirstTimeDownloadErasesTheFirstTimeWay) {
    const CommandSet set = commandSet(9, 16);
    ASSERT_NO_FATAL_FAILURE(startWith(set.file));

    const ChildEnd cli = bench.runCli({"--first-time"});
    EXPECT_EQ(cli.status, 0) << cli.errors;
    expectDownload(display->stop(), set, "first-time");
}

TEST_F(OnTheEmulator, EraseSendsTheEraseAlone) {
    ASSERT_NO_FATAL_FAILURE(startWith(commandSet(9, 16).file));

    const ChildEnd cli = bench.runCli({"--erase"});
    EXPECT_EQ(cli.status, 0) << cli.errors;
    EXPECT_THAT(cli.out, HasSubstr("flash is erased"));
    const std::vector<TraceEvent> line = onTheLine(display->stop());
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].kind(), "erase");
    EXPECT_EQ(line[0].text.at("mode"), "normal");
}

class Interrupted : public OnTheEmulator, public testing::WithParamInterface<int> {};

// Between ticks, never inside one: every record that went out went out whole.
TEST_P(Interrupted, DownloadStopsBetweenRecordsWithTheSignalsStatus) {
    const CommandSet set = commandSet(100, 16);
    ASSERT_NO_FATAL_FAILURE(startWith(set.file));

    auto cli = bench.startCli({});
    ASSERT_TRUE(cli->waitForOutput(" records\n", 20'000)) << cli->outSoFar();
    cli->signal(GetParam());
    const ChildEnd end = cli->finish();
    EXPECT_EQ(end.status, 128 + GetParam());
    EXPECT_THAT(end.errors, HasSubstr("veltran-cli: interrupted by SIG"));

    const std::vector<TraceEvent> records = ofKind(display->stop(), "record");
    ASSERT_GE(records.size(), 1u);
    EXPECT_LT(records.size(), set.kept.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].text.at("text"), set.kept[i]) << "record " << i;
}

INSTANTIATE_TEST_SUITE_P(Signals, Interrupted, testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) {
                             return info.param == SIGINT ? "Sigint" : "Sigterm";
                         });

} // namespace
