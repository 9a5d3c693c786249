// The command set reader: the file's bytes into the buffer, the buffer cut into
// lines, and the lines the display takes kept as records.

#include "platform/files/TextModeFile.h"
#include "ui/DownloadDlg.h"

namespace {

// The display takes data below this load address; everything above belongs to
// another device.
constexpr int kAddressLimit = 0x2E80;

// An address digit's value for the filter. Lower-case hex letters count as the
// digits they are: the plain digit rule would give them 42..47 and silently drop
// the data records of a file written in lower case.
int addressDigit(char c) {
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return CDownloadDlg::HexDigit(c);
}

// A line, its line feed included, is a record the display takes: an end-of-file
// record, or a data record below the address limit.
bool isKeptRecord(const CString& line) {
    if (line.GetLength() - 1 < 9 || line[7] != '0')
        return false;
    if (line[8] == '1')
        return true;
    if (line[8] != '0')
        return false;
    const int address =
        ((addressDigit(line[3]) * 16 + addressDigit(line[4])) * 16 + addressDigit(line[5])) * 16;
    return address < kAddressLimit;
}

} // namespace

int CDownloadDlg::HexDigit(char c) {
    const int b = static_cast<unsigned char>(c);
    return b <= 0x39 ? b - 48 : b - 55;
}

int CDownloadDlg::LoadCommandSet(CString path) {
    std::unique_ptr<platform::TextModeFile> file = platform::TextModeFile::open(path);
    if (!file)
        return 0;

    m_bTooLarge = FALSE;
    m_nFileLen = 0;
    for (;;) {
        // A byte 0xFF ends the data like the end of the file does: both read as
        // 0xFF in their low eight bits.
        const int value = file->get();
        if ((value & 0xFF) == 0xFF)
            break;
        if (m_nFileLen == kFileBufferSize) {
            m_bTooLarge = TRUE;
            break;
        }
        m_fileBuf[m_nFileLen++] = static_cast<BYTE>(value);
    }
    file.reset();

    CString line;
    m_nRecordCount = 0;
    for (DWORD i = 0; i < m_nFileLen; ++i) {
        line += static_cast<char>(m_fileBuf[i]);
        if (m_fileBuf[i] != '\n')
            continue;
        if (isKeptRecord(line)) {
            if (m_nRecordCount == kRecordTableSize) {
                m_bTooLarge = TRUE;
                break;
            }
            m_records[m_nRecordCount++] = line;
        }
        line.Empty();
    }
    return 1;
}
