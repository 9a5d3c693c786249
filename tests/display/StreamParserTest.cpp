#include "tools/display/StreamParser.h"

#include "tests/display/Sequences.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace display;
using namespace sequences;
using testing::HasSubstr;

namespace {

// Feeds each chunk as one read, 1 ms apart, then ends the stream.
std::vector<Event> parse(const std::vector<std::string>& chunks) {
    StreamParser parser;
    std::vector<Event> out;
    Micros t = 0;
    for (const std::string& chunk : chunks) {
        for (char c : chunk)
            parser.feed(static_cast<std::uint8_t>(c), t, out);
        parser.endChunk(out);
        t += 1000;
    }
    parser.flush("at the end", out);
    return out;
}

struct Unit {
    EventKind kind;
    std::string bytes;
    std::string reason = {}; // a part of the garbage's reason
};

struct Case {
    const char* name;
    std::vector<std::string> chunks;
    std::vector<Unit> units;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Framing : public testing::TestWithParam<Case> {};

TEST_P(Framing, CutsTheStreamIntoItsUnits) {
    auto events = parse(GetParam().chunks);
    const auto& expected = GetParam().units;
    ASSERT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].kind, expected[i].kind) << "unit " << i;
        EXPECT_EQ(events[i].bytes, expected[i].bytes) << "unit " << i;
        EXPECT_THAT(events[i].reason, HasSubstr(expected[i].reason)) << "unit " << i;
    }
}

const std::string kRecordHead = kRecord1.substr(0, 30);
const std::string kRecordTail = kRecord1.substr(30);

INSTANTIATE_TEST_SUITE_P(
    Streams, Framing,
    testing::Values(
        Case{"NormalErase", {kNormalErase}, {{EventKind::Erase, kNormalErase}}},
        Case{"FirstTimeErase", {kFirstTimeErase}, {{EventKind::Erase, kFirstTimeErase}}},
        Case{"SetBaudWithItsFrameInTheNextWrite",
             {kSetBaud, frame(3)},
             {{EventKind::SetBaud, kSetBaud + frame(3)}}},
        Case{"RecordsInPiecesOfThirty",
             {kRecordHead, kRecordTail + kRecord2.substr(0, 30), kRecord2.substr(30)},
             {{EventKind::Record, kRecord1}, {EventKind::Record, kRecord2}}},
        Case{"EraseThenRecordsInOneRead",
             {kNormalErase + kRecord1 + kEndRecord},
             {{EventKind::Erase, kNormalErase},
              {EventKind::Record, kRecord1},
              {EventKind::Record, kEndRecord}}},
        Case{"CrLfStaysInTheRecord", {":00000001FF\r\n"}, {{EventKind::Record, ":00000001FF\r\n"}}},
        Case{"CrSplitFromItsIntroducer",
             {"\r", kIntroducer + "0" + std::string(1, '\0')},
             {{EventKind::Erase, kNormalErase}}},
        Case{"BareCrAndControlBytesBetweenRecords",
             {kRecord1 + "\r\x01", kRecord2},
             {{EventKind::Record, kRecord1},
              {EventKind::Garbage, "\r\x01", "outside"},
              {EventKind::Record, kRecord2}}},
        Case{"UnknownCommand",
             {"\r" + kIntroducer + "7" + kEndRecord},
             {{EventKind::Garbage, "\r" + kIntroducer + "7", "unknown command"},
              {EventKind::Record, kEndRecord}}},
        Case{"BrokenIntroducer",
             {"\r\x1b\x13" + kEndRecord},
             {{EventKind::Garbage, "\r\x1b\x13", "unknown control sequence"},
              {EventKind::Record, kEndRecord}}},
        Case{"EraseWithoutItsNul",
             {kIntroducer + "0" + kEndRecord},
             {{EventKind::Garbage, kIntroducer + "0", "NUL"}, {EventKind::Record, kEndRecord}}},
        Case{"LineCutShortByAnErase",
             {kRecordHead, kNormalErase},
             {{EventKind::Garbage, kRecordHead, "cut short"}, {EventKind::Erase, kNormalErase}}},
        Case{"LineWithoutLineFeedAtTheEnd",
             {kRecordHead},
             {{EventKind::Garbage, kRecordHead, "at the end"}}},
        Case{"SetBaudFrameCutShortAtTheEnd",
             {kSetBaud, std::string(1, '\0')},
             {{EventKind::Garbage, kSetBaud + std::string(1, '\0'), "at the end"}}},
        Case{"RunawayLine",
             {std::string(StreamParser::kMaxLine, 'A') + kEndRecord},
             {{EventKind::Garbage, std::string(StreamParser::kMaxLine, 'A'), "too long"},
              {EventKind::Record, kEndRecord}}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(StreamParser, DatesAUnitByItsFirstByteAndEndsItAtItsLast) {
    auto events = parse({kRecordHead, "", kRecordTail});
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].t, 0);
    EXPECT_EQ(events[0].end, 2000);

    events = parse({"\r", "", kIntroducer + "2" + std::string(1, '\0')});
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].t, 0) << "the CR is the sequence's first byte";
    EXPECT_EQ(events[0].mode, EraseMode::FirstTime);
}

} // namespace
