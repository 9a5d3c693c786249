#include "tools/display/LineDisplay.h"

#include "tests/display/Sequences.h"
#include "tools/display/HexRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace display;
using namespace sequences;
using testing::HasSubstr;

namespace {

struct Arrival {
    Micros t;
    std::string bytes;
    std::optional<unsigned> lineRate = 9600;
};

std::vector<Event> play(LineDisplay& display, const std::vector<Arrival>& arrivals) {
    std::vector<Event> out;
    for (const Arrival& a : arrivals) {
        std::vector<std::uint8_t> bytes(a.bytes.begin(), a.bytes.end());
        display.receive(a.t, bytes, a.lineRate, out);
    }
    display.finish(out);
    return out;
}

std::vector<EventKind> kinds(const std::vector<Event>& events) {
    std::vector<EventKind> result;
    for (const Event& e : events)
        result.push_back(e.kind);
    return result;
}

DisplaySettings settings(Micros eraseMs = 2000, Micros flashMs = 5) {
    DisplaySettings s;
    s.eraseTime = fromMillis(eraseMs);
    s.flashTime = fromMillis(flashMs);
    return s;
}

using K = EventKind;

TEST(LineDisplay, LosesWhatArrivesWhileErasingAndTakesRecordsAfterwards) {
    LineDisplay display(settings());
    auto events = play(
        display,
        {{0, kNormalErase + kRecord1}, {fromMillis(1999), kRecord1}, {fromMillis(2000), kRecord2}});
    ASSERT_EQ(kinds(events), (std::vector{K::Erase, K::Lost, K::Lost, K::Record}));
    EXPECT_EQ(events[1].bytes, kRecord1) << "bytes after the erase in the same read are lost";
    EXPECT_EQ(events[2].bytes.size(), kRecord1.size());
    EXPECT_EQ(events[3].number, 1);
    EXPECT_FALSE(display.image().at(0x0100)) << "the lost record is not stored";
    EXPECT_EQ(display.image().at(0x0110), 0x21);
    EXPECT_EQ(display.image().size(), 16U);
}

TEST(LineDisplay, EraseClearsTheImage) {
    LineDisplay display(settings(100));
    play(display, {{0, kFirstTimeErase}, {fromMillis(200), kRecord1}});
    EXPECT_EQ(display.image().size(), 16U);
    play(display, {{fromMillis(300), kNormalErase}});
    EXPECT_EQ(display.image().size(), 0U);
}

TEST(LineDisplay, ARecordThatBeginsBeforeThePreviousIsWrittenIsAnOverrun) {
    struct Case {
        Micros delay;
        bool overrun;
    };
    for (Case c : {Case{fromMillis(10) - 100, true}, Case{fromMillis(10), false}}) {
        LineDisplay display(settings(0, 10));
        auto events = play(display, {{0, kRecord1}, {c.delay, kRecord2}});
        ASSERT_EQ(kinds(events), (std::vector{K::Record, K::Record}));
        EXPECT_FALSE(events[0].overrun);
        EXPECT_EQ(events[1].overrun, c.overrun) << c.delay;
        EXPECT_EQ(display.image().at(0x0110).has_value(), !c.overrun)
            << "an overrun record never reaches the image";
    }
}

TEST(LineDisplay, FlashTimeCountsFromTheLastByteOfTheRecord) {
    LineDisplay display(settings(0, 10));
    auto events = play(display, {{0, kRecord1.substr(0, 30)},
                                 {fromMillis(20), kRecord1.substr(30)},
                                 {fromMillis(25), kRecord2}});
    ASSERT_EQ(events.size(), 2U);
    EXPECT_TRUE(events[1].overrun);
}

TEST(LineDisplay, SetBaudSwitchesTheRateRightAfterItsFrame) {
    LineDisplay display(settings());
    auto events =
        play(display,
             {{0, kSetBaud}, {100, frame(3) + kEndRecord}, {fromMillis(200), kEndRecord, 19200}});
    ASSERT_EQ(kinds(events), (std::vector{K::SetBaud, K::Rejected, K::Record}));
    EXPECT_EQ(events[0].baudIndex, 3);
    EXPECT_EQ(events[0].rate, 19200U);
    EXPECT_TRUE(events[0].errors.empty());
    EXPECT_EQ(events[1].bytes, kEndRecord) << "sent at 9600 after the switch";
    EXPECT_EQ(events[1].rate, 9600U);
    EXPECT_EQ(events[1].displayRate, 19200U);
    EXPECT_EQ(display.rate(), 19200U);
}

TEST(LineDisplay, JudgesTheSetBaudCommand) {
    struct Case {
        std::string bytes;
        unsigned rateAfter; // 0: unchanged
        const char* warning;
    };
    std::vector<Case> cases = {
        {kSetBaud + frame(0), 2400, nullptr},
        {kSetBaud + frame(4), 0, "out of range"},
        {kSetBaud + std::string{'\x01', '\x01', '\0'}, 0, "00 index 00"},
        {kSetBaud.substr(1) + frame(1), 4800, "without the CR"},
    };
    for (const Case& c : cases) {
        LineDisplay display(settings());
        auto events = play(display, {{0, c.bytes}});
        ASSERT_EQ(kinds(events), (std::vector{K::SetBaud}));
        EXPECT_EQ(events[0].rate, c.rateAfter);
        EXPECT_EQ(display.rate(), c.rateAfter ? c.rateAfter : 9600U);
        if (c.warning) {
            ASSERT_EQ(events[0].errors.size(), 1U);
            EXPECT_THAT(events[0].errors[0], HasSubstr(c.warning));
        } else {
            EXPECT_TRUE(events[0].errors.empty());
        }
    }
}

TEST(LineDisplay, RejectsBytesSentAtAnotherRateAndCutsTheLineTheyBreak) {
    LineDisplay display(settings());
    auto events = play(display, {{0, kRecord1.substr(0, 30)},
                                 {100, kRecord1.substr(30), 19200},
                                 {200, kNormalErase, 4800}});
    ASSERT_EQ(kinds(events), (std::vector{K::Garbage, K::Rejected, K::Rejected}));
    EXPECT_EQ(events[0].bytes, kRecord1.substr(0, 30));
    EXPECT_EQ(events[1].bytes.size(), 14U);
    EXPECT_EQ(events[1].rate, 19200U);
    EXPECT_EQ(events[2].rate, 4800U);
    EXPECT_EQ(display.rate(), 9600U) << "a rejected erase does nothing";
}

TEST(LineDisplay, ALineWhoseRateIsUnknownIsNeverRejected) {
    LineDisplay display(settings());
    auto events = play(display, {{0, kRecord1, std::nullopt}});
    ASSERT_EQ(kinds(events), (std::vector{K::Record}));
}

TEST(LineDisplay, WarnsAboutTheCrOfEachEraseMode) {
    struct Case {
        std::string bytes;
        EraseMode mode;
        bool warned;
    };
    for (const Case& c : {Case{kNormalErase, EraseMode::Normal, false},
                          Case{kNormalErase.substr(1), EraseMode::Normal, true},
                          Case{kFirstTimeErase, EraseMode::FirstTime, false},
                          Case{"\r" + kFirstTimeErase, EraseMode::FirstTime, true}}) {
        LineDisplay display(settings());
        auto events = play(display, {{0, c.bytes}});
        ASSERT_EQ(kinds(events), (std::vector{K::Erase}));
        EXPECT_EQ(events[0].mode, c.mode);
        EXPECT_EQ(events[0].errors.size(), c.warned ? 1U : 0U);
    }
}

TEST(LineDisplay, KeepsOnlySoundDataRecordsInTheImage) {
    LineDisplay display(settings());
    const std::string badChecksum = ":0100200011CF\n"; // the checksum is CE
    auto events = play(display, {{0, kRecord1},
                                 {fromMillis(100), badChecksum},
                                 {fromMillis(200), ":020000040001F9\n"},
                                 {fromMillis(300), kEndRecord}});
    ASSERT_EQ(kinds(events), (std::vector{K::Record, K::Record, K::Record, K::Record}));
    EXPECT_TRUE(events[1].checksumError);
    EXPECT_TRUE(events[2].errors.empty()) << "an extended-address record is sound";
    EXPECT_EQ(events[3].recordType, 1);
    EXPECT_EQ(display.image().size(), 16U);
    EXPECT_FALSE(display.image().at(0x0020));
}

TEST(FlashImage, WritesItselfBackAsSoundIntelHex) {
    FlashImage image;
    std::vector<std::uint8_t> run(20);
    for (std::size_t i = 0; i < run.size(); ++i)
        run[i] = static_cast<std::uint8_t>(0xF0 + i);
    image.write(0x0100, run);
    image.write(0xFFFF, std::vector<std::uint8_t>{0xAA, 0xBB}); // wraps to 0x0000

    FlashImage copy;
    std::istringstream lines(image.toIntelHex());
    std::string line;
    int endRecords = 0;
    while (std::getline(lines, line)) {
        auto record = checkHexRecord(line + "\n");
        ASSERT_TRUE(record.errors.empty()) << line;
        ASSERT_LE(record.data.size(), 16U);
        if (record.type == 1)
            ++endRecords;
        else
            copy.write(record.address, record.data);
    }
    EXPECT_EQ(endRecords, 1);
    EXPECT_EQ(copy.size(), 22U);
    for (unsigned address : {0x0000U, 0xFFFFU, 0x0100U, 0x0113U})
        EXPECT_EQ(copy.at(address), image.at(address)) << address;
    EXPECT_FALSE(copy.at(0x0114));
}

} // namespace
