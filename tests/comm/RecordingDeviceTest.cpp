// The recording device that stands in for ports in the system's tests.

#include "platform/comm/RecordingDevice.h"

#include "platform/comm/Comm.h"

#include "tests/comm/ManualClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::DeviceError;
using Kind = platform::RecordingDevice::EventKind;

HANDLE openPort(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL write(HANDLE port, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

TEST(RecordingDevice, StandsInForPortsOnlyWhileItLives) {
    HANDLE leftOpen = INVALID_HANDLE_VALUE;
    {
        platform::RecordingDevice device;
        leftOpen = openPort("/nonexistent-veltran-port");
        EXPECT_NE(leftOpen, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(device.isOpen());
        ASSERT_EQ(device.events().size(), 1u);
        EXPECT_EQ(device.events()[0].name, "/nonexistent-veltran-port");
    }
    // The POSIX provider is back, and the handle of the gone device is dead.
    EXPECT_EQ(openPort("/nonexistent-veltran-port"), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(write(leftOpen, "x"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(leftOpen));
}

TEST(RecordingDevice, WritesTakeLineTimeOnTheClockBoundedByTheirDeadline) {
    ManualClock clock;
    platform::RecordingDevice device;
    HANDLE port = openPort("COM1");

    device.setLineRate(2400);
    ASSERT_TRUE(write(port, std::string(30, 'a'))); // 300 bits at 2400 baud
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 10, 100};
    SetCommTimeouts(port, &timeouts);
    device.setLineRate(300);
    ASSERT_TRUE(write(port, std::string(30, 'b'))); // 1 s on the line, 400 ms allowed
    device.setLineRate(0);
    ASSERT_TRUE(write(port, "c"));

    const auto& w = device.writes();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0].end - w[0].start, 125'000);
    EXPECT_EQ(w[1].start, w[0].end);
    EXPECT_EQ(w[1].end - w[1].start, 400'000);
    EXPECT_EQ(w[2].end, w[2].start);
    EXPECT_EQ(device.bytesWritten(), std::string(30, 'a') + std::string(30, 'b') + "c");
    CloseHandle(port);
}

TEST(RecordingDevice, ScriptedWriteFailuresCountEveryWrite) {
    platform::RecordingDevice device;
    device.failWrite(2);
    device.failWrite(4, DeviceError::IoPending);
    HANDLE first = openPort("COM1");
    EXPECT_TRUE(write(first, "1"));
    EXPECT_FALSE(write(first, "2"));
    EXPECT_EQ(GetLastError(), ERROR_WRITE_FAULT);
    CloseHandle(first);
    HANDLE second = openPort("COM1");
    EXPECT_TRUE(write(second, "3"));
    EXPECT_FALSE(write(second, "4"));
    EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
    EXPECT_EQ(device.bytesWritten(), "13");

    device.reset();
    EXPECT_TRUE(device.events().empty());
    EXPECT_TRUE(write(second, "1"));
    EXPECT_TRUE(write(second, "2")); // the script went with the reset
    CloseHandle(second);
}

TEST(RecordingDevice, OpensAreExclusiveAndRefusable) {
    platform::RecordingDevice device;
    HANDLE held = openPort("COM1");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(openPort("COM1"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    device.allowSecondOpen();
    HANDLE shared = openPort("LPT1");
    EXPECT_NE(shared, INVALID_HANDLE_VALUE);
    EXPECT_EQ(device.openCount(), 2);
    CloseHandle(shared);
    CloseHandle(held);
    EXPECT_FALSE(device.isOpen());

    device.refuseOpen("COM2", DeviceError::NotFound);
    EXPECT_EQ(openPort("com2"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    HANDLE other = openPort("COM3");
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    CloseHandle(other);
    device.refuseOpens(DeviceError::AccessDenied);
    EXPECT_EQ(openPort("COM3"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    const auto& e = device.events();
    ASSERT_GE(e.size(), 2u);
    EXPECT_EQ(e[1].kind, Kind::Open);
    EXPECT_EQ(e[1].error, DeviceError::AccessDenied);
}

TEST(RecordingDevice, KeepsTheLineStateTheCallsLeave) {
    platform::RecordingDevice device;
    HANDLE port = openPort("COM1");
    DCB dcb;
    ASSERT_TRUE(GetCommState(port, &dcb));
    EXPECT_EQ(dcb, device.portState());
    EXPECT_FALSE(device.lastDcb());

    dcb.BaudRate = 19200;
    dcb.setDtrControl(DTR_CONTROL_ENABLE);
    ASSERT_TRUE(SetCommState(port, &dcb));
    EXPECT_TRUE(device.dtr());
    EXPECT_EQ(device.lastDcb(), dcb);
    EXPECT_TRUE(EscapeCommFunction(port, CLRDTR));
    EXPECT_FALSE(device.dtr());
    EXPECT_TRUE(EscapeCommFunction(port, SETDTR));
    EXPECT_TRUE(device.dtr());
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 10, 100};
    EXPECT_TRUE(SetCommTimeouts(port, &timeouts));
    EXPECT_EQ(device.lastTimeouts(), timeouts);

    device.failLineControls();
    EXPECT_FALSE(EscapeCommFunction(port, CLRDTR));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_TRUE(device.dtr());
    device.failSetCommState();
    EXPECT_TRUE(GetCommState(port, &dcb));
    EXPECT_FALSE(SetCommState(port, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    device.failCommState();
    EXPECT_FALSE(GetCommState(port, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    CloseHandle(port);

    EXPECT_EQ(
        device.eventKinds(),
        (std::vector<Kind>{Kind::Open, Kind::GetCommState, Kind::SetCommState, Kind::Escape,
                           Kind::Escape, Kind::SetCommTimeouts, Kind::Escape, Kind::GetCommState,
                           Kind::SetCommState, Kind::GetCommState, Kind::Close}));
}

} // namespace
