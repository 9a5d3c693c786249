// The About box.

#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

using platform::WindowKind;

namespace {
constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
}

// The template reads as a table, one control a line.
// clang-format off
const platform::DialogTemplate aboutTemplate{
    IDD_ABOUTBOX,
    false,
    "About Veltran",
    0, 0, 235, 55,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    "MS Sans Serif",
    8,
    {
        {IDC_STATIC, WindowKind::Picture, "", 11, 17, 20, 20, kShown | SS_ICON, IDR_MAINFRAME},
        {IDC_STATIC, WindowKind::Label, "Veltran Version 1, 0, 0, 8", 40, 10, 119, 8,
         kShown | SS_LEFT | SS_NOPREFIX | WS_GROUP},
        {IDC_STATIC, WindowKind::Label, "Copyright (C) 2026 Veltran", 40, 25, 119, 8, kShown | SS_LEFT | WS_GROUP},
        {IDOK, WindowKind::PushButton, "OK", 178, 7, 50, 14, kShown | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
    },
    {},
};
// clang-format on
