#pragma once
// Directory search in the shape of MFC's CFileFind, the way the catalogue walks
// it: FindFile, then FindNextFile until it returns 0, reading each entry's name.

#include "platform/base/Win32Types.h"
#include "platform/text/CString.h"

#include <memory>
#include <string>

namespace platform {
class DirectoryReader;
}

class CFileFind {
public:
    CFileFind();
    ~CFileFind();
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search for a directory and a name pattern such as "/home/op/sets\*.*"
    // (nullptr: "*.*" in the current directory). Non-zero when at least one entry
    // matches. Entries come in the directory's own order, "." and ".." included.
    BOOL FindFile(LPCSTR pattern = nullptr);
    // Makes the next entry current (the first, on the first call); 0 when the
    // entry just made current is the last one, or when there is none left.
    BOOL FindNextFile();
    // The current entry's name, without directory; empty before the first entry.
    CString GetFileName() const;
    void Close();

private:
    // Reads on to the next matching entry; false when the directory has no more.
    bool readAhead();

    std::unique_ptr<platform::DirectoryReader> m_directory;
    std::string m_namePattern;
    CString m_current;
    std::string m_next;
    bool m_hasNext = false;
};
