// The Port Setup dialog and the entries of its two lists.

#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

using platform::WindowKind;

namespace {
constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
}

// The template reads as a table, one control a line.
// clang-format off
const platform::DialogTemplate portSetupTemplate{
    IDD_PORT_SETUP,
    false,
    "Port Setup",
    0, 0, 154, 63,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    "MS Sans Serif",
    8,
    {
        {IDOK, WindowKind::PushButton, "OK", 97, 7, 50, 14, kShown | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, WindowKind::PushButton, "Cancel", 97, 24, 50, 14, kShown | BS_PUSHBUTTON | WS_TABSTOP},
        {IDC_SETUP_PORT, WindowKind::ComboBox, "", 7, 16, 55, 124, kShown | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
        {IDC_STATIC, WindowKind::Label, "Port Name:", 7, 7, 36, 8, kShown | SS_LEFT | WS_GROUP},
        {IDC_SETUP_BAUD, WindowKind::ComboBox, "", 7, 41, 56, 50, kShown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {IDC_SETUP_BAUD_LABEL, WindowKind::Label, "Baud Rate", 7, 32, 35, 8, kShown | SS_LEFT | WS_GROUP},
    },
    {
        {IDC_SETUP_PORT, "LPT1"},
        {IDC_SETUP_PORT, "\\\\.\\KTXDV1\\"},
        {IDC_SETUP_PORT, "\\\\.\\KTXDV2\\"},
        {IDC_SETUP_PORT, "COM1"},
        {IDC_SETUP_PORT, "COM2"},
        {IDC_SETUP_PORT, "COM3"},
        {IDC_SETUP_PORT, "COM4"},
        {IDC_SETUP_PORT, "COM5"},
        {IDC_SETUP_PORT, "COM6"},
        {IDC_SETUP_PORT, "COM7"},
        {IDC_SETUP_PORT, "COM8"},
        {IDC_SETUP_BAUD, "2400"},
        {IDC_SETUP_BAUD, "4800"},
        {IDC_SETUP_BAUD, "9600"},
        {IDC_SETUP_BAUD, "19200"},
    },
};
// clang-format on
