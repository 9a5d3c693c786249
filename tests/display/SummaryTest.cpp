#include "tools/display/Summary.h"

#include <gtest/gtest.h>

using namespace display;

namespace {

Event at(EventKind kind, double ms, std::string bytes = "x") {
    Event e;
    e.kind = kind;
    e.t = static_cast<Micros>(ms * 1000);
    e.end = e.t + 100;
    e.bytes = std::move(bytes);
    return e;
}

TEST(Summary, MeasuresRecordGapsStartToStartWithinOneSeries) {
    Summary s;
    s.add(at(EventKind::Open, 0));
    s.add(at(EventKind::Erase, 10));
    for (double ms : {2040.0, 2090.0, 2120.0, 2150.0, 2270.0})
        s.add(at(EventKind::Record, ms));
    Event baud = at(EventKind::SetBaud, 3000);
    baud.rate = 19200;
    s.add(baud);
    s.add(at(EventKind::Record, 5000)); // a new series: no gap from 2270
    s.add(at(EventKind::Close, 6000));

    GapStats gaps = s.gaps();
    EXPECT_EQ(gaps.count, 4U);
    EXPECT_EQ(gaps.min, 30'000);
    EXPECT_EQ(gaps.median, 40'000); // between 30 and 50
    EXPECT_EQ(gaps.max, 120'000);
    EXPECT_EQ(s.eraseWait, 2'030'000);
    EXPECT_EQ(s.baudChanges, 1);
    EXPECT_EQ(s.total(), 4'990'100) << "first byte to last byte; opens and closes carry none";
}

TEST(Summary, CountsFaultsAndBytesByKind) {
    Summary s;
    Event bad = at(EventKind::Record, 1, "12345");
    bad.checksumError = true;
    bad.errors = {"checksum"};
    s.add(bad);
    Event broken = at(EventKind::Record, 2);
    broken.checksumError = true;
    broken.errors = {"CR LF", "checksum"};
    broken.overrun = true;
    s.add(broken);
    s.add(at(EventKind::Lost, 3, "abc"));
    s.add(at(EventKind::Rejected, 4, "ab"));
    s.add(at(EventKind::Garbage, 5, "a"));

    EXPECT_EQ(s.records, 2);
    EXPECT_EQ(s.checksumErrors, 2);
    EXPECT_EQ(s.malformed, 1);
    EXPECT_EQ(s.overruns, 1);
    EXPECT_EQ(s.lost, 3U);
    EXPECT_EQ(s.rejected, 2U);
    EXPECT_EQ(s.garbage, 1U);
    EXPECT_EQ(s.bytes, 12U);
}

} // namespace
