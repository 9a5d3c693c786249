#pragma once
// The Win32 port calls, with their Win32 names, arguments and results. A failed
// call returns FALSE (or INVALID_HANDLE_VALUE) and leaves its code for
// GetLastError. All I/O is synchronous: there is no overlapped mode.

#include "platform/base/LastError.h"
#include "platform/base/Win32Types.h"
#include "platform/comm/CommTimeouts.h"
#include "platform/comm/Dcb.h"

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;

inline constexpr DWORD OPEN_EXISTING = 3;

inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
inline constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

// EscapeCommFunction codes.
inline constexpr DWORD SETXOFF = 1;
inline constexpr DWORD SETXON = 2;
inline constexpr DWORD SETRTS = 3;
inline constexpr DWORD CLRRTS = 4;
inline constexpr DWORD SETDTR = 5;
inline constexpr DWORD CLRDTR = 6;
inline constexpr DWORD SETBREAK = 8;
inline constexpr DWORD CLRBREAK = 9;

// Opens a port, a device or a file by its DOS-style name; only OPEN_EXISTING.
// Share mode 0 holds the device exclusively until CloseHandle.
HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, void* security, DWORD creation,
                   DWORD flags, HANDLE templ);

BOOL GetCommState(HANDLE handle, DCB* dcb);
BOOL SetCommState(HANDLE handle, DCB* dcb);
BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts);
BOOL SetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts);
BOOL EscapeCommFunction(HANDLE handle, DWORD function);

// Returns when every byte is written, or fails: ERROR_TIMEOUT when the write
// time-outs ran out before all bytes were taken, ERROR_WRITE_FAULT when the far
// side has gone.
BOOL WriteFile(HANDLE handle, LPCVOID data, DWORD length, DWORD* written, void* overlapped);

BOOL CloseHandle(HANDLE handle);
