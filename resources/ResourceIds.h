#pragma once
// Numbers of the program's resources and of the controls in its dialogs.

// Dialogs, strings, icon.
inline constexpr unsigned IDD_ABOUTBOX = 100;
inline constexpr unsigned IDS_ABOUTBOX = 101;
inline constexpr unsigned IDD_DOWNLOAD_DIALOG = 102;
inline constexpr unsigned IDD_PORT_SETUP = 132;
inline constexpr unsigned IDR_MAINFRAME = 134;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

// Controls of the main window.
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDC_EXIT = 1;
inline constexpr int IDC_START_DOWNLOAD = 1002;
inline constexpr int IDC_PORT_NAME = 1003;
inline constexpr int IDC_BAUD_TEXT = 1004;
inline constexpr int IDC_PROGRESS = 1007;
inline constexpr int IDC_SAVE_TO_DISPLAY = 1009;
inline constexpr int IDC_BAUD_LIST = 1013;
inline constexpr int IDC_TOPIC = 1014;
inline constexpr int IDC_COMMAND_SET_LIST = 1017;
inline constexpr int IDC_BAUD_GROUP = 1023;
inline constexpr int IDC_FIRST_TIME_DOWNLOAD = 1024;
inline constexpr int IDC_ERASE_ROM = 1025;
inline constexpr int IDC_PERCENT = 1026;
inline constexpr int IDC_PICTURE = 134;

// Controls of the Port Setup dialog.
inline constexpr int IDC_SETUP_PORT = 1002;
inline constexpr int IDC_SETUP_BAUD = 1005;
inline constexpr int IDC_SETUP_BAUD_LABEL = 1006;
