// The POSIX provider through the Win32 calls, on real ptys.

#include "platform/comm/Comm.h"
#include "platform/comm/Handles.h"

#include "tests/comm/ChildProcess.h"
#include "tests/comm/DeviceFolder.h"
#include "tests/comm/FdCount.h"
#include "tests/comm/Pty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

HANDLE openPort(const std::string& name) {
    return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

DCB dcbOf(HANDLE port) {
    DCB dcb;
    EXPECT_TRUE(GetCommState(port, &dcb));
    return dcb;
}

TEST(PosixDevice, OpensRawKeepingSpeedAndFraming) {
    Pty pty;
    pty.setLine(B4800, true);
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);

    const termios line = pty.line();
    EXPECT_EQ(cfgetospeed(&line), B4800);
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_EQ(line.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    EXPECT_FALSE(line.c_oflag & OPOST);
    EXPECT_FALSE(line.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY | ISTRIP | BRKINT));
    EXPECT_FALSE(line.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN));
    EXPECT_EQ(line.c_cc[VMIN], 1);
    EXPECT_EQ(line.c_cc[VTIME], 0);

    const DCB dcb = dcbOf(port);
    EXPECT_EQ(dcb.BaudRate, 4800u);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_TRUE(dcb.flag(DCB_BINARY));
    EXPECT_FALSE(dcb.flag(DCB_OUTX));
    EXPECT_TRUE(CloseHandle(port));
}

TEST(PosixDevice, CommStateReachesTheLine) {
    struct Case {
        DWORD rate;
        BYTE stopBits;
        DWORD flags;
        speed_t speed;
        tcflag_t cflags; // of CSTOPB, CRTSCTS
        tcflag_t iflags; // of IXON, IXOFF
    };
    const Case cases[] = {
        {2400, ONESTOPBIT, 0, B2400, 0, 0},
        {19200, TWOSTOPBITS, 0, B19200, CSTOPB, 0},
        {115200, ONESTOPBIT, DCB_OUTX_CTS_FLOW, B115200, CRTSCTS, 0},
        {9600, ONESTOPBIT, DCB_OUTX | DCB_INX, B9600, 0, IXON | IXOFF},
    };
    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        DCB dcb = dcbOf(port);
        dcb.BaudRate = c.rate;
        dcb.StopBits = c.stopBits;
        dcb.ByteSize = 7;
        dcb.Parity = EVENPARITY;
        dcb.Flags = DCB_BINARY | c.flags;
        ASSERT_TRUE(SetCommState(port, &dcb));

        const termios line = pty.line();
        EXPECT_EQ(cfgetospeed(&line), c.speed);
        EXPECT_EQ(line.c_cflag & (CSTOPB | CRTSCTS), c.cflags);
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF), c.iflags);
        // A pty forces 8 bits and no parity; the port still reports what was set.
        EXPECT_EQ(dcbOf(port), dcb);
    }
    CloseHandle(port);
}

TEST(PosixDevice, SettingsTheLineCannotTakeAreRefused) {
    struct Case {
        const char* what;
        DWORD rate;
        BYTE byteSize;
        BYTE parity;
        BYTE stopBits;
        DWORD flags;
    };
    const Case cases[] = {
        {"unknown rate", 12345, 8, NOPARITY, ONESTOPBIT, 0},
        {"nine bits", 9600, 9, NOPARITY, ONESTOPBIT, 0},
        {"four bits", 9600, 4, NOPARITY, ONESTOPBIT, 0},
        {"1.5 stop bits with 8 bits", 9600, 8, NOPARITY, ONE5STOPBITS, 0},
        {"2 stop bits with 5 bits", 9600, 5, NOPARITY, TWOSTOPBITS, 0},
        {"unknown parity", 9600, 8, 5, ONESTOPBIT, 0},
        {"DSR flow", 9600, 8, NOPARITY, ONESTOPBIT, DCB_OUTX_DSR_FLOW},
        {"RTS toggle", 9600, 8, NOPARITY, ONESTOPBIT, RTS_CONTROL_TOGGLE << DCB_RTS_CONTROL_SHIFT},
    };
    Pty pty;
    pty.setLine(B1200, false);
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    const DCB before = dcbOf(port);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DCB dcb = before;
        dcb.BaudRate = c.rate;
        dcb.ByteSize = c.byteSize;
        dcb.Parity = c.parity;
        dcb.StopBits = c.stopBits;
        dcb.Flags |= c.flags;
        SetLastError(0);
        EXPECT_FALSE(SetCommState(port, &dcb));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(dcbOf(port), before);
        const termios line = pty.line();
        EXPECT_EQ(cfgetospeed(&line), B1200);
    }
    CloseHandle(port);
}

TEST(PosixDevice, BytesPassUnchanged) {
    std::string bytes = "line\nfeed\rreturn\x11xon\x13xoff";
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    bytes += std::string(3, '\0');

    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(written, bytes.size());
    EXPECT_EQ(pty.receive(bytes.size()), bytes);
    CloseHandle(port);
}

