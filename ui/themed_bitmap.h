#pragma once

// CThemedBitmap: a bitmap of the program's chrome (the Lookup view's panel, the highlight of
// the selected list tab, the frame of the "Look up:" box, the Content view's band), designed
// in neutral colours and re-tinted with the theme colour: every coloured entry of its colour
// table becomes the matching shade of the theme colour, grey entries keep their colour. It
// draws at double size on a high-resolution (192-dpi) screen, and draws in the three ways the
// frame needs: at a point, tiled downwards, and stretched across.
//
// Only palette bitmaps are tinted; a bitmap without a colour table is drawn unchanged. A
// missing bitmap has the size 0 by 0 and draws nothing.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>

class CColourScheme;
class QPainter;

class CThemedBitmap {
  public:
    CThemedBitmap() = default;
    // Loads the bitmap resource and tints it with colour; a bitmap that cannot be tinted is
    // loaded plain.
    CThemedBitmap(int resourceId, QRgb colour, bool highResolution);
    // Loads the bitmap resource plain, without tinting.
    CThemedBitmap(int resourceId, bool highResolution);
    virtual ~CThemedBitmap();

    // As the constructors, replacing what was loaded; false when there is no such bitmap
    // (the object is then empty).
    bool Load(int resourceId, QRgb colour, bool highResolution);
    bool LoadPlain(int resourceId, bool highResolution);

    // Loads and tints the resource again: true when a tinted bitmap was made, which then
    // replaces the old one; false (the old one stays) when the resource is missing or has
    // no colour table.
    bool Retint(int resourceId, QRgb colour);
    // Retint with the resource this object was loaded from (the colour-change notification).
    bool SetThemeColour(QRgb colour);
    // The same with the colour scheme's tint (in a dark scheme the shades of the theme colour
    // run from the window colour instead of white, and greys are mapped too).
    bool SetColourScheme(const CColourScheme& scheme);

    // The size drawn, in pixels: doubled on a high-resolution screen; 0 without a bitmap.
    int Width() const;
    int Height() const;
    bool IsNull() const { return image_.isNull(); }
    bool IsHighResolution() const { return double_; }
    // The bitmap as tinted, one pixel per designed pixel.
    const QImage& Image() const { return image_; }
    // The colour drawn at (x, y) of the drawn bitmap (Width by Height), the point held to the
    // bitmap; 0 without a bitmap.
    QRgb ColourAt(int x, int y) const;

    // The whole bitmap, Width by Height, at (x, y).
    void DrawAt(QPainter& painter, int x, int y) const;
    // Copies of the bitmap down the left edge from y 0, each all but its last three rows
    // stretched to Width by Height - 3 (- 6 at double size), until height is covered; nothing
    // is drawn below height.
    void TileDown(QPainter& painter, int height) const;
    // The bitmap but its last three columns, stretched to width by Height at (0, 0).
    void StretchAcross(QPainter& painter, int width) const;

    // The tinted colour of one colour-table entry: greys (R = G = B) keep their colour; any
    // other entry becomes the shade of theme that matches its brightness.
    static QRgb TintColour(QRgb entry, QRgb theme);
    // The tinted colour table.
    static QList<QRgb> TintColourTable(const QList<QRgb>& table, QRgb theme);
    // An entry's brightness: the integer part of the root mean square of its components.
    static int Brightness(QRgb entry);

  private:
    void SetImage(int resourceId, QImage image, bool highResolution);
    // Draws source rows and columns of the bitmap into target.
    void Copy(QPainter& painter, const QRect& target, const QRect& source) const;

    QImage image_;    // the bitmap with its tinted colour table, or null
    QPixmap pixmap_;  // image_ ready for drawing
    int resourceId_ = 0;
    bool double_ = false;
};
