#pragma once
// The DCB in termios terms: rate, framing and the flow controls a tty has. The
// modem lines (DTR, RTS) are no termios matter; the device sets them itself.

#include "platform/comm/Dcb.h"
#include "platform/comm/DeviceError.h"

#include <optional>
#include <termios.h>

namespace platform {

// The speed constant of a line rate; nullopt for a rate a tty cannot run at.
std::optional<speed_t> speedForRate(DWORD rate);
// The line rate of a speed constant; 0 for B0 or an unknown one.
DWORD rateForSpeed(speed_t speed);

// Applies the settings of a DCB to tio; InvalidParameter, leaving tio as it was,
// for a combination the line cannot take.
DeviceError applyDcb(const DCB& dcb, termios& tio);

// The DCB a tty's settings stand for, with DTR and RTS taken as enabled.
DCB dcbFromTermios(const termios& tio);

} // namespace platform
