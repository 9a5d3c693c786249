#include "platform/base/Kernel.h"

#include "platform/base/Clock.h"

void Sleep(DWORD milliseconds) {
    platform::clock().block(static_cast<platform::Microseconds>(milliseconds) * 1000);
}

DWORD GetTickCount() {
    return static_cast<DWORD>(platform::clock().now() / 1000);
}
