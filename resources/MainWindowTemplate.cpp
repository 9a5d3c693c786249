// The main window: 18 controls in template order, which is also the tab order.

#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

using platform::WindowKind;

namespace {
constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTextField =
    kShown | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP;
constexpr DWORD kLabel = kShown | SS_LEFT | WS_GROUP;
constexpr DWORD kButton = kShown | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kHiddenButton = WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED;
} // namespace

// The template reads as a table, one control a line.
// clang-format off
const platform::DialogTemplate mainWindowTemplate{
    IDD_DOWNLOAD_DIALOG,
    true,
    "Quorvex Command Set Download Utility",
    0, 0, 252, 137,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
    WS_EX_APPWINDOW,
    "MS Sans Serif",
    8,
    {
        {IDC_EXIT, WindowKind::PushButton, "EXIT", 195, 79, 50, 28, kShown | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_STATIC, WindowKind::Label, "Communication Port", 7, 7, 64, 8, kLabel},
        {IDC_PORT_NAME, WindowKind::Edit, "", 7, 16, 45, 12, kTextField},
        {IDC_START_DOWNLOAD, WindowKind::PushButton, "Start Download", 94, 86, 55, 14, kButton},
        {IDC_BAUD_TEXT, WindowKind::Edit, "", 54, 16, 39, 12, kTextField},
        {IDC_PROGRESS, WindowKind::ProgressBar, "Progress1", 7, 119, 238, 9, kShown | WS_BORDER | PBS_SMOOTH},
        {IDC_SAVE_TO_DISPLAY, WindowKind::PushButton, "Save to Line Display", 76, 45, 71, 14, kButton},
        {IDC_BAUD_LIST, WindowKind::ComboBox, "", 14, 46, 58, 80, kShown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {IDC_TOPIC, WindowKind::Label, "download topic", 14, 110, 152, 8, kLabel},
        {IDC_BAUD_GROUP, WindowKind::GroupBox, "Set Serial Port Baudrate", 7, 33, 148, 31, kShown | BS_GROUPBOX},
        {IDC_COMMAND_SET_LIST, WindowKind::ComboBox, "", 13, 87, 78, 102,
         kShown | CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
        {IDC_STATIC, WindowKind::GroupBox, "Select Command Set for Download", 7, 74, 149, 34, kShown | BS_GROUPBOX},
        {IDC_PICTURE, WindowKind::Picture, "", 224, 7, 20, 20, kShown | SS_ICON, IDR_MAINFRAME},
        {IDC_STATIC, WindowKind::Label, "(C) 2026 Veltran", 145, 16, 72, 8, kLabel},
        {IDC_STATIC, WindowKind::Label, "Quorvex Systems", 145, 7, 60, 8, kLabel},
        {IDC_FIRST_TIME_DOWNLOAD, WindowKind::PushButton, "First Time Download", 168, 64, 77, 14, kHiddenButton},
        {IDC_ERASE_ROM, WindowKind::PushButton, "Erase Fresh Rom", 168, 46, 77, 14, kHiddenButton},
        {IDC_PERCENT, WindowKind::Label, "**%", 224, 110, 18, 8, kLabel},
    },
    {
        {IDC_BAUD_LIST, "2400"},
        {IDC_BAUD_LIST, "4800"},
        {IDC_BAUD_LIST, "9600"},
        {IDC_BAUD_LIST, "19200"},
    },
};
// clang-format on
