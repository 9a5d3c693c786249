#include "platform/comm/PosixDevice.h"

#include "platform/comm/Comm.h"
#include "platform/comm/DcbMapping.h"
#include "platform/comm/DeviceNames.h"
#include "platform/comm/PosixWrite.h"
#include "platform/comm/RawMode.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

DeviceError openError(int error) {
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case EIO: // a serial port whose hardware is not there
        return DeviceError::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return DeviceError::PathNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return DeviceError::AccessDenied;
    default:
        return DeviceError::GeneralFailure;
    }
}

DeviceError controlError(int error) {
    switch (error) {
    case ENOTTY: // a file, or a pty without modem lines
        return DeviceError::NotSupported;
    case EINVAL:
        return DeviceError::InvalidParameter;
    case EIO:
        return DeviceError::WriteFault;
    default:
        return DeviceError::GeneralFailure;
    }
}

DeviceError modemLines(int fd, unsigned long request, int lines) {
    return ::ioctl(fd, request, &lines) == 0 ? DeviceError::None : controlError(errno);
}

int openFlags(DWORD access) {
    const bool read = (access & GENERIC_READ) != 0;
    const bool write = (access & GENERIC_WRITE) != 0;
    const int mode = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    // Non-blocking so that no open waits for a carrier and no write waits without
    // its time-out; no controlling tty, so a hang-up never signals the program.
    return mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
}

// Takes the device for this process alone and sets a tty raw.
DeviceError prepare(int fd, bool tty, bool exclusive) {
    // flock also refuses a second open by this very process, as Windows does;
    // TIOCEXCL alone would not, and does not stop a privileged opener.
    if (exclusive && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return openError(errno);
    if (!tty)
        return DeviceError::None;
    if (exclusive && ::ioctl(fd, TIOCEXCL) != 0)
        return openError(errno);
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return openError(errno);
    makeRaw(tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return openError(errno);
    return DeviceError::None;
}

} // namespace

OpenResult PosixDeviceProvider::open(const OpenRequest& request) {
    const auto path = resolveDeviceName(request.name);
    if (!path)
        return {nullptr, DeviceError::NotFound};
    if (path->empty())
        return {nullptr, DeviceError::PathNotFound};
    int fd = -1;
    do {
        fd = ::open(path->c_str(), openFlags(request.access));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return {nullptr, openError(errno)};
    const bool tty = ::isatty(fd) == 1;
    const bool exclusive = request.share == 0;
    if (const DeviceError error = prepare(fd, tty, exclusive); error != DeviceError::None) {
        if (tty && exclusive)
            ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return {nullptr, error};
    }
    return {std::make_unique<PosixDevice>(fd, tty, exclusive), DeviceError::None};
}

PosixDevice::~PosixDevice() {
    if (m_fd >= 0)
        close();
}

DeviceError PosixDevice::getCommState(DCB& dcb) {
    if (!m_tty)
        return DeviceError::NotSupported;
    if (m_dcb) {
        dcb = *m_dcb;
        return DeviceError::None;
    }
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
        return controlError(errno);
    dcb = dcbFromTermios(tio);
    int lines = 0;
    if (::ioctl(m_fd, TIOCMGET, &lines) == 0) {
        dcb.setDtrControl((lines & TIOCM_DTR) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE);
        if (dcb.rtsControl() != RTS_CONTROL_HANDSHAKE)
            dcb.setRtsControl((lines & TIOCM_RTS) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE);
    }
    return DeviceError::None;
}

DeviceError PosixDevice::setCommState(const DCB& dcb) {
    if (!m_tty)
        return DeviceError::NotSupported;
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
        return controlError(errno);
    if (const DeviceError error = applyDcb(dcb, tio); error != DeviceError::None)
        return error;
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
        return controlError(errno);
    if (const DeviceError error = setModemLines(dcb); error != DeviceError::None)
        return error;
    m_dcb = dcb;
    m_dcb->DCBlength = sizeof(DCB);
    return DeviceError::None;
}

DeviceError PosixDevice::setModemLines(const DCB& dcb) {
    int raise = 0;
    int lower = 0;
    (dcb.dtrControl() == DTR_CONTROL_ENABLE ? raise : lower) |= TIOCM_DTR;
    // Under hardware flow control the driver drives RTS itself.
    if (dcb.rtsControl() == RTS_CONTROL_ENABLE)
        raise |= TIOCM_RTS;
    else if (dcb.rtsControl() == RTS_CONTROL_DISABLE)
        lower |= TIOCM_RTS;
    for (const auto& [request, lines] : {std::pair{TIOCMBIS, raise}, std::pair{TIOCMBIC, lower}}) {
        if (lines == 0)
            continue;
        const DeviceError error = modemLines(m_fd, request, lines);
        // A pty has no modem lines; its settings stand without them.
        if (error != DeviceError::None && error != DeviceError::NotSupported)
            return error;
    }
    return DeviceError::None;
}

DeviceError PosixDevice::getCommTimeouts(COMMTIMEOUTS& timeouts) {
    timeouts = m_timeouts;
    return DeviceError::None;
}

// Taken for every device, not only ttys: the write deadline is enforced here, so a
// printer port or device node that stops taking bytes is bounded the same way.
DeviceError PosixDevice::setCommTimeouts(const COMMTIMEOUTS& timeouts) {
    m_timeouts = timeouts;
    return DeviceError::None;
}

DeviceError PosixDevice::escape(DWORD function) {
    switch (function) {
    case SETDTR:
        return modemLines(m_fd, TIOCMBIS, TIOCM_DTR);
    case CLRDTR:
        return modemLines(m_fd, TIOCMBIC, TIOCM_DTR);
    case SETRTS:
        return modemLines(m_fd, TIOCMBIS, TIOCM_RTS);
    case CLRRTS:
        return modemLines(m_fd, TIOCMBIC, TIOCM_RTS);
    case SETBREAK:
        return ::ioctl(m_fd, TIOCSBRK) == 0 ? DeviceError::None : controlError(errno);
    case CLRBREAK:
        return ::ioctl(m_fd, TIOCCBRK) == 0 ? DeviceError::None : controlError(errno);
    default:
        return DeviceError::InvalidParameter;
    }
}

DeviceError PosixDevice::write(const void* data, DWORD length, DWORD& written) {
    return writeAll(m_fd, m_tty, data, length, written, writeTimeLimit(m_timeouts, length));
}

DeviceError PosixDevice::close() {
    if (m_fd < 0)
        return DeviceError::InvalidHandle;
    // The exclusive flag lives on the tty, not on our descriptor: left set, it would
    // lock out the next opener while anyone else still holds the tty open.
    if (m_tty && m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    // Closing releases the flock. No retry on EINTR: Linux has closed it anyway.
    ::close(m_fd);
    m_fd = -1;
    return DeviceError::None;
}

} // namespace platform
