#include "platform/comm/RawMode.h"

namespace platform {

void makeRaw(termios& tio) {
    tio.c_oflag &= ~OPOST;
    tio.c_iflag &= ~(ICRNL | INLCR | IGNCR | IXON | IXOFF | IXANY | ISTRIP | BRKINT | PARMRK);
    tio.c_lflag &= ~(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

} // namespace platform
