#pragma once

// The program's bitmaps and icons by resource number: our own artwork, compiled in with Qt's
// resource system from resources/ (drawn by resources/make_artwork.py).
//
// Bitmaps are designed for 96 dots per inch and stored as 8-bit palette images, so that the
// tinted ones can be re-coloured through their colour table (CThemedBitmap). Icons are 16 by
// 16 units, drawn at 16 and at 32 pixels and kept with transparency.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// Bitmaps.
inline constexpr int IDB_TAB_HIGHLIGHT = 142;  // behind the selected list tab (tinted)
inline constexpr int IDB_BOX_FRAME = 145;      // frame of the "Look up:" box (tinted)
inline constexpr int IDB_PANEL = 147;          // left panel, Content view band (tinted)
inline constexpr int IDB_LINK = 178;           // "link.gif": the sense link of a page
inline constexpr int IDB_PIXEL = 179;          // "pixel.gif": the page's spacer
inline constexpr int IDB_PRON = 187;           // "pron.gif": the pronunciation link
inline constexpr int IDB_SEARCH_BUTTON = 189;  // the search panel's Search button
inline constexpr int IDB_SEARCH_BUTTON_PRESSED = 190;
inline constexpr int IDB_SYMBOL_QUEST = 193;   // "c_quest.gif": ?
inline constexpr int IDB_SYMBOL_STAR = 194;    // "c_star.gif": *
inline constexpr int IDB_SYMBOL_SQUARE = 195;  // "c_square.gif": []
inline constexpr int IDB_SYMBOL_ROUND = 196;   // "c_round.gif": ()
inline constexpr int IDB_SYMBOL_BRACE = 197;   // "c_turt.gif": {}

// Icons.
inline constexpr int IDR_MAINFRAME = 128;  // the program icon
inline constexpr int IDI_FAVORITES = 130;  // list tabs, in the order of their numbers
inline constexpr int IDI_STUDY_LIST = 131;
inline constexpr int IDI_RANDOM_WORD = 132;  // "Random Word:"
inline constexpr int IDI_SEARCHED = 135;
inline constexpr int IDI_LOOKUP = 136;
inline constexpr int IDI_RECENTS = 137;
inline constexpr int IDI_FORWARD_PRESSED = 164;  // the header buttons Read, Back, Forward
inline constexpr int IDI_BACK = 165;
inline constexpr int IDI_BACK_PRESSED = 166;
inline constexpr int IDI_FORWARD = 167;
inline constexpr int IDI_READ = 168;
inline constexpr int IDI_READ_PRESSED = 169;
inline constexpr int IDI_FORWARD_DISABLED = 173;
inline constexpr int IDI_BACK_DISABLED = 174;
inline constexpr int IDI_READ_DISABLED = 214;

// The size of an icon in units.
inline constexpr int ICON_SIZE = 16;

// The bitmap as designed, one pixel per 96-dpi pixel, in its stored format (QImage::
// Format_Indexed8 for the palette bitmaps). Null for a number that names no bitmap.
QImage LoadBitmapResource(int id);
// The bitmap at a display scale (1 or 2): each pixel becomes scale by scale pixels, the
// format kept. Null for a number that names no bitmap or a scale below 1.
QImage LoadBitmapResource(int id, int scale);

// The icon at a display scale: ICON_SIZE * scale units square, from the artwork drawn at
// that size (scale 1 or 2; larger scales are enlarged from the 32-pixel drawing). On a screen
// of a higher device pixel ratio the pixmap holds that many more device pixels (and says so),
// from the larger drawing, so that it is sharp at 150% and 200%. Null for a number that names
// no icon or a scale below 1.
QPixmap LoadIconResource(int id, int scale, qreal devicePixelRatio = 1.0);

// The program icon in every size drawn (16 to 256 pixels), for the windows' title bars and the
// desktop's task bar.
QIcon LoadProgramIcon();

// The toolbar image of a command (Lookup Selected Text 32807, Lookup View 32773, Content View
// 32774, Search View 32796, Stop Searching 32856): 16 by 16 pixels at scale 1, from the 32 by
// 32 image set at scale 2. Null for another command or scale.
QPixmap LoadToolbarImage(int commandId, int scale);
// The toolbar image of a command in both of its sizes, so that a screen of device pixel ratio
// 1.5 or 2 draws it from the 32 by 32 set. Null for another command.
QIcon LoadToolbarIcon(int commandId);
