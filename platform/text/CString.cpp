#include "platform/text/CString.h"

#include "platform/text/Ascii.h"

#include <algorithm>

namespace {
std::size_t clip(int value, std::size_t limit) {
    if (value < 0)
        return 0;
    return std::min(static_cast<std::size_t>(value), limit);
}
} // namespace

CString CString::Left(int count) const {
    return CString(m_bytes.substr(0, clip(count, m_bytes.size())));
}

CString CString::Right(int count) const {
    const std::size_t n = clip(count, m_bytes.size());
    return CString(m_bytes.substr(m_bytes.size() - n));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    const std::size_t start = clip(first, m_bytes.size());
    return CString(m_bytes.substr(start, clip(count, m_bytes.size() - start)));
}

int CString::Find(char c, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) >= m_bytes.size())
        return -1;
    const std::size_t at = m_bytes.find(c, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeUpper() {
    std::transform(m_bytes.begin(), m_bytes.end(), m_bytes.begin(), platform::asciiUpper);
    return *this;
}

int CString::Compare(const CString& other) const {
    return platform::compareBytes(m_bytes, other.m_bytes);
}

int CString::CompareNoCase(const CString& other) const {
    return platform::compareNoCase(m_bytes, other.m_bytes);
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}
CString operator+(const CString& a, const char* b) {
    return a + CString(b);
}
CString operator+(const char* a, const CString& b) {
    return CString(a) + b;
}
CString operator+(const CString& a, char b) {
    return a + CString(b);
}
CString operator+(char a, const CString& b) {
    return CString(a) + b;
}
