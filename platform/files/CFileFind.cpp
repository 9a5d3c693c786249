#include "platform/files/CFileFind.h"

#include "platform/files/DirectoryReader.h"
#include "platform/files/Wildcard.h"

#include <string_view>

namespace {

struct SearchPattern {
    std::string directory;
    std::string names;
};

// The system appends a backslash and the name pattern to the directory it got,
// so the last backslash is the separator even when the Linux directory name
// holds backslashes of its own. A "/" separates only when there is no backslash.
SearchPattern splitPattern(std::string_view pattern) {
    std::size_t separator = pattern.rfind('\\');
    if (separator == std::string_view::npos)
        separator = pattern.rfind('/');
    if (separator == std::string_view::npos)
        return {".", std::string(pattern)};
    const std::string_view directory = separator == 0 ? "/" : pattern.substr(0, separator);
    return {std::string(directory), std::string(pattern.substr(separator + 1))};
}

} // namespace

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() = default;

BOOL CFileFind::FindFile(LPCSTR pattern) {
    Close();
    SearchPattern search = splitPattern(pattern ? pattern : "*.*");
    m_directory = platform::DirectoryReader::open(search.directory);
    if (!m_directory)
        return FALSE;
    m_namePattern = std::move(search.names);
    if (!readAhead()) {
        Close();
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!m_hasNext)
        return FALSE;
    m_current = CString(m_next);
    return readAhead() ? TRUE : FALSE;
}

CString CFileFind::GetFileName() const {
    return m_current;
}

void CFileFind::Close() {
    m_directory.reset();
    m_namePattern.clear();
    m_current.Empty();
    m_next.clear();
    m_hasNext = false;
}

bool CFileFind::readAhead() {
    m_hasNext = false;
    if (!m_directory)
        return false;
    while (auto entry = m_directory->next()) {
        if (platform::matchesWildcard(m_namePattern, *entry)) {
            m_next = std::move(*entry);
            m_hasNext = true;
            return true;
        }
    }
    // The search stays open so the last entry can still be read; Close ends it.
    return false;
}
