#pragma once
// Ports and devices of the POSIX machine: ttys, printer ports, device nodes and
// plain files, opened exclusively as a Windows port is.

#include "platform/comm/DeviceProvider.h"

#include <optional>

namespace platform {

class PosixDevice final : public Device {
public:
    PosixDevice(int fd, bool tty, bool exclusive) : m_fd(fd), m_tty(tty), m_exclusive(exclusive) {}
    ~PosixDevice() override;
    PosixDevice(const PosixDevice&) = delete;
    PosixDevice& operator=(const PosixDevice&) = delete;

    DeviceError getCommState(DCB& dcb) override;
    DeviceError setCommState(const DCB& dcb) override;
    DeviceError getCommTimeouts(COMMTIMEOUTS& timeouts) override;
    DeviceError setCommTimeouts(const COMMTIMEOUTS& timeouts) override;
    DeviceError escape(DWORD function) override;
    DeviceError write(const void* data, DWORD length, DWORD& written) override;
    DeviceError close() override;

private:
    DeviceError setModemLines(const DCB& dcb);

    int m_fd;
    bool m_tty;
    bool m_exclusive;
    // A pty reports 8 bits and no parity whatever it was given, so the settings
    // read back are the ones last set, as a Windows port would report them.
    std::optional<DCB> m_dcb;
    COMMTIMEOUTS m_timeouts{};
};

class PosixDeviceProvider final : public DeviceProvider {
public:
    OpenResult open(const OpenRequest& request) override;
};

} // namespace platform
