#include "platform/comm/DeviceNames.h"

#include "tests/comm/DeviceFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using platform::resolveDeviceName;

struct NameCase {
    const char* name;
    std::optional<std::string> path; // nullopt: no such device
};

void expectResolves(const std::vector<NameCase>& cases) {
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resolveDeviceName(c.name), c.path);
    }
}

TEST(DeviceNames, DefaultsWithoutLinks) {
    DeviceFolder devices;
    expectResolves({
        {"COM1", "/dev/ttyS0"},
        {"com1", "/dev/ttyS0"},
        {"CoM12", "/dev/ttyS11"},
        {"LPT1", "/dev/lp0"},
        {"lpt2", "/dev/lp1"},
        {"\\\\.\\COM3", "/dev/ttyS2"},
        {"\\\\.\\KTXDV1\\", std::nullopt},
        {"\\\\.\\KTXDV1", std::nullopt},
        {"\\\\.\\", std::nullopt},
        {"\\\\.\\..\\", std::nullopt},
        {"\\\\.\\a/b", std::nullopt},
        // Not device names: taken as paths, as they are.
        {"COM", "COM"},
        {"COM0", "COM0"},
        {"COM1X", "COM1X"},
        {"/dev/pts/7", "/dev/pts/7"},
        {"relative/Port", "relative/Port"},
        {"", ""},
    });
}

TEST(DeviceNames, LinksInTheDevicesFolderComeFirst) {
    DeviceFolder devices;
    const std::string com1 = devices.link("com1", "/dev/ttyUSB0");
    const std::string lpt1 = devices.link("lpt1", "/dev/usb/lp0");
    const std::string ktxdv1 = devices.link("ktxdv1", "/nowhere/at/all");
    expectResolves({
        {"COM1", com1},
        {"com1", com1},
        {"\\\\.\\com1\\", com1},
        {"LPT1", lpt1},
        {"\\\\.\\KTXDV1\\", ktxdv1},
        {"\\\\.\\ktxdv1", ktxdv1},
        {"\\\\.\\KTXDV2\\", std::nullopt},
        {"COM2", "/dev/ttyS1"},
        // A plain name is a path even when a link of that name exists.
        {"ktxdv1", "ktxdv1"},
    });
}

TEST(DeviceNames, FolderFollowsXdgConfigHomeThenHome) {
    DeviceFolder devices; // restores XDG_CONFIG_HOME afterwards
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";

    EXPECT_EQ(platform::deviceFolder(), devices.root() + "/veltran/devices");
    ::setenv("HOME", "/home/operator", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(platform::deviceFolder(), "/home/operator/.config/veltran/devices");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::deviceFolder(), "/home/operator/.config/veltran/devices");
    ::unsetenv("HOME");
    EXPECT_EQ(platform::deviceFolder(), "");
    EXPECT_EQ(resolveDeviceName("COM4"), "/dev/ttyS3");

    if (savedHome)
        ::setenv("HOME", home.c_str(), 1);
}

} // namespace
