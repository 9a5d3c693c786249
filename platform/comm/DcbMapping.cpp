#include "platform/comm/DcbMapping.h"

#include <array>
#include <utility>

namespace platform {

namespace {

constexpr std::array<std::pair<DWORD, speed_t>, 30> speeds{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

constexpr std::array<tcflag_t, 4> sizes{CS5, CS6, CS7, CS8};

} // namespace

std::optional<speed_t> speedForRate(DWORD rate) {
    for (const auto& [r, speed] : speeds) {
        if (r == rate)
            return speed;
    }
    return std::nullopt;
}

DWORD rateForSpeed(speed_t speed) {
    for (const auto& [rate, s] : speeds) {
        if (s == speed)
            return rate;
    }
    return 0;
}

DeviceError applyDcb(const DCB& dcb, termios& tio) {
    const auto speed = speedForRate(dcb.BaudRate);
    if (!speed || dcb.ByteSize < 5 || dcb.ByteSize > 8)
        return DeviceError::InvalidParameter;
    // Windows allows 1.5 stop bits only with 5 data bits and 2 only with more;
    // Linux means 1.5 when CSTOPB goes with CS5.
    const bool fiveBits = dcb.ByteSize == 5;
    if ((dcb.StopBits == ONE5STOPBITS && !fiveBits) || (dcb.StopBits == TWOSTOPBITS && fiveBits) ||
        dcb.StopBits > TWOSTOPBITS || dcb.Parity > SPACEPARITY)
        return DeviceError::InvalidParameter;
    // A tty has no DSR flow control, no DTR handshake and no RTS toggling.
    if (dcb.flag(DCB_OUTX_DSR_FLOW) || dcb.dtrControl() == DTR_CONTROL_HANDSHAKE ||
        dcb.dtrControl() > DTR_CONTROL_HANDSHAKE || dcb.rtsControl() == RTS_CONTROL_TOGGLE)
        return DeviceError::InvalidParameter;

    termios t = tio;
    cfsetospeed(&t, *speed);
    cfsetispeed(&t, *speed);
    t.c_cflag = (t.c_cflag & ~CSIZE) | sizes[dcb.ByteSize - 5];
    t.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    switch (dcb.Parity) {
    case ODDPARITY:
        t.c_cflag |= PARENB | PARODD;
        break;
    case EVENPARITY:
        t.c_cflag |= PARENB;
        break;
    case MARKPARITY:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case SPACEPARITY:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    if (dcb.StopBits != ONESTOPBIT)
        t.c_cflag |= CSTOPB;
    // Linux has one switch for both directions of hardware flow control.
    if (dcb.flag(DCB_OUTX_CTS_FLOW) || dcb.rtsControl() == RTS_CONTROL_HANDSHAKE)
        t.c_cflag |= CRTSCTS;

    t.c_iflag &= ~(INPCK | IXON | IXOFF);
    if (dcb.flag(DCB_PARITY))
        t.c_iflag |= INPCK;
    if (dcb.flag(DCB_OUTX))
        t.c_iflag |= IXON;
    if (dcb.flag(DCB_INX))
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    tio = t;
    return DeviceError::None;
}

DCB dcbFromTermios(const termios& tio) {
    DCB dcb;
    dcb.BaudRate = rateForSpeed(cfgetospeed(&tio));
    const tcflag_t size = tio.c_cflag & CSIZE;
    dcb.ByteSize = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
    if (!(tio.c_cflag & PARENB))
        dcb.Parity = NOPARITY;
    else if (tio.c_cflag & CMSPAR)
        dcb.Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
    else
        dcb.Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
    if (tio.c_cflag & CSTOPB)
        dcb.StopBits = dcb.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
    else
        dcb.StopBits = ONESTOPBIT;

    dcb.setFlag(DCB_BINARY, true);
    dcb.setFlag(DCB_PARITY, (tio.c_iflag & INPCK) != 0);
    const bool hardwareFlow = (tio.c_cflag & CRTSCTS) != 0;
    dcb.setFlag(DCB_OUTX_CTS_FLOW, hardwareFlow);
    dcb.setRtsControl(hardwareFlow ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE);
    dcb.setDtrControl(DTR_CONTROL_ENABLE);
    dcb.setFlag(DCB_OUTX, (tio.c_iflag & IXON) != 0);
    dcb.setFlag(DCB_INX, (tio.c_iflag & IXOFF) != 0);
    dcb.XonChar = static_cast<char>(tio.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    return dcb;
}

} // namespace platform
