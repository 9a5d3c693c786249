// The port channel on the recording device: which port calls it makes, with what.

#include "link/CommProc.h"

#include "platform/comm/Comm.h"
#include "platform/comm/RecordingDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using platform::DeviceError;
using Kind = platform::RecordingDevice::EventKind;

TEST(CCommProc, SerialPortIsConfiguredThenGetsTimeoutsAndDtr) {
    platform::RecordingDevice device;
    DCB current;
    current.BaudRate = 1200;
    current.ByteSize = 7;
    current.Parity = EVENPARITY;
    current.StopBits = TWOSTOPBITS;
    current.Flags = 0x7FFF; // every flag set, each control field at its highest value
    current.XonLim = 2048;
    current.XonChar = 0x11;
    current.EofChar = 0x1A;
    device.setPortState(current);

    CCommProc channel;
    ASSERT_EQ(channel.Open("COM1", 1), 255);
    EXPECT_NE(channel.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_EQ(device.eventKinds(),
              (std::vector<Kind>{Kind::Open, Kind::GetCommState, Kind::SetCommState,
                                 Kind::SetCommTimeouts, Kind::Escape}));
    DCB expected = current;
    expected.BaudRate = 4800;
    expected.ByteSize = 8;
    expected.Parity = NOPARITY;
    expected.StopBits = ONESTOPBIT;
    expected.Flags = 0x7FFF & ~(DCB_OUTX_CTS_FLOW | DCB_DTR_CONTROL_MASK | DCB_RTS_CONTROL_MASK);
    EXPECT_EQ(device.lastDcb(), expected);
    EXPECT_EQ(device.lastTimeouts(), (COMMTIMEOUTS{MAXDWORD, 0, 0, 10, 100}));
    EXPECT_EQ(device.events().back().function, SETDTR);
    EXPECT_TRUE(device.dtr());

    channel.Close();
    EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(device.isOpen());
    EXPECT_FALSE(device.dtr());
    const std::size_t events = device.events().size();
    ASSERT_GE(events, 2u);
    EXPECT_EQ(device.events()[events - 2].function, CLRDTR);
    EXPECT_EQ(device.events()[events - 1].kind, Kind::Close);

    channel.Close(); // holds no port: nothing happens
    EXPECT_EQ(device.events().size(), events);
}

TEST(CCommProc, BaudIndexPicksTheRate) {
    platform::RecordingDevice device;
    for (auto [index, rate] : {std::pair{0, 2400u}, std::pair{1, 4800u}, std::pair{2, 9600u},
                               std::pair{3, 19200u}, std::pair{-1, 9600u}, std::pair{7, 9600u}}) {
        SCOPED_TRACE(index);
        CCommProc channel;
        ASSERT_EQ(channel.Open("COM2", index), 255);
        ASSERT_TRUE(device.lastDcb());
        EXPECT_EQ(device.lastDcb()->BaudRate, rate);
        channel.Close();
    }
}

TEST(CCommProc, OtherNamesKeepTheirSettingsButGetTimeoutsAndDtr) {
    platform::RecordingDevice device;
    for (const char* name : {"com3", "LPT1", "\\\\.\\KTXDV1\\", "\\\\.\\KTXDV2\\", "display"}) {
        SCOPED_TRACE(name);
        device.reset();
        CCommProc channel;
        ASSERT_EQ(channel.Open(name, 3), 255);
        EXPECT_EQ(device.eventKinds(),
                  (std::vector<Kind>{Kind::Open, Kind::SetCommTimeouts, Kind::Escape}));
        EXPECT_EQ(device.lastTimeouts(), (COMMTIMEOUTS{MAXDWORD, 0, 0, 10, 100}));
        EXPECT_FALSE(device.lastDcb());
        channel.Close();
    }
}

TEST(CCommProc, OpensWhenTimeoutsAndDtrAreNotSupported) {
    platform::RecordingDevice device;
    device.failLineControls();
    for (const char* name : {"COM1", "LPT1"}) {
        SCOPED_TRACE(name);
        CCommProc channel;
        EXPECT_EQ(channel.Open(name, 2), 255);
        channel.Close();
        EXPECT_FALSE(device.isOpen());
    }
}

TEST(CCommProc, FailedConfigurationClosesTheNewHandle) {
    platform::RecordingDevice device;
    for (bool onlySet : {false, true}) {
        SCOPED_TRACE(onlySet ? "SetCommState fails" : "GetCommState fails");
        device.reset();
        if (onlySet)
            device.failSetCommState();
        else
            device.failCommState();
        CCommProc channel;
        EXPECT_EQ(channel.Open("COM1", 0), 0);
        EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(device.isOpen());
        // DTR was never raised, so nothing lowers it.
        EXPECT_EQ(device.eventKinds().back(), Kind::Close);
        for (Kind kind : device.eventKinds())
            EXPECT_NE(kind, Kind::Escape);
    }
}

TEST(CCommProc, WriteAfterAFailedOpenFails) {
    platform::RecordingDevice device;
    device.refuseOpens(DeviceError::NotFound);
    CCommProc channel;
    EXPECT_EQ(channel.Open("COM1", 2), 0);
    EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_EQ(channel.Write("x", 1), 0);
    EXPECT_TRUE(device.writes().empty());
    channel.Close();
    EXPECT_EQ(device.eventKinds(), std::vector<Kind>{Kind::Open});
}

TEST(CCommProc, WriteSucceedsOnSuccessOrAPendingTransfer) {
    platform::RecordingDevice device;
    device.failWrite(1);
    device.failWrite(2, DeviceError::IoPending);
    device.failWrite(3, DeviceError::Timeout);
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM1", 2), 255);
    EXPECT_EQ(channel.Write("a", 1), 0);
    EXPECT_EQ(channel.Write("b", 1), 255);
    EXPECT_EQ(channel.Write("c", 1), 0);
    EXPECT_EQ(channel.Write("d\0e", 3), 255);
    EXPECT_EQ(device.writes().back().bytes, std::string("d\0e", 3));
    EXPECT_TRUE(device.isOpen()); // a failed write leaves the port open
    channel.Close();
}

TEST(CCommProc, OpenWhileHoldingAPortOverwritesTheHandle) {
    platform::RecordingDevice device;
    CCommProc channel;
    ASSERT_EQ(channel.Open("COM1", 2), 255);
    const HANDLE first = channel.m_hPort;
    EXPECT_EQ(channel.Open("COM1", 2), 0);
    EXPECT_EQ(channel.m_hPort, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(device.isOpen()); // the first handle is left as it was
    EXPECT_TRUE(CloseHandle(first));
}

TEST(CCommProc, IsACreatableCommandTargetThatKeepsItsPortWhenDestroyed) {
    const CRuntimeClass& cls = CCommProc::classCCommProc;
    EXPECT_STREQ(cls.m_lpszClassName, "CCommProc");
    EXPECT_EQ(cls.m_pBaseClass, &CCmdTarget::classCCmdTarget);

    platform::RecordingDevice device;
    std::unique_ptr<CObject> object(cls.CreateObject());
    auto* channel = dynamic_cast<CCommProc*>(object.get());
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->GetRuntimeClass(), &cls);
    EXPECT_TRUE(channel->IsKindOf(&CCmdTarget::classCCmdTarget));
    EXPECT_EQ(channel->m_hPort, INVALID_HANDLE_VALUE);
    LRESULT result = 0;
    EXPECT_FALSE(channel->OnCmdMsg(WM_TIMER, 1, 0, result));
    EXPECT_FALSE(channel->OnCmdMsg(WM_COMMAND, 1, 0, result));

    ASSERT_EQ(channel->Open("COM1", 2), 255);
    const HANDLE port = channel->m_hPort;
    object.reset();
    EXPECT_TRUE(device.isOpen());
    EXPECT_NE(device.eventKinds().back(), Kind::Close);
    CloseHandle(port);
}

} // namespace
