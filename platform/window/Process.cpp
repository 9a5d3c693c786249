#include "platform/window/Process.h"

#include "platform/window/Driver.h"

#include <cstdlib>

void ExitProcess(UINT exitCode) {
    platform::driver().exitProcess(exitCode);
    // A driver's exit never comes back; should one do so, stop rather than run on.
    std::abort();
}
