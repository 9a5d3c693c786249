#include "link/CommProc.h"

#include "platform/base/LastError.h"
#include "platform/comm/Comm.h"

namespace {

DWORD baudRateFor(int baudIndex) {
    switch (baudIndex) {
    case 0:
        return 2400;
    case 1:
        return 4800;
    case 3:
        return 19200;
    default: // 2, and anything out of range
        return 9600;
    }
}

// Clears fOutxCtsFlow, fDtrControl and fRtsControl: CTS is not watched and the
// platform holds DTR and RTS off until DTR is raised by hand after the open.
constexpr DWORD lineControlMask = 0xFFFFCFCB;

// A write may take 100 ms plus 10 ms per byte; reads would return at once, but
// the channel never reads.
COMMTIMEOUTS channelTimeouts() {
    COMMTIMEOUTS timeouts;
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 10;
    timeouts.WriteTotalTimeoutConstant = 100;
    return timeouts;
}

} // namespace

const CRuntimeClass CCommProc::classCCommProc{"CCommProc", &CCommProc::CreateObject,
                                              &CCmdTarget::classCCmdTarget};

CCommProc::CCommProc() : m_hPort(INVALID_HANDLE_VALUE) {}

CCommProc::~CCommProc() = default;

CObject* CCommProc::CreateObject() {
    return new CCommProc;
}

const CRuntimeClass* CCommProc::GetRuntimeClass() const {
    return &classCCommProc;
}

const platform::MessageMap* CCommProc::GetMessageMap() const {
    static const platform::MessageMap map(CCmdTarget::GetMessageMap(), {});
    return &map;
}

int CCommProc::Open(CString portName, int baudIndex) {
    m_hPort = CreateFileA(portName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hPort == INVALID_HANDLE_VALUE)
        return 0;

    // Only a name that begins with an upper-case C is taken for a serial port; a
    // lower-case "com3" opens with the settings the port already has.
    if (portName.GetLength() > 0 && portName[0] == 'C') {
        DCB dcb;
        if (!GetCommState(m_hPort, &dcb)) {
            CloseHandle(m_hPort);
            m_hPort = INVALID_HANDLE_VALUE;
            return 0;
        }
        dcb.BaudRate = baudRateFor(baudIndex);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.Flags &= lineControlMask;
        if (!SetCommState(m_hPort, &dcb)) {
            CloseHandle(m_hPort);
            m_hPort = INVALID_HANDLE_VALUE;
            return 0;
        }
    }

    // Devices that have no time-outs or no DTR still open: both results are ignored.
    COMMTIMEOUTS timeouts = channelTimeouts();
    SetCommTimeouts(m_hPort, &timeouts);
    EscapeCommFunction(m_hPort, SETDTR);
    return 255;
}

int CCommProc::Write(const char* data, DWORD length) {
    DWORD written = 0;
    if (WriteFile(m_hPort, data, length, &written, nullptr))
        return 255;
    return GetLastError() == ERROR_IO_PENDING ? 255 : 0;
}

void CCommProc::Close() {
    if (m_hPort == INVALID_HANDLE_VALUE)
        return;
    EscapeCommFunction(m_hPort, CLRDTR);
    CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
}
