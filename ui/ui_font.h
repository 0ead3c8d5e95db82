#pragma once

// The program's interface fonts and its coloured header.

#include <QFont>
#include <QString>

class QPainter;

// A "Tahoma" font (or the nearest the desktop has) whose cell height is height times the
// display scale, in pixels; weight bold or normal, no italic, underline or strike-out.
QFont CreateUiFont(int height, bool bold);
// The same font for a cell of cellHeight pixels: the line it takes (ascent plus descent) is
// at most that high, as close to it as the font's sizes come.
QFont CreateUiFontForCell(int cellHeight, bool bold);

// The header of a dialog or panel: the title in the theme colour, 18 units bold, on one
// line, centred vertically in x 8 to deviceWidth and y 0 to 24; with rule, a black line one
// pixel thick across the width at y 24. Units are times the display scale. In a dark palette
// the rule is the window's text colour; the title's colour is made readable on the window
// and on the band (CColourScheme).
void DrawHeader(QPainter& painter, int deviceWidth, const QString& title, bool withRule);
