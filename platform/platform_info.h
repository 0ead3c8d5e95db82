#pragma once

// What the program asks about the platform it runs on: the display scale, the platform kind,
// the screen's orientation, and which files are word lists.

#include <QString>
#include <QStringList>

class QSize;
class QWidget;

// The display scale for a screen of dotsPerInch and the value of LEXICOVE_SCALE (null when
// unset): an override of "1" or "2" wins; otherwise 2 at 192 dpi or more, else 1.
int ComputeDisplayScale(double dotsPerInch, const char* override);

// The program's display scale: every layout coordinate, font height and icon size is
// multiplied by it. Computed on the first call (after the application object exists) from
// the primary screen's logical resolution and LEXICOVE_SCALE, and fixed from then on. Qt
// already maps logical pixels to the device on high-density screens, so a desktop scaled by
// the window system reports its logical 96 dpi here and keeps scale 1.
int GetDisplayScale();

// True on the newer platform, whose display takes a whole page in one hand-over: the desktop
// is one. Pages then go over by a posted call, with no transfer thread and no sleeping on the
// way from a lookup to the painted page.
bool IsPocketPC();

// True when the size is wider than tall.
bool IsLandscape(const QSize& size);
// The window stands for the handheld's screen: true when it is wider than tall. Without a
// window, the primary screen.
bool IsLandscape(const QWidget* window = nullptr);

// True when the name has at least 5 characters and ends in ".dwg", the letters in either case.
bool IsWordListFileName(const QString& name);
// The word-list files of a folder ("*.dwg" names that pass IsWordListFileName), by name.
QStringList WordListFiles(const QString& folder);
