#include "platform/comm/Handles.h"

#include <cstdint>
#include <map>

namespace platform {

namespace {

struct Table {
    std::map<std::uintptr_t, std::unique_ptr<Device>> devices;
    // Handle values are never reused, so a stale handle kept by mistake fails as
    // invalid instead of reaching a device opened later.
    std::uintptr_t next = 0x1000;
};

Table& table() {
    static Table instance;
    return instance;
}

std::uintptr_t key(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

} // namespace

HANDLE addDevice(std::unique_ptr<Device> device) {
    Table& t = table();
    const std::uintptr_t value = t.next;
    t.next += 4;
    t.devices.emplace(value, std::move(device));
    return reinterpret_cast<HANDLE>(value);
}

Device* findDevice(HANDLE handle) {
    Table& t = table();
    const auto it = t.devices.find(key(handle));
    return it == t.devices.end() ? nullptr : it->second.get();
}

std::unique_ptr<Device> removeDevice(HANDLE handle) {
    Table& t = table();
    const auto it = t.devices.find(key(handle));
    if (it == t.devices.end())
        return nullptr;
    std::unique_ptr<Device> device = std::move(it->second);
    t.devices.erase(it);
    return device;
}

std::size_t openDeviceCount() {
    return table().devices.size();
}

} // namespace platform
