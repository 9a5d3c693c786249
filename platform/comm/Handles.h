#pragma once
// The table behind HANDLE values: each open device under a number of its own.
// Like the system, the table is used from one thread.

#include "platform/comm/Device.h"

#include <cstddef>
#include <memory>

namespace platform {

HANDLE addDevice(std::unique_ptr<Device> device);
// The device of an open handle; nullptr for anything else.
Device* findDevice(HANDLE handle);
// Takes the device out of the table; the handle is dead from then on.
std::unique_ptr<Device> removeDevice(HANDLE handle);
std::size_t openDeviceCount();

} // namespace platform