TEST(PosixDevice, HeldPortIsRefusedHereAndElsewhereUntilClosed) {
    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);

    SetLastError(0);
    EXPECT_EQ(openPort(pty.path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    const int child = exitCodeInChild([&] {
        const bool refused = openPort(pty.path) == INVALID_HANDLE_VALUE;
        return refused && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1;
    });
    EXPECT_EQ(child, 0);

    EXPECT_TRUE(CloseHandle(port));
    const int afterClose =
        exitCodeInChild([&] { return openPort(pty.path) != INVALID_HANDLE_VALUE ? 0 : 1; });
    EXPECT_EQ(afterClose, 0);
    HANDLE again = openPort(pty.path);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
}

TEST(PosixDevice, StalledLineFailsTheWriteAtItsDeadline) {
    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 10, 200};
    ASSERT_TRUE(SetCommTimeouts(port, &timeouts));
    pty.stall();

    const char bytes[10] = {'x'};
    DWORD written = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WriteFile(port, bytes, sizeof bytes, &written, nullptr));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_LT(written, sizeof bytes);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    EXPECT_LT(elapsed, std::chrono::milliseconds(300 + 1500));
    CloseHandle(port);
}

TEST(PosixDevice, HungUpFarSideFailsTheWrite) {
    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    pty.closeMaster();
    DWORD written = 0;
    // No time-outs set: the failure must come from the hang-up, not a deadline.
    EXPECT_FALSE(WriteFile(port, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_WRITE_FAULT);
    EXPECT_TRUE(CloseHandle(port));
}

TEST(PosixDevice, PtyHasNoModemLines) {
    Pty pty;
    HANDLE port = openPort(pty.path);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    for (DWORD function : {SETDTR, CLRDTR}) {
        SetLastError(0);
        EXPECT_FALSE(EscapeCommFunction(port, function));
        EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    }
    EXPECT_FALSE(EscapeCommFunction(port, 77));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(port);
}

TEST(PosixDevice, RegularFileIsWrittenButIsNoSerialPort) {
    DeviceFolder temp;
    const std::string path = temp.file("capture");
    const int descriptors = openDescriptorCount();

    HANDLE file = openPort(path);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DCB dcb;
    EXPECT_FALSE(GetCommState(file, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_FALSE(SetCommState(file, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_FALSE(EscapeCommFunction(file, SETDTR));
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 10, 100};
    EXPECT_TRUE(SetCommTimeouts(file, &timeouts));
    COMMTIMEOUTS readBack{};
    EXPECT_TRUE(GetCommTimeouts(file, &readBack));
    EXPECT_EQ(readBack, timeouts);
    EXPECT_EQ(openPort(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "A\0B\n", 4, &written, nullptr));
    EXPECT_EQ(written, 4u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(openDescriptorCount(), descriptors);

    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("A\0B\n", 4));
}

TEST(PosixDevice, NamesThatOpenNothingFailCleanly) {
    DeviceFolder devices;
    devices.link("com7", devices.root() + "/unplugged-adapter");
    const std::string notAFolder = devices.file("plain") + "/port";
    struct Case {
        std::string name;
        DWORD error;
    };
    const Case cases[] = {
        {"COM7", ERROR_FILE_NOT_FOUND}, // the link points nowhere
        {"\\\\.\\KTXDV2\\", ERROR_FILE_NOT_FOUND},
        {"/nonexistent-veltran-port", ERROR_FILE_NOT_FOUND},
        {"/nonexistent-veltran-dir/port", ERROR_FILE_NOT_FOUND},
        {notAFolder, ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
    };
    const int descriptors = openDescriptorCount();
    const std::size_t handles = platform::openDeviceCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(openPort(c.name), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(openDescriptorCount(), descriptors);
    EXPECT_EQ(platform::openDeviceCount(), handles);
}

TEST(PosixDevice, CallsOnAnythingButAnOpenHandleFail) {
    Pty pty;
    HANDLE closed = openPort(pty.path);
    ASSERT_TRUE(CloseHandle(closed));
    DCB dcb;
    COMMTIMEOUTS timeouts{};
    DWORD written = 0;
    for (HANDLE handle : {closed, INVALID_HANDLE_VALUE, HANDLE(nullptr)}) {
        EXPECT_FALSE(GetCommState(handle, &dcb));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(SetCommState(handle, &dcb));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(SetCommTimeouts(handle, &timeouts));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(EscapeCommFunction(handle, SETDTR));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(WriteFile(handle, "x", 1, &written, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
}

TEST(PosixDevice, OnlySynchronousOpensOfExistingDevices) {
    Pty pty;
    const DWORD access = GENERIC_READ | GENERIC_WRITE;
    for (auto [creation, flags, acc] :
         {std::tuple{DWORD(2), FILE_ATTRIBUTE_NORMAL, access},
          std::tuple{OPEN_EXISTING, FILE_FLAG_OVERLAPPED, access},
          std::tuple{OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, DWORD(0)}}) {
        SetLastError(0);
        EXPECT_EQ(CreateFileA(pty.path.c_str(), acc, 0, nullptr, creation, flags, nullptr),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    HANDLE port = openPort(pty.path);
    char overlapped[32] = {};
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(port, "x", 1, &written, overlapped));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(port);
}

} // namespace
