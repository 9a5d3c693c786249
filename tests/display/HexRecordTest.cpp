#include "tools/display/HexRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using display::checkHexRecord;
using testing::HasSubstr;

namespace {

struct Faulty {
    const char* line;
    const char* fault; // a part of the only warning expected
    bool checksum;
};

void PrintTo(const Faulty& f, std::ostream* os) {
    *os << f.line;
}

class FaultyRecord : public testing::TestWithParam<Faulty> {};

TEST_P(FaultyRecord, GivesOneWarningThatNamesTheFault) {
    auto record = checkHexRecord(GetParam().line);
    ASSERT_EQ(record.errors.size(), 1U) << GetParam().line;
    EXPECT_THAT(record.errors[0], HasSubstr(GetParam().fault));
    EXPECT_EQ(record.checksumError, GetParam().checksum);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FaultyRecord,
    testing::Values(
        Faulty{":10010000214601360121470136007EFE09D2190141\n", "checksum 0x41, expected 0x40",
               true},
        Faulty{":0F010000214601360121470136007EFE09D2190141\n", "byte count 15 but 16", false},
        Faulty{"10010000214601360121470136007EFE09D2190140\n", "start code", false},
        Faulty{":1001000021460136012147013600 EFE09D2190140\n", "' ' at column 30", false},
        Faulty{":10010000214601360121470136007EFE09D219014\n", "odd number", false},
        Faulty{":000001\n", "too short", false},
        Faulty{":10010000214601360121470136007EFE09D2190140", "no line feed", false},
        Faulty{":00000006FA\n", "unknown record type 0x06", false},
        Faulty{":00000001FF\r\n", "CR LF", false}, Faulty{"\n", "start code", false}));

TEST(HexRecord, ReadsTheFieldsOfSoundRecordsInEitherCase) {
    for (const char* line : {":10010000214601360121470136007EFE09D2190140\n",
                             ":10010000214601360121470136007efe09d2190140\n"}) {
        auto record = checkHexRecord(line);
        EXPECT_TRUE(record.errors.empty()) << line;
        EXPECT_EQ(record.type, 0);
        EXPECT_EQ(record.address, 0x0100U);
        ASSERT_EQ(record.data.size(), 16U);
        EXPECT_EQ(record.data.front(), 0x21);
        EXPECT_EQ(record.data.back(), 0x01);
    }
    auto end = checkHexRecord(":00000001FF\n");
    EXPECT_TRUE(end.errors.empty());
    EXPECT_EQ(end.type, 1);
    EXPECT_TRUE(end.data.empty());
    EXPECT_TRUE(checkHexRecord(":020000040000FA\n").errors.empty());
}

TEST(HexRecord, ChecksTheChecksumEvenWhenTheLineEndsInCrLf) {
    auto record = checkHexRecord(":10010000214601360121470136007EFE09D2190141\r\n");
    EXPECT_EQ(record.errors.size(), 2U);
    EXPECT_TRUE(record.checksumError);
}

} // namespace
