#include "tools/display/Trace.h"

#include "tests/support/JsonReader.h"

#include <gtest/gtest.h>

using namespace display;

namespace {

TEST(Trace, CarriesEveryByteValueThroughAJsonString) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    std::string literal = jsonString(bytes);
    for (char c : literal)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "only printable ASCII on a trace line";
    EXPECT_EQ(parseJsonString(literal), bytes);
}

TEST(Trace, WritesEachEventAsOneParseableObjectWithItsFields) {
    Event record;
    record.kind = EventKind::Record;
    record.t = 2'025'740;
    record.gap = 2'023'400;
    record.end = 2'026'000;
    record.bytes = ":00000001FE\r\n";
    record.number = 7;
    record.recordType = 1;
    record.checksumError = true;
    record.errors = {"ends in CR LF instead of LF", "checksum 0xFE, expected \"0xFF\""};

    std::string line = eventJson(record);
    ASSERT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line per event";
    auto json = parseJsonObject(line);
    ASSERT_TRUE(json) << line;
    EXPECT_EQ((*json)["kind"].text, "record");
    EXPECT_DOUBLE_EQ((*json)["t_ms"].number, 2025.7);
    EXPECT_DOUBLE_EQ((*json)["gap_ms"].number, 2023.4);
    EXPECT_EQ((*json)["text"].text, record.bytes);
    EXPECT_EQ((*json)["n"].number, 7);
    EXPECT_EQ((*json)["checksum_error"].boolean, true);
    ASSERT_EQ((*json)["errors"].items.size(), 2U);
    EXPECT_EQ((*json)["errors"].items[1].text, record.errors[1]);

    Event baud;
    baud.kind = EventKind::SetBaud;
    baud.bytes = "\r\x1b\x13\x1f\x14\x16"
                 "1" +
                 std::string{'\0', '\x07', '\0'};
    baud.baudIndex = 7;
    json = parseJsonObject(eventJson(baud));
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["kind"].text, "set-baud");
    EXPECT_EQ((*json)["rate"].type, JsonValue::Type::Null) << "the rate did not change";
}

TEST(Trace, SummaryLineHoldsTheTotals) {
    Summary summary;
    Outcome outcome{"idle", 1000, 19200, 32};
    auto json = parseJsonObject(summaryJson(summary, outcome));
    ASSERT_TRUE(json);
    EXPECT_EQ((*json)["kind"].text, "summary");
    EXPECT_EQ((*json)["end"].text, "idle");
    EXPECT_EQ((*json)["display_rate"].number, 19200);
    EXPECT_EQ((*json)["image_bytes"].number, 32);
    EXPECT_EQ((*json)["gap_min_ms"].type, JsonValue::Type::Null) << "no gaps yet";
}

} // namespace
