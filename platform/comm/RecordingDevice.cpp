#include "platform/comm/RecordingDevice.h"

#include "platform/comm/Comm.h"
#include "platform/text/Ascii.h"

#include <algorithm>

namespace platform {

namespace {

std::string lowerCase(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

// How a port reports itself before anyone configures it: 9600 8N1, lines enabled.
DCB initialPortState() {
    DCB dcb;
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.setFlag(DCB_BINARY, true);
    dcb.setDtrControl(DTR_CONTROL_ENABLE);
    dcb.setRtsControl(RTS_CONTROL_ENABLE);
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

} // namespace

// One open handle on the recorded line. It forwards to its recorder until that is
// gone, and fails as invalid after.
class RecordingDevice::Port final : public Device {
public:
    explicit Port(RecordingDevice* owner) : m_owner(owner) {}
    ~Port() override {
        if (m_owner)
            m_owner->m_ports.erase(this);
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    void detach() { m_owner = nullptr; }

    DeviceError getCommState(DCB& dcb) override {
        return m_owner ? m_owner->getCommState(dcb) : DeviceError::InvalidHandle;
    }
    DeviceError setCommState(const DCB& dcb) override {
        return m_owner ? m_owner->setCommState(dcb) : DeviceError::InvalidHandle;
    }
    DeviceError getCommTimeouts(COMMTIMEOUTS& timeouts) override {
        timeouts = m_timeouts;
        return m_owner ? DeviceError::None : DeviceError::InvalidHandle;
    }
    DeviceError setCommTimeouts(const COMMTIMEOUTS& timeouts) override {
        if (!m_owner)
            return DeviceError::InvalidHandle;
        const DeviceError error = m_owner->setCommTimeouts(timeouts);
        if (error == DeviceError::None)
            m_timeouts = timeouts;
        return error;
    }
    DeviceError escape(DWORD function) override {
        return m_owner ? m_owner->escape(function) : DeviceError::InvalidHandle;
    }
    DeviceError write(const void* data, DWORD length, DWORD& written) override {
        written = 0;
        return m_owner ? m_owner->write(data, length, m_timeouts, written)
                       : DeviceError::InvalidHandle;
    }
    DeviceError close() override {
        if (!m_owner)
            return DeviceError::InvalidHandle;
        m_owner->close(this);
        m_owner = nullptr;
        return DeviceError::None;
    }

private:
    RecordingDevice* m_owner;
    COMMTIMEOUTS m_timeouts{};
};

RecordingDevice::RecordingDevice() : m_portState(initialPortState()) {
    m_previous = installDeviceProvider(this);
}

RecordingDevice::~RecordingDevice() {
    for (Port* port : m_ports)
        port->detach();
    installDeviceProvider(m_previous);
}

void RecordingDevice::refuseOpens(DeviceError error) {
    m_refuseAll = error;
}

void RecordingDevice::refuseOpen(std::string_view name, DeviceError error) {
    if (error == DeviceError::None)
        m_refusedNames.erase(lowerCase(name));
    else
        m_refusedNames[lowerCase(name)] = error;
}

void RecordingDevice::failWrite(int k, DeviceError error) {
    if (error == DeviceError::None)
        m_failedWrites.erase(k);
    else
        m_failedWrites[k] = error;
}

void RecordingDevice::setLineRate(DWORD bitsPerSecond) {
    m_lineRate = bitsPerSecond;
}

void RecordingDevice::allowSecondOpen(bool allow) {
    m_allowSecondOpen = allow;
}

void RecordingDevice::failCommState(DeviceError error) {
    m_commStateError = error;
}

void RecordingDevice::failSetCommState(DeviceError error) {
    m_setCommStateError = error;
}

void RecordingDevice::failLineControls(DeviceError error) {
    m_lineControlError = error;
}

void RecordingDevice::setPortState(const DCB& dcb) {
    m_portState = dcb;
}

void RecordingDevice::reset() {
    m_refuseAll = DeviceError::None;
    m_refusedNames.clear();
    m_failedWrites.clear();
    m_lineRate = 0;
    m_allowSecondOpen = false;
    m_commStateError = DeviceError::None;
    m_setCommStateError = DeviceError::None;
    m_lineControlError = DeviceError::None;
    m_writeCount = 0;
    m_lastDcb.reset();
    m_lastTimeouts.reset();
    m_writes.clear();
    m_events.clear();
}

std::string RecordingDevice::bytesWritten() const {
    std::string bytes;
    for (const WriteRecord& w : m_writes) {
        if (w.error == DeviceError::None)
            bytes += w.bytes;
    }
    return bytes;
}

std::vector<RecordingDevice::EventKind> RecordingDevice::eventKinds() const {
    std::vector<EventKind> kinds;
    for (const Event& e : m_events)
        kinds.push_back(e.kind);
    return kinds;
}

RecordingDevice::Event& RecordingDevice::record(EventKind kind, DeviceError error) {
    Event& event = m_events.emplace_back();
    event.kind = kind;
    event.time = clock().now();
    event.error = error;
    return event;
}

OpenResult RecordingDevice::open(const OpenRequest& request) {
    DeviceError error = m_refuseAll;
    if (error == DeviceError::None) {
        const auto refused = m_refusedNames.find(lowerCase(request.name));
        if (refused != m_refusedNames.end())
            error = refused->second;
    }
    if (error == DeviceError::None && m_openCount > 0 && !m_allowSecondOpen)
        error = DeviceError::AccessDenied;
    record(EventKind::Open, error).name = request.name;
    if (error != DeviceError::None)
        return {nullptr, error};
    auto port = std::make_unique<Port>(this);
    m_ports.insert(port.get());
    ++m_openCount;
    return {std::move(port), DeviceError::None};
}

DeviceError RecordingDevice::getCommState(DCB& dcb) {
    const DeviceError error = m_commStateError;
    if (error == DeviceError::None)
        dcb = m_portState;
    record(EventKind::GetCommState, error).dcb = m_portState;
    return error;
}

DeviceError RecordingDevice::setCommState(const DCB& dcb) {
    const DeviceError error =
        m_commStateError != DeviceError::None ? m_commStateError : m_setCommStateError;
    record(EventKind::SetCommState, error).dcb = dcb;
    if (error != DeviceError::None)
        return error;
    m_portState = dcb;
    m_lastDcb = dcb;
    // The DCB drives DTR as a real port's settings do.
    if (dcb.dtrControl() == DTR_CONTROL_ENABLE)
        m_dtr = true;
    else if (dcb.dtrControl() == DTR_CONTROL_DISABLE)
        m_dtr = false;
    return DeviceError::None;
}

DeviceError RecordingDevice::setCommTimeouts(const COMMTIMEOUTS& timeouts) {
    const DeviceError error = m_lineControlError;
    record(EventKind::SetCommTimeouts, error).timeouts = timeouts;
    if (error == DeviceError::None)
        m_lastTimeouts = timeouts;
    return error;
}

DeviceError RecordingDevice::escape(DWORD function) {
    DeviceError error = m_lineControlError;
    if (error == DeviceError::None && (function < SETXOFF || function > CLRBREAK))
        error = DeviceError::InvalidParameter;
    record(EventKind::Escape, error).function = function;
    if (error == DeviceError::None && (function == SETDTR || function == CLRDTR))
        m_dtr = function == SETDTR;
    return error;
}

DeviceError RecordingDevice::write(const void* data, DWORD length, const COMMTIMEOUTS& timeouts,
                                   DWORD& written) {
    const int k = ++m_writeCount;
    WriteRecord w;
    w.bytes.assign(static_cast<const char*>(data), length);
    w.start = clock().now();
    const auto failed = m_failedWrites.find(k);
    if (failed != m_failedWrites.end()) {
        w.error = failed->second;
    } else {
        Microseconds duration =
            m_lineRate == 0 ? 0 : static_cast<Microseconds>(length) * 10 * 1'000'000 / m_lineRate;
        // A real port takes the bytes into its queue at once and the write returns
        // at its deadline, successful, while the rest drains: so does this line.
        if (const auto limit = writeTimeLimit(timeouts, length))
            duration = std::min(duration, *limit);
        clock().block(duration);
        written = length;
    }
    w.end = clock().now();
    Event& event = record(EventKind::Write, w.error);
    event.time = w.start;
    event.bytes = w.bytes;
    event.end = w.end;
    m_writes.push_back(std::move(w));
    return m_writes.back().error;
}

void RecordingDevice::close(Port* port) {
    m_ports.erase(port);
    --m_openCount;
    record(EventKind::Close, DeviceError::None);
}

} // namespace platform
