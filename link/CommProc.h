#pragma once
// The port channel: the system's only way to the display. It opens a port by
// name, configures it when it is a serial port, writes to it and closes it. It
// never reads: the display is paced by time, never by its answers.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"
#include "platform/window/CmdTarget.h"

class CCommProc : public CCmdTarget {
public:
    CCommProc();
    // Leaves the port as it is: the channel lives as long as the process.
    ~CCommProc() override;

    static const CRuntimeClass classCCommProc;
    static CObject* CreateObject();
    const CRuntimeClass* GetRuntimeClass() const override;

    // 255 when the port is open, configured and ready for writing; 0 on failure.
    int Open(CString portName, int baudIndex);
    // 255 on success, 0 on failure; the count actually written is not examined.
    int Write(const char* data, DWORD length);
    // Lowers DTR and closes the port; nothing at all on a channel holding no port.
    void Close();

    HANDLE m_hPort;

protected:
    const platform::MessageMap* GetMessageMap() const override;
};
