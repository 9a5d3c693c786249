#include "platform/comm/DeviceProvider.h"

#include "platform/comm/PosixDevice.h"

namespace platform {

namespace {
PosixDeviceProvider posixProvider;
DeviceProvider* current = &posixProvider;
} // namespace

DeviceProvider& deviceProvider() {
    return *current;
}

DeviceProvider* installDeviceProvider(DeviceProvider* provider) {
    DeviceProvider* previous = current;
    current = provider ? provider : &posixProvider;
    return previous == &posixProvider ? nullptr : previous;
}

} // namespace platform
