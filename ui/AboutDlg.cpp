#include "ui/AboutDlg.h"

#include "resources/ResourceIds.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

const platform::MessageMap* CAboutDlg::GetMessageMap() const {
    static const platform::MessageMap map(CDialog::GetMessageMap(), {});
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
}
