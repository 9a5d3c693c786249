#pragma once
// Every tty is opened raw: Windows never translates the bytes of a port, while an
// untouched Linux tty turns LF into CR LF and stops sending on an XOFF byte.

#include <termios.h>

namespace platform {

// Clears every translation and line-discipline feature but keeps the speed and
// framing the port has (cfmakeraw would force 8 bits, no parity).
void makeRaw(termios& tio);

} // namespace platform
