#pragma once
// The system's string: a counted run of 8-bit bytes. It may hold NUL bytes (a
// command set line can), so its length is never taken from a terminator.

#include "platform/base/Win32Types.h"

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_bytes(text ? text : "") {}
    CString(const char* bytes, int length) : m_bytes(bytes, static_cast<std::size_t>(length)) {}
    CString(char c, int repeat = 1) : m_bytes(static_cast<std::size_t>(repeat), c) {}
    explicit CString(std::string bytes) : m_bytes(std::move(bytes)) {}
    explicit CString(std::string_view bytes) : m_bytes(bytes) {}

    int GetLength() const { return static_cast<int>(m_bytes.size()); }
    BOOL IsEmpty() const { return m_bytes.empty(); }
    void Empty() { m_bytes.clear(); }

    char GetAt(int index) const { return m_bytes.at(static_cast<std::size_t>(index)); }
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char c) { m_bytes.at(static_cast<std::size_t>(index)) = c; }

    // Parts of the text; counts beyond either end are clipped as on Windows.
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(char c, int start = 0) const;

    CString& MakeUpper();

    // The string resource with this id; FALSE, leaving the text empty, if none.
    BOOL LoadString(UINT id);

    int Compare(const CString& other) const;
    int CompareNoCase(const CString& other) const;

    CString& operator+=(const CString& other) {
        m_bytes += other.m_bytes;
        return *this;
    }
    CString& operator+=(const char* text) {
        m_bytes += text ? text : "";
        return *this;
    }
    CString& operator+=(char c) {
        m_bytes += c;
        return *this;
    }

    // The text as a C string; stops at the first NUL byte it holds.
    operator LPCSTR() const { return m_bytes.c_str(); }
    const char* data() const { return m_bytes.data(); }
    const std::string& str() const { return m_bytes; }
    std::string_view view() const { return m_bytes; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_bytes == b.m_bytes; }
    friend bool operator==(const CString& a, const char* b) { return a.m_bytes == (b ? b : ""); }

private:
    std::string m_bytes;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);
