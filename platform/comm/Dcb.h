#pragma once
// The serial settings block of the port calls. The flags are one word with the
// Win32 bit layout, so code that masks the word (0xFFFFCFCB clears CTS output
// flow, DTR control and RTS control) means here what it means on Windows.

#include "platform/base/Win32Types.h"

// Bits and fields of DCB::Flags.
inline constexpr DWORD DCB_BINARY = 1u << 0;
inline constexpr DWORD DCB_PARITY = 1u << 1;
inline constexpr DWORD DCB_OUTX_CTS_FLOW = 1u << 2;
inline constexpr DWORD DCB_OUTX_DSR_FLOW = 1u << 3;
inline constexpr DWORD DCB_DTR_CONTROL_SHIFT = 4;
inline constexpr DWORD DCB_DTR_CONTROL_MASK = 3u << DCB_DTR_CONTROL_SHIFT;
inline constexpr DWORD DCB_DSR_SENSITIVITY = 1u << 6;
inline constexpr DWORD DCB_TX_CONTINUE_ON_XOFF = 1u << 7;
inline constexpr DWORD DCB_OUTX = 1u << 8;
inline constexpr DWORD DCB_INX = 1u << 9;
inline constexpr DWORD DCB_ERROR_CHAR = 1u << 10;
inline constexpr DWORD DCB_NULL = 1u << 11;
inline constexpr DWORD DCB_RTS_CONTROL_SHIFT = 12;
inline constexpr DWORD DCB_RTS_CONTROL_MASK = 3u << DCB_RTS_CONTROL_SHIFT;
inline constexpr DWORD DCB_ABORT_ON_ERROR = 1u << 14;

// Values of the DTR and RTS control fields.
inline constexpr DWORD DTR_CONTROL_DISABLE = 0;
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;
inline constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_DISABLE = 0;
inline constexpr DWORD RTS_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_TOGGLE = 3;

inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ODDPARITY = 1;
inline constexpr BYTE EVENPARITY = 2;
inline constexpr BYTE MARKPARITY = 3;
inline constexpr BYTE SPACEPARITY = 4;

inline constexpr BYTE ONESTOPBIT = 0;
inline constexpr BYTE ONE5STOPBITS = 1;
inline constexpr BYTE TWOSTOPBITS = 2;

struct DCB {
    DWORD DCBlength = sizeof(DCB);
    DWORD BaudRate = 0;
    DWORD Flags = 0;
    WORD wReserved = 0;
    WORD XonLim = 0;
    WORD XoffLim = 0;
    BYTE ByteSize = 0;
    BYTE Parity = 0;
    BYTE StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    WORD wReserved1 = 0;

    bool flag(DWORD bit) const { return (Flags & bit) != 0; }
    void setFlag(DWORD bit, bool on) { Flags = on ? (Flags | bit) : (Flags & ~bit); }

    DWORD dtrControl() const { return (Flags & DCB_DTR_CONTROL_MASK) >> DCB_DTR_CONTROL_SHIFT; }
    void setDtrControl(DWORD value) {
        Flags = (Flags & ~DCB_DTR_CONTROL_MASK) |
                ((value << DCB_DTR_CONTROL_SHIFT) & DCB_DTR_CONTROL_MASK);
    }
    DWORD rtsControl() const { return (Flags & DCB_RTS_CONTROL_MASK) >> DCB_RTS_CONTROL_SHIFT; }
    void setRtsControl(DWORD value) {
        Flags = (Flags & ~DCB_RTS_CONTROL_MASK) |
                ((value << DCB_RTS_CONTROL_SHIFT) & DCB_RTS_CONTROL_MASK);
    }

    friend bool operator==(const DCB&, const DCB&) = default;
};
