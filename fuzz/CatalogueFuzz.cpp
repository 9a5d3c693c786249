// The catalogue's names: display names, the file table's sort, and the sorted list
// that shows them. The input is a list of file names, one a line (a NUL byte ends a
// name too: no file name holds one), of which the first 200 are taken, as the
// catalogue takes them.

#include "fuzz/FuzzSupport.h"
#include "platform/text/Ascii.h"
#include "platform/window/ComboBox.h"
#include "platform/window/Wnd.h"
#include "ui/DownloadDlg.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<CString> fileNames(const std::uint8_t* data, std::size_t size) {
    std::vector<CString> names;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty() &&
           names.size() < static_cast<std::size_t>(CDownloadDlg::kFileTableSize)) {
        const std::size_t end =
            std::min(input.find_first_of(std::string_view("\n\0", 2)), input.size());
        names.emplace_back(input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    return names;
}

std::vector<std::string> sortedBytes(const std::vector<CString>& names) {
    std::vector<std::string> bytes;
    for (const CString& name : names)
        bytes.push_back(name.str());
    std::sort(bytes.begin(), bytes.end());
    return bytes;
}

CDownloadDlg& window() {
    static const auto dlg = std::make_unique<CDownloadDlg>();
    return *dlg;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CDownloadDlg& dlg = window();
    std::vector<CString> names = fileNames(data, size);
    const int count = static_cast<int>(names.size());

    // A display name is the name up to its first '_', or the whole name without one.
    for (const CString& name : names) {
        const CString display = dlg.DisplayName(name);
        const std::string_view whole = name.view();
        FUZZ_CHECK(whole.substr(0, display.view().size()) == display.view());
        FUZZ_CHECK(display.view().find('_') == std::string_view::npos);
        FUZZ_CHECK(display.GetLength() == name.GetLength() || whole[display.view().size()] == '_');
    }

    // The sort, on the names as they come: a permutation, ordered by the list's
    // collation of display names and, among equal ones, by the bytes of the names.
    std::vector<CString> sorted = names;
    dlg.SortFileNames(sorted.data(), count);
    FUZZ_CHECK(sortedBytes(sorted) == sortedBytes(names));
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const CString& a = sorted[i - 1];
        const CString& b = sorted[i];
        const int byDisplay =
            platform::compareNoCase(dlg.DisplayName(a).view(), dlg.DisplayName(b).view());
        FUZZ_CHECK(byDisplay < 0 ||
                   (byDisplay == 0 && platform::compareBytes(a.view(), b.view()) <= 0));
    }

    // As the catalogue builds them: upper-cased names, each display name added to a
    // sorted list, the table sorted afterwards. Position by position, the table's
    // file carries the display name that the list shows there.
    platform::ComboBox list(0, CBS_DROPDOWN | CBS_SORT, RECT{}, nullptr);
    std::vector<CString> table;
    for (CString name : names) {
        name.MakeUpper();
        const CString display = dlg.DisplayName(name);
        list.wrapper().SendMessage(CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(display)));
        table.push_back(name);
    }
    const int listed = static_cast<int>(list.wrapper().SendMessage(CB_GETCOUNT, 0, 0));
    FUZZ_CHECK(listed == count);
    dlg.SortFileNames(table.data(), listed);
    for (std::size_t i = 0; i < table.size(); ++i)
        FUZZ_CHECK(list.items()[i] == dlg.DisplayName(table[i]));
    return 0;
}
