#pragma once
// A synchronous write on a non-blocking descriptor, bounded by a time limit.

#include "platform/base/Clock.h"
#include "platform/comm/DeviceError.h"

#include <optional>

namespace platform {

// Hands every byte to the driver and, on a tty, waits until its output queue is
// empty; no limit means wait as long as it takes. written counts the bytes the
// driver accepted. Timeout when bytes were still not accepted at the limit.
DeviceError writeAll(int fd, bool tty, const void* data, DWORD length, DWORD& written,
                     std::optional<Microseconds> limit);

} // namespace platform
