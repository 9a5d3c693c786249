// The command set reader with its filter, over a file written from the input. The
// input's first two bytes say how many times the rest stands in the file (0 counts
// as once), so that short inputs reach the 65,536-byte buffer and the 1,200-entry
// record table; the file is cut at 140,000 bytes, well past both.

#include "fuzz/FuzzSupport.h"
#include "ui/DownloadDlg.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kFileCap = 140000;

std::string commandSetFile(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (size < 2)
        return std::string(input);
    const std::string_view unit = input.substr(2);
    std::size_t times =
        std::max<std::size_t>((static_cast<std::size_t>(data[0]) << 8) | data[1], 1);
    std::string file;
    while (!unit.empty() && times-- > 0 && file.size() < kFileCap)
        file += unit;
    file.resize(std::min(file.size(), kFileCap));
    return file;
}

// A file whose text-mode read delivers exactly these bytes, which hold no 0x1A and
// no 0xFF: a CR ahead of each CR LF, since that pair alone would lose its CR.
std::string fileDelivering(std::string_view bytes) {
    std::string file;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r')
            file += '\r';
        file += bytes[i];
    }
    return file;
}

// One window for the whole run: it is large, and each read must stand on its own
// whatever the read before left in it.
CDownloadDlg& window() {
    static const auto dlg = std::make_unique<CDownloadDlg>();
    return *dlg;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScratchDirectory& scratch = fuzz::ScratchDirectory::instance();
    const std::string file = commandSetFile(data, size);
    CDownloadDlg& dlg = window();
    FUZZ_CHECK(dlg.LoadCommandSet(CString(scratch.write("SET.CSF", file).c_str())) == 1);

    // The buffer holds what the text-mode read delivers up to the first 0xFF, as far as it fits.
    std::string delivered = fuzz::textModeBytes(file);
    delivered.resize(std::min(delivered.find('\xFF'), delivered.size()));
    const bool bufferPassed = delivered.size() > CDownloadDlg::kFileBufferSize;
    FUZZ_CHECK(dlg.m_nFileLen ==
               std::min<std::size_t>(delivered.size(), CDownloadDlg::kFileBufferSize));
    const std::string_view buffer(reinterpret_cast<const char*>(dlg.m_fileBuf), dlg.m_nFileLen);
    FUZZ_CHECK(buffer == std::string_view(delivered).substr(0, buffer.size()));

    // Every record is a whole line of the buffer that the filter can take, and
    // stands after the record before it.
    const int count = dlg.m_nRecordCount;
    FUZZ_CHECK(count >= 0 && count <= CDownloadDlg::kRecordTableSize);
    std::size_t next = 0;
    for (int i = 0; i < count; ++i) {
        const std::string& record = dlg.m_records[i].str();
        FUZZ_CHECK(record.size() >= 10 && record.find('\n') == record.size() - 1);
        FUZZ_CHECK(record[7] == '0' && (record[8] == '0' || record[8] == '1'));
        bool found = false;
        while (!found && next < buffer.size()) {
            const std::size_t end = buffer.find('\n', next);
            if (end == std::string_view::npos)
                break;
            found = buffer.substr(next, end + 1 - next) == record;
            next = end + 1;
        }
        FUZZ_CHECK(found);
    }

    // The table passed its limit when, with every entry taken, the lines after the
    // last one still hold a record: read them on their own to see.
    const bool tooLarge = dlg.m_bTooLarge;
    bool tablePassed = false;
    if (count == CDownloadDlg::kRecordTableSize) {
        const std::string rest = fileDelivering(buffer.substr(next));
        FUZZ_CHECK(dlg.LoadCommandSet(CString(scratch.write("REST.CSF", rest).c_str())) == 1);
        tablePassed = dlg.m_nRecordCount > 0;
    }
    FUZZ_CHECK(static_cast<bool>(tooLarge) == (bufferPassed || tablePassed));
    return 0;
}
