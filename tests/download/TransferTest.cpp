// The download transfer on virtual time: what goes out on the wire and when,
// what the window shows, and how each failure ends.

#include "link/DisplaySequences.h"
#include "platform/window/Timers.h"
#include "tests/support/CommandSetFixtures.h"
#include "tests/support/MainWindowHarness.h"
#include "ui/Messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using platform::Microseconds;
using testing::ElementsAre;
using testing::ElementsAreArray;

namespace {

constexpr Microseconds ms = 1000;

// The writes of a transfer, cut into the erase and the records as the display
// received them.
struct Wire {
    platform::RecordingDevice::WriteRecord erase;
    std::vector<std::vector<platform::RecordingDevice::WriteRecord>> records;
};

Wire cutIntoRecords(const std::vector<platform::RecordingDevice::WriteRecord>& writes) {
    Wire wire;
    if (writes.empty())
        return wire;
    wire.erase = writes.front();
    std::vector<platform::RecordingDevice::WriteRecord> current;
    for (std::size_t i = 1; i < writes.size(); ++i) {
        current.push_back(writes[i]);
        if (writes[i].bytes.back() == '\n') {
            wire.records.push_back(current);
            current.clear();
        }
    }
    return wire;
}

std::string bytesOf(const std::vector<platform::RecordingDevice::WriteRecord>& pieces) {
    std::string all;
    for (const auto& piece : pieces)
        all += piece.bytes;
    return all;
}

// Records every position the bar takes, with its time.
struct BarWatch : platform::WindowObserver {
    struct Sample {
        Microseconds time;
        int position;
        int upper;
        bool visible;
    };
    std::vector<Sample> samples;
    void windowChanged(platform::Window& w, platform::Change change) override {
        if (change != platform::Change::Progress && change != platform::Change::Visibility)
            return;
        auto& bar = static_cast<platform::ProgressBar&>(w);
        samples.push_back({platform::clock().now(), bar.position(), bar.upper(), bar.isVisible()});
    }
};

// Records every text a control shows, in order.
struct TextWatch : platform::WindowObserver {
    std::vector<std::string> texts;
    void windowChanged(platform::Window& w, platform::Change change) override {
        if (change == platform::Change::Text)
            texts.push_back(w.windowText().str());
    }
};

class Transfer : public testing::Test {
protected:
    MainWindowHarness h;

    std::vector<std::string> writeSet(const std::string& name, int records, int dataBytes = 16) {
        auto lines = fixtures::commandSetRecords(records, dataBytes);
        h.write(name, fixtures::join(lines));
        return lines;
    }

    // What the window and the port look like once a transfer has ended.
    void expectIdle() {
        EXPECT_FALSE(h.device.isOpen());
        EXPECT_FALSE(h.device.dtr());
        EXPECT_EQ(h.control(IDC_TOPIC).windowText(), "");
        EXPECT_EQ(h.control(IDC_PERCENT).windowText(), "");
        EXPECT_FALSE(h.bar().isVisible());
        EXPECT_FALSE(h.timerArmed(CDownloadDlg::SEND_TIMER));
        EXPECT_FALSE(h.timerArmed(CDownloadDlg::WATCHDOG_TIMER));
    }

