#pragma once

// The device's theme colour, which tints the program's chrome and its headers: the desktop
// palette's highlight colour, asked afresh on each call (so a palette change is seen at the
// next paint), or THEME_COLOUR_DEFAULT when there is none to be had.

#include <QColor>

inline constexpr QRgb THEME_COLOUR_DEFAULT = 0xFF4040C0;  // RGB(64, 64, 192)

QColor GetThemeColour();
