// The catalogue: the command set files of the current directory, listed by
// display name, with the file table in the very order of the list.

#include "platform/files/CFileFind.h"
#include "platform/files/CurrentDirectory.h"
#include "platform/text/Ascii.h"
#include "platform/window/MessageBox.h"
#include "ui/DownloadDlg.h"
#include "ui/Messages.h"

#include <utility>

namespace {

// The list's own order: display names without regard to case; files whose display
// names are equal stand in the byte order of their whole names.
bool ordersBefore(CDownloadDlg& dlg, const CString& a, const CString& b) {
    const int byName = dlg.DisplayName(a).CompareNoCase(dlg.DisplayName(b));
    if (byName != 0)
        return byName < 0;
    return a.Compare(b) < 0;
}

} // namespace

void CDownloadDlg::FillCommandSetList() {
    m_pCommandSetList->SendMessage(CB_RESETCONTENT, 0, 0);

    // A directory too long for the buffer counts as not had: a cut path would
    // list some other directory.
    char directory[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    if (length == 0 || length >= MAX_PATH) {
        AfxMessageBox(messages::kNoCurrentDirectory, MB_OK);
        return;
    }

    const CString pattern = CString(directory) + "\\*.*";
    CFileFind finder;
    int stored = 0;
    bool tableFull = false;
    BOOL another = finder.FindFile(pattern);
    while (another) {
        another = finder.FindNextFile();
        CString name = finder.GetFileName();
        name.MakeUpper();
        if (name.Right(4) != m_strExt)
            continue;
        // The file table holds 200 names; the list takes no more, so both stay in step.
        if (stored == kFileTableSize) {
            tableFull = true;
            continue;
        }
        const CString disp = DisplayName(name);
        m_pCommandSetList->SendMessage(CB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(static_cast<LPCSTR>(disp)));
        if (disp.Left(3) == "KTX" && disp.GetLength() == 3)
            m_strCommandSet = disp;
        m_fileNames[stored++] = name;
    }
    m_pCommandSetList->SendMessage(CB_SETTOPINDEX, 0, 0);
    finder.Close();

    const int count = static_cast<int>(m_pCommandSetList->SendMessage(CB_GETCOUNT, 0, 0));
    SortFileNames(m_fileNames, count);

    if (m_strCommandSet.IsEmpty()) {
        m_pCommandSetList->SendMessage(CB_SETCURSEL, 0, 0);
        CDataExchange dx(this, TRUE);
        DoDataExchange(&dx);
    }
    UpdateData(FALSE);

    if (tableFull)
        AfxMessageBox(messages::kCatalogueTruncated, MB_OK);
}

// Every position against every other, exchanging whenever the pair is out of
// order; for 200 names that is 40,000 comparisons, nothing at this size.
void CDownloadDlg::SortFileNames(CString* names, int count) {
    if (count <= 0)
        return;
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            if (ordersBefore(*this, names[i], names[j]))
                std::swap(names[i], names[j]);
        }
    }
}

CString CDownloadDlg::DisplayName(CString fileName) {
    const int underscore = fileName.Find('_');
    return underscore < 0 ? fileName : fileName.Left(underscore);
}