    // A message box whose opening checks that the transfer was wound up first.
    void expectIdleWhenBoxOpens() {
        h.session.driver().onMessageBox({sim::inspect([this](CWnd*) { expectIdle(); }), sim::ok()});
    }
};

struct TimelineCase {
    int records;
    int mode;
};

void PrintTo(const TimelineCase& c, std::ostream* os) {
    *os << c.records << " records, mode " << c.mode;
}

class TransferTimeline : public Transfer, public testing::WithParamInterface<TimelineCase> {};

// Every write with its virtual time. The line runs at 9600 baud, so each write
// takes time and the gaps must count from the end of a record's last write.
TEST_P(TransferTimeline, SendsEraseWaitsThenPacesEveryRecord) {
    const auto [count, mode] = GetParam();
    const auto lines = writeSet("KTX_A.CSF", count);
    h.start();
    h.device.setLineRate(9600);
    BarWatch bar;
    h.bar().setObserver(&bar);
    expectIdleWhenBoxOpens();

    const Microseconds t0 = h.session.clock().now();
    h.dlg->StartDownload(mode);
    // The first record is out and the send timer armed; the watchdog waits for the first tick.
    EXPECT_TRUE(h.timerArmed(CDownloadDlg::SEND_TIMER));
    EXPECT_FALSE(h.timerArmed(CDownloadDlg::WATCHDOG_TIMER));
    h.session.runUntilIdle();

    const Wire wire = cutIntoRecords(h.device.writes());
    const DisplaySequence erase = eraseSequence(mode);
    EXPECT_EQ(wire.erase.bytes, std::string(erase.bytes, erase.length));
    EXPECT_EQ(wire.erase.start, t0);
    ASSERT_EQ(wire.records.size(), lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(bytesOf(wire.records[k]), lines[k]) << "record " << k;

    // 100 bar steps 20 ms apart, then the 20 ms pause, then record 0 at once.
    std::vector<Microseconds> eraseSteps;
    for (const auto& s : bar.samples) {
        if (s.upper == 100 && s.position > 0)
            eraseSteps.push_back(s.time);
    }
    ASSERT_EQ(eraseSteps.size(), 100u);
    EXPECT_EQ(eraseSteps.front(), wire.erase.end);
    EXPECT_EQ(eraseSteps.back(), wire.erase.end + 99 * 20 * ms);
    EXPECT_EQ(wire.records[0].front().start, wire.erase.end + 2020 * ms);

    for (std::size_t k = 1; k < wire.records.size(); ++k) {
        const Microseconds expected = k == 1 ? 50 * ms : (k % 8 == 0 ? 120 * ms : 30 * ms);
        EXPECT_EQ(wire.records[k].front().start - wire.records[k - 1].back().end, expected)
            << "before record " << k;
    }

    // Completion follows the last record's tick (or, for one record, the first tick).
    const Microseconds lastEnd = wire.records.back().back().end;
    const auto& boxes = h.session.driver().messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, messages::kDownloadCompleted);
    EXPECT_EQ(boxes[0].time, count == 1 ? lastEnd + 50 * ms : lastEnd);
    EXPECT_EQ(bar.samples.back().position, count);
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(
    RecordCounts, TransferTimeline,
    testing::Values(TimelineCase{1, ERASE_NORMAL}, TimelineCase{2, ERASE_NORMAL},
                    TimelineCase{8, ERASE_NORMAL}, TimelineCase{9, ERASE_FIRST_TIME},
                    TimelineCase{1200, ERASE_NORMAL}),
    [](const auto& info) {
        return std::to_string(info.param.records) +
               (info.param.mode == ERASE_NORMAL ? "Records" : "RecordsFirstTime");
    });

TEST_F(Transfer, WatchdogIsArmedAndKilledInTheTickOfTheSecondRecord) {
    writeSet("KTX_A.CSF", 2);
    h.start();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle();
    EXPECT_THAT(h.messages(), ElementsAre(messages::kDownloadCompleted));
    expectIdle();
}

// Pieces of at most 30 bytes; never a write of nothing.
TEST_F(Transfer, SplitsRecordsIntoPiecesOfThirtyBytes) {
    const std::vector<std::pair<int, std::vector<std::size_t>>> cases{
        {30, {30}}, {31, {30, 1}}, {44, {30, 14}}, {60, {30, 30}}, {61, {30, 30, 1}}};
    std::string file;
    for (const auto& [length, pieces] : cases) {
        // A data record padded to the length, its line feed included.
        std::string line =
            ":00000000" + std::string(static_cast<std::size_t>(length - 10), 'A') + "\n";
        ASSERT_EQ(line.size(), static_cast<std::size_t>(length));
        file += line;
    }
    h.write("KTX_SPLIT.CSF", file + fixtures::endOfFileRecord());
    h.start();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle();

    const Wire wire = cutIntoRecords(h.device.writes());
    ASSERT_EQ(wire.records.size(), cases.size() + 1);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        std::vector<std::size_t> sizes;
        for (const auto& piece : wire.records[k])
            sizes.push_back(piece.bytes.size());
        EXPECT_EQ(sizes, cases[k].second) << "record of " << cases[k].first << " characters";
    }
}

TEST_F(Transfer, ShowsTheWholePercentageAfterEachRecord) {
    struct Case {
        int records;
        std::vector<std::string> first;
    };
    for (const Case& c :
         {Case{3, {"33%", "66%", "100%"}}, Case{7, {"14%"}},
          Case{1200, {"0%", "0%", "0%", "0%", "0%", "0%", "0%", "0%", "0%", "0%", "0%", "1%"}}}) {
        MainWindowHarness run;
        run.write("KTX_P.CSF", fixtures::join(fixtures::commandSetRecords(c.records)));
        run.start();
        TextWatch percent;
        run.control(IDC_PERCENT).setObserver(&percent);
        run.dlg->OnStartDownload();
        run.session.runUntilIdle();
        ASSERT_GE(percent.texts.size(), c.first.size());
        // Equal texts in a row show as one change; rebuild the per-record list from the counter.
        std::vector<std::string> shown(percent.texts.begin(), percent.texts.end() - 1);
        EXPECT_EQ(percent.texts.back(), "") << c.records << " records";
        EXPECT_EQ(shown.back(), "100%") << c.records << " records";
        std::vector<std::string> expected;
        for (int k = 1; k <= c.records; ++k) {
            const std::string text = std::to_string(k * 100 / c.records) + "%";
            if (expected.empty() || expected.back() != text)
                expected.push_back(text);
        }
        EXPECT_EQ(shown, expected) << c.records << " records";
        std::vector<std::string> firstTexts;
        for (std::size_t k = 0; k < c.first.size(); ++k)
            firstTexts.push_back(std::to_string(static_cast<int>(k + 1) * 100 / c.records) + "%");
        EXPECT_EQ(firstTexts, c.first) << c.records << " records";
    }
}

TEST_F(Transfer, NoSelectionNamesTheFieldTextAndOpensNothing) {
    writeSet("KTX_A.CSF", 3);
    h.start();
    h.commandSetList().procedure(CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    h.commandSetList().type("ZZZ");
    h.dlg->OnStartDownload();
    EXPECT_THAT(h.messages(), ElementsAre("The command set <ZZZ> can't be found !!"));
    EXPECT_TRUE(h.device.events().empty());

    h.commandSetList().type("");
    h.dlg->OnStartDownload();
    EXPECT_EQ(h.messages().back(), "The command set <> can't be found !!");
}

TEST_F(Transfer, VanishedFileKeepsThePreviousRecordTable) {
    const auto lines = writeSet("KTX_A.CSF", 5);
    writeSet("B_1.CSF", 3);
    h.start();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle();
    ASSERT_EQ(h.dlg->m_nRecordCount, 5);

    std::filesystem::remove(h.dir.path("B_1.CSF"));
    h.device.reset();
    h.commandSetList().pick(0);
    h.dlg->OnStartDownload();
    EXPECT_EQ(h.messages().back(), "The command set <B> can't be found !!");
    EXPECT_EQ(h.dlg->m_nRecordCount, 5);
    EXPECT_EQ(h.dlg->m_records[4].str(), lines[4]);
    EXPECT_TRUE(h.device.events().empty());
}

TEST_F(Transfer, PortThatCannotBeOpenedLeavesTheNewSetLoadedAndWritesNothing) {
    writeSet("KTX_A.CSF", 4);
    h.start();
    h.device.refuseOpens(platform::DeviceError::AccessDenied);
    h.dlg->OnStartDownload();
    EXPECT_THAT(h.messages(), ElementsAre(messages::kCannotOpenPort));
    EXPECT_EQ(h.dlg->m_nRecordCount, 4);
    EXPECT_TRUE(h.device.writes().empty());
    EXPECT_FALSE(h.device.dtr());
    EXPECT_FALSE(h.timerArmed(CDownloadDlg::SEND_TIMER));
}

struct FatalCase {
    const char* name;
    int failingWrite; // 1 is the erase
    std::size_t recordsComplete;
};

void PrintTo(const FatalCase& c, std::ostream* os) {
    *os << c.name;
}

class FatalWrite : public Transfer, public testing::WithParamInterface<FatalCase> {};

// A failed write ends the run: wound up first, then the message, then exit 0.
// Nothing after the failed piece goes out.
TEST_P(FatalWrite, EndsTheTransferTellsAndExits) {
    // Data records of 62 characters: three pieces each.
    h.write("KTX_A.CSF", fixtures::join(fixtures::commandSetRecords(6, 25)));
    h.start();
    h.device.failWrite(GetParam().failingWrite);
    expectIdleWhenBoxOpens();
    const sim::Outcome outcome = h.session.run([&] {
        h.dlg->OnStartDownload();
        h.session.runUntilIdle();
    });
    EXPECT_TRUE(outcome.exited(0));
    EXPECT_THAT(h.messages(), ElementsAre(messages::kWriteError));
    const auto& writes = h.device.writes();
    ASSERT_EQ(writes.size(), static_cast<std::size_t>(GetParam().failingWrite));
    EXPECT_NE(writes.back().error, platform::DeviceError::None);
    EXPECT_EQ(cutIntoRecords({writes.begin(), writes.end() - 1}).records.size(),
              GetParam().recordsComplete);
}

INSTANTIATE_TEST_SUITE_P(Writes, FatalWrite,
                         testing::Values(FatalCase{"Erase", 1, 0}, FatalCase{"FirstRecord", 2, 0},
                                         FatalCase{"MiddleOfFourthRecord", 2 + 3 * 3 + 1, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// A lost tick: the send timer stops, and five seconds after the last tick the
// watchdog ends the run.
TEST_F(Transfer, WatchdogEndsTheRunFiveSecondsAfterTheLastTick) {
    writeSet("KTX_A.CSF", 20);
    h.start();
    expectIdleWhenBoxOpens();
    Microseconds lastTick = 0;
    const sim::Outcome outcome = h.session.run([&] {
        h.dlg->OnStartDownload();
        // Let four ticks pass, then lose the send timer.
        h.session.runUntilIdle(&h.window(), {sim::wait(50 + 30 * 3 + 1), sim::inspect([&](CWnd* w) {
                                                 lastTick = h.device.writes().back().end;
                                                 w->KillTimer(CDownloadDlg::SEND_TIMER);
                                             })});
    });
    EXPECT_TRUE(outcome.exited(0));
    const auto& boxes = h.session.driver().messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, messages::kWatchdog);
    EXPECT_EQ(boxes[0].time, lastTick + 5000 * ms);
}

TEST_F(Transfer, RefusesSetsThatDoNotFitOrHoldNothingBeforeOpeningThePort) {
    const std::string record = fixtures::hexRecord(0x0100, 0, std::vector<std::uint8_t>(16, 0x55));
    std::string tooLong;
    while (tooLong.size() <= CDownloadDlg::kFileBufferSize)
        tooLong += record;
    struct Case {
        std::string file;
        std::string message;
    };
    const std::vector<Case> cases{
        {tooLong, "The command set <KTX> is too large !!"},
        {fixtures::join(fixtures::commandSetRecords(1201, 1)),
         "The command set <KTX> is too large !!"},
        {"not a record\n:10010004AA\n", "The command set <KTX> holds no records !!"},
    };
    for (const Case& c : cases) {
        MainWindowHarness run;
        run.write("KTX_X.CSF", c.file);
        run.start();
        run.dlg->OnStartDownload();
        EXPECT_THAT(run.messages(), ElementsAre(c.message));
        EXPECT_TRUE(run.device.events().empty()) << c.message;
        EXPECT_FALSE(run.timerArmed(CDownloadDlg::SEND_TIMER));
    }
}

// A second start while the port is held would take the port from the running
// transfer; it is refused, and the transfer completes.
TEST_F(Transfer, StartWhileStreamingIsRefusedAndTheTransferCompletes) {
    const auto lines = writeSet("KTX_A.CSF", 12);
    h.start();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle(&h.window(), {sim::wait(100), sim::click(IDC_START_DOWNLOAD),
                                         sim::wait(100), sim::command(IDC_FIRST_TIME_DOWNLOAD)});
    EXPECT_THAT(h.messages(), ElementsAre(messages::kTransferBusy, messages::kTransferBusy,
                                          messages::kDownloadCompleted));
    EXPECT_EQ(h.device.bytesWritten(),
              std::string(eraseSequence(ERASE_NORMAL).bytes, 8) + fixtures::join(lines));
    EXPECT_EQ(h.device.openCount(), 0);
    expectIdle();
}

TEST_F(Transfer, SecondTransferStartsAtTheFirstRecordAndSendsNoLeftovers) {
    writeSet("KTX_A.CSF", 20);
    h.start();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle();
    const auto shorter = writeSet("KTX_A.CSF", 10, 8);
    h.device.reset();
    h.dlg->OnStartDownload();
    h.session.runUntilIdle();
    const Wire wire = cutIntoRecords(h.device.writes());
    ASSERT_EQ(wire.records.size(), 10u);
    EXPECT_EQ(bytesOf(wire.records[0]), shorter[0]);
    EXPECT_EQ(h.dlg->m_nSendIndex, 10);
    EXPECT_FALSE(h.dlg->m_records[10].IsEmpty());
    EXPECT_THAT(h.messages(),
                ElementsAre(messages::kDownloadCompleted, messages::kDownloadCompleted));
}

} // namespace
