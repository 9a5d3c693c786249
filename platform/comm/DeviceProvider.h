#pragma once
// Where CreateFileA gets its devices. The default provider opens POSIX devices;
// tests install one that records every call on virtual time.

#include "platform/comm/Device.h"

#include <memory>
#include <string>

namespace platform {

// What CreateFileA was asked to open.
struct OpenRequest {
    std::string name;
    DWORD access = 0; // GENERIC_READ, GENERIC_WRITE
    DWORD share = 0;  // 0: nobody else may open the device while it is held
};

struct OpenResult {
    std::unique_ptr<Device> device; // set on success
    DeviceError error = DeviceError::None;
};

class DeviceProvider {
public:
    virtual ~DeviceProvider() = default;
    virtual OpenResult open(const OpenRequest& request) = 0;
};

// The provider in force: the POSIX one unless another was installed.
DeviceProvider& deviceProvider();
// Installs a provider and returns the one it replaces (nullptr for the POSIX
// one); nullptr restores the POSIX provider.
DeviceProvider* installDeviceProvider(DeviceProvider* provider);

} // namespace platform
