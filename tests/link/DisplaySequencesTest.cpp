#include "link/DisplaySequences.h"

#include "link/CommProc.h"
#include "platform/comm/RecordingDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string bytesOf(DisplaySequence sequence) {
    return std::string(sequence.bytes, sequence.length);
}

TEST(DisplaySequences, BytesOfEachSequence) {
    using namespace std::string_literals;
    EXPECT_EQ(bytesOf(eraseSequence(ERASE_NORMAL)), "\x0D\x1B\x13\x1F\x14\x16\x30\x00"s);
    EXPECT_EQ(bytesOf(eraseSequence(ERASE_FIRST_TIME)), "\x1B\x13\x1F\x14\x16\x32\x00"s);
    EXPECT_EQ(bytesOf(setBaudSequence()), "\x0D\x1B\x13\x1F\x14\x16\x31"s);
    for (auto [index, byte] : {std::pair{0, '\x00'}, std::pair{1, '\x01'}, std::pair{2, '\x02'},
                               std::pair{3, '\x03'}, std::pair{0x103, '\x03'}}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(baudParameterFrame(index), (std::array<char, 3>{'\0', byte, '\0'}));
    }
}

TEST(DisplaySequences, EachGoesOutInTheWritesItIsMadeOf) {
    platform::RecordingDevice device;
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM1", 2), 255);
    for (int mode : {ERASE_NORMAL, ERASE_FIRST_TIME}) {
        const DisplaySequence erase = eraseSequence(mode);
        EXPECT_EQ(channel.Write(erase.bytes, erase.length), 255);
    }
    const DisplaySequence setBaud = setBaudSequence();
    EXPECT_EQ(channel.Write(setBaud.bytes, setBaud.length), 255);
    const std::array<char, 3> frame = baudParameterFrame(3);
    EXPECT_EQ(channel.Write(frame.data(), frame.size()), 255);
    channel.Close();

    std::vector<std::size_t> lengths;
    for (const auto& write : device.writes())
        lengths.push_back(write.bytes.size());
    EXPECT_EQ(lengths, (std::vector<std::size_t>{8, 7, 7, 3}));
    EXPECT_EQ(device.writes()[3].bytes, std::string("\0\x03\0", 3));
}

} // namespace
