#pragma once

// The values of CTestWnd::m_nMode, one per pattern (Patterns.h): 1-7 and 10
// for the main window's buttons, 11 on for the patterns without a button;
// 8 and 9 are not used.

inline constexpr int kModeBlockFill = 1;
inline constexpr int kModeVLineFill = 2;
inline constexpr int kModeHLineFill = 3;
inline constexpr int kModeDotFillDown = 4;
inline constexpr int kModeDotFillRight = 5;
inline constexpr int kModeVLineGradient = 6;
inline constexpr int kModeHLineGradient = 7;
inline constexpr int kModeDeadPixel = 10;
inline constexpr int kModeGrey = 11;
inline constexpr int kModeBlackLevel = 12;
inline constexpr int kModeGamma = 13;
inline constexpr int kModeSharpness = 14;
inline constexpr int kModeGrid = 15;
inline constexpr int kModeFlasher = 16;
