#include "platform/base/Kernel.h"

#include "platform/base/Clock.h"

void Sleep(DWORD milliseconds) {
    platform::clock().block(static_cast<platform::Microseconds>(milliseconds) * 1000);
}
