#pragma once
// A port for tests, standing in for the POSIX devices while it lives: every call
// is recorded on the timeline of platform::clock(), and failures are scripted.
// It models one display on one line: whatever name is opened reaches it.
//
// Creating one installs it as the device provider; destroying it restores the
// provider before it. Handles still open then fail as invalid from that moment.

#include "platform/base/Clock.h"
#include "platform/comm/DeviceProvider.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RecordingDevice final : public DeviceProvider {
public:
    enum class EventKind {
        Open,
        GetCommState,
        SetCommState,
        SetCommTimeouts,
        Escape,
        Write,
        Close
    };

    struct Event {
        EventKind kind = EventKind::Open;
        Microseconds time = 0;                 // when the call was made
        DeviceError error = DeviceError::None; // its result
        std::string name;                      // Open: the name asked for
        DCB dcb{};                             // GetCommState: given; SetCommState: taken
        COMMTIMEOUTS timeouts{};               // SetCommTimeouts
        DWORD function = 0;                    // Escape: SETDTR, CLRDTR...
        std::string bytes;                     // Write: the bytes asked to be written
        Microseconds end = 0;                  // Write: when it returned
    };

    struct WriteRecord {
        std::string bytes;
        Microseconds start = 0;
        Microseconds end = 0;
        DeviceError error = DeviceError::None;
    };

    RecordingDevice();
    ~RecordingDevice() override;
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

    // Scripting. DeviceError::None lifts a refusal or failure.
    void refuseOpens(DeviceError error);
    // Refuses opens of this name, compared ignoring ASCII case as port names are.
    void refuseOpen(std::string_view name, DeviceError error);
    // Fails the k-th write (1-based, counting every write since creation or reset()).
    void failWrite(int k, DeviceError error = DeviceError::WriteFault);
    // Each write then lasts bytes x 10 bits / rate on the clock; 0, the default,
    // makes writes instantaneous.
    void setLineRate(DWORD bitsPerSecond);
    // By default a second open while the port is held fails as access denied, as a
    // serial port does; this lets it succeed.
    void allowSecondOpen(bool allow = true);
    // GetCommState and SetCommState fail: a name that opens but is no serial port.
    void failCommState(DeviceError error = DeviceError::NotSupported);
    // Only SetCommState fails: a serial port that refuses the settings.
    void failSetCommState(DeviceError error = DeviceError::InvalidParameter);
    // SetCommTimeouts and EscapeCommFunction fail: a device without those controls.
    void failLineControls(DeviceError error = DeviceError::NotSupported);
    // What GetCommState reports until a SetCommState changes it.
    void setPortState(const DCB& dcb);
    // Forgets the events and the write count and lifts every script; the line
    // state (open handles, DTR, the port's settings) stays what it is.
    void reset();

    // State.
    bool isOpen() const { return m_openCount > 0; }
    int openCount() const { return m_openCount; }
    bool dtr() const { return m_dtr; }
    const DCB& portState() const { return m_portState; }
    const std::optional<DCB>& lastDcb() const { return m_lastDcb; }
    const std::optional<COMMTIMEOUTS>& lastTimeouts() const { return m_lastTimeouts; }
    const std::vector<WriteRecord>& writes() const { return m_writes; }
    // The bytes of every successful write, in order, as the display received them.
    std::string bytesWritten() const;
    const std::vector<Event>& events() const { return m_events; }
    std::vector<EventKind> eventKinds() const;

    OpenResult open(const OpenRequest& request) override;

private:
    class Port;
    friend class Port;

    Event& record(EventKind kind, DeviceError error);
    DeviceError getCommState(DCB& dcb);
    DeviceError setCommState(const DCB& dcb);
    DeviceError setCommTimeouts(const COMMTIMEOUTS& timeouts);
    DeviceError escape(DWORD function);
    DeviceError write(const void* data, DWORD length, const COMMTIMEOUTS& timeouts, DWORD& written);
    void close(Port* port);

    DeviceProvider* m_previous = nullptr;
    std::set<Port*> m_ports;

    DeviceError m_refuseAll = DeviceError::None;
    std::map<std::string, DeviceError> m_refusedNames; // by lower-case name
    std::map<int, DeviceError> m_failedWrites;
    DWORD m_lineRate = 0;
    bool m_allowSecondOpen = false;
    DeviceError m_commStateError = DeviceError::None;
    DeviceError m_setCommStateError = DeviceError::None;
    DeviceError m_lineControlError = DeviceError::None;

    int m_openCount = 0;
    int m_writeCount = 0;
    bool m_dtr = false;
    DCB m_portState;
    std::optional<DCB> m_lastDcb;
    std::optional<COMMTIMEOUTS> m_lastTimeouts;
    std::vector<WriteRecord> m_writes;
    std::vector<Event> m_events;
};

} // namespace platform
