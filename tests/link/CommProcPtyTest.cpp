// The port channel on real ptys, seen from the display's end of the line.

#include "link/CommProc.h"

#include "platform/comm/Handles.h"

#include "tests/comm/ChildProcess.h"
#include "tests/comm/DeviceFolder.h"
#include "tests/comm/FdCount.h"
#include "tests/comm/Pty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

// COM3 names a pty through the devices folder, as a USB adapter would be linked.
class CommProcOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pty.path.empty());
        devices.link("com3", pty.path);
    }

    Pty pty;
    DeviceFolder devices;
};

TEST_F(CommProcOnPty, BaudIndexSetsTheRateAndOneStopBit) {
    for (auto [index, speed] : {std::pair{0, B2400}, std::pair{1, B4800}, std::pair{3, B19200},
                                std::pair{2, B9600}, std::pair{-1, B9600}, std::pair{7, B9600}}) {
        SCOPED_TRACE(index);
        pty.setLine(B1200, true);
        CCommProc channel;
        ASSERT_EQ(channel.Open("COM3", index), 255);
        const termios line = pty.line();
        EXPECT_EQ(cfgetospeed(&line), speed);
        EXPECT_FALSE(line.c_cflag & CSTOPB);
        EXPECT_FALSE(line.c_cflag & CRTSCTS);
        EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
        channel.Close();
    }
}

TEST_F(CommProcOnPty, LowerCaseNameKeepsTheLineAsItIs) {
    pty.setLine(B1200, true);
    CCommProc channel;
    ASSERT_EQ(channel.Open("com3", 3), 255);
    const termios line = pty.line();
    EXPECT_EQ(cfgetospeed(&line), B1200);
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    channel.Close();
}

TEST_F(CommProcOnPty, BytesReachTheDisplayUnchanged) {
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM3", 2), 255);
    using namespace std::string_literals;
    const std::string bytes = "\r\x1B\x13\x1F\x14\x16"
                              "0\0:10000000\n\x11\x13\r\n"s;
    EXPECT_EQ(channel.Write(bytes.data(), static_cast<DWORD>(bytes.size())), 255);
    EXPECT_EQ(pty.receive(bytes.size()), bytes);
    channel.Close();
}

TEST_F(CommProcOnPty, HeldPortIsRefusedHereAndInAnotherProcessUntilClosed) {
    CCommProc holder;
    ASSERT_EQ(holder.Open("COM3", 2), 255);
    CCommProc second;
    EXPECT_EQ(second.Open("COM3", 2), 0);
    EXPECT_EQ(second.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_EQ(exitCodeInChild([] { return CCommProc().Open("COM3", 2); }), 0);

    holder.Close();
    EXPECT_EQ(exitCodeInChild([] { return CCommProc().Open("COM3", 2); }), 255);
    EXPECT_EQ(second.Open("COM3", 2), 255);
    second.Close();
}

TEST_F(CommProcOnPty, CNameThatIsNoSerialPortLeavesNothingOpen) {
    devices.link("com5", devices.file("not-a-port"));
    const int descriptors = openDescriptorCount();
    const std::size_t handles = platform::openDeviceCount();
    CCommProc channel;
    EXPECT_EQ(channel.Open("COM5", 2), 0);
    EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_EQ(openDescriptorCount(), descriptors);
    EXPECT_EQ(platform::openDeviceCount(), handles);
    // Not held either: the same file opens under a name that skips configuration.
    EXPECT_EQ(channel.Open("com5", 2), 255);
    channel.Close();
}

TEST_F(CommProcOnPty, StalledDisplayFailsTheWriteOnceItsDeadlinePasses) {
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM3", 2), 255);
    pty.stall();
    const char erase[8] = {0x0D, 0x1B, 0x13, 0x1F, 0x14, 0x16, 0x30, 0x00};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(channel.Write(erase, sizeof erase), 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // 100 ms + 10 ms per byte.
    EXPECT_GE(elapsed, std::chrono::milliseconds(180));
    EXPECT_LT(elapsed, std::chrono::milliseconds(180 + 1500));
    channel.Close();
}

TEST_F(CommProcOnPty, HungUpDisplayFailsTheNextWrite) {
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM3", 2), 255);
    EXPECT_EQ(channel.Write("ok", 2), 255);
    pty.closeMaster();
    EXPECT_EQ(channel.Write("lost", 4), 0);
    channel.Close();
    EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
}

} // namespace
