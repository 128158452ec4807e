#pragma once

// Every resource number of the program, named once: dialog templates (IDD_),
// their controls (IDC_), bitmaps (IDB_), the icon (IDR_), strings (IDS_) and
// window-menu commands (IDM_). Templates in res/ carry the same numbers.
// Controls of different templates may share a number.

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_LV_DIALOG = 102;
inline constexpr int IDD_TEST_DIALOG = 103;
inline constexpr int IDD_MORESOFT = 209;

// Icon and strings.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDS_ABOUTBOX = 101;

// Window-menu command of the About item.
inline constexpr unsigned IDM_ABOUTBOX = 16;

// The 32 x 32 pictures of the picture buttons.
inline constexpr int IDB_DEADPIXEL = 130;
inline constexpr int IDB_BLOCKFILL = 132;
inline constexpr int IDB_HLINE = 133;
inline constexpr int IDB_VLINE = 134;
inline constexpr int IDB_HGRADIENT = 135;
inline constexpr int IDB_VGRADIENT = 136;
inline constexpr int IDB_GAMEBOX = 149;
inline constexpr int IDB_CLEANER = 227;
inline constexpr int IDB_ORGANISER = 228;
inline constexpr int IDB_BROWSER = 229;

// The 300 x 22 strips of the skinned link buttons.
inline constexpr int IDB_SKIN_NORMAL = 224;
inline constexpr int IDB_SKIN_HOT = 225;
inline constexpr int IDB_SKIN_DISABLED = 226;

// Controls of the main window (template 102).
inline constexpr int IDC_BLOCKFILL = 1000;
inline constexpr int IDC_VLINE_GRADIENT = 1001;
inline constexpr int IDC_VLINE_FILL = 1002;
inline constexpr int IDC_SHOWINFO = 1003;
inline constexpr int IDC_HOMEPAGE = 1004;
inline constexpr int IDC_README = 1005;
inline constexpr int IDC_HLINE_FILL = 1006;
inline constexpr int IDC_DOT_DOWN = 1007;
inline constexpr int IDC_DOT_RIGHT = 1008;
inline constexpr int IDC_HLINE_GRADIENT = 1009;
inline constexpr int IDC_SOFTBAR = 1010;
inline constexpr int IDC_WEB = 1011;
inline constexpr int IDC_ABOUT = 1012;
inline constexpr int IDC_DEADPIXEL = 1013;
inline constexpr int IDC_SHOPPING = 1014;
inline constexpr int IDC_NOVELS = 1015;
inline constexpr int IDC_GAMES = 1016;
inline constexpr int IDC_CLEANER = 1017;
inline constexpr int IDC_GAMEBOX = 1018;
inline constexpr int IDC_BROWSER = 1019;
inline constexpr int IDC_ORGANISER = 1020;
inline constexpr int IDC_MORESOFT = 1021;

// Controls of the About dialog (template 100).
inline constexpr int IDC_ABOUT_VERSION = 1012;
inline constexpr int IDC_ABOUT_EXEPATH = 1013;

// Controls of the more-software dialog (template 209).
inline constexpr int IDC_MORE_READER = 1013;
inline constexpr int IDC_MORE_CLEANER = 1021;
inline constexpr int IDC_MORE_ORGANISER = 1014;
inline constexpr int IDC_MORE_SNAPSHOT = 1018;
inline constexpr int IDC_MORE_DOWNLOADER = 1016;
inline constexpr int IDC_MORE_PLAYER = 1017;
inline constexpr int IDC_MORE_GAMEBOX = 1015;
inline constexpr int IDC_MORE_HOMEPAGE = 1019;
