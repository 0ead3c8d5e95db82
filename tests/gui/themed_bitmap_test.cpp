#include "ui/themed_bitmap.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "ui/colour_scheme.h"
#include "ui/resource_images.h"

namespace {

constexpr QRgb kDefaultTheme = 0xFF4040C0;  // RGB(64, 64, 192)
constexpr QRgb kGreenTheme = 0xFF208020;
constexpr QRgb kUntouched = 0x00FF00FF;  // transparent magenta: a pixel nothing drew on

// A canvas larger than anything drawn on it, filled with kUntouched.
QImage Canvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(kUntouched);
    return canvas;
}

// True when exactly the pixels inside area were drawn on.
bool CoversExactly(const QImage& canvas, const QRect& area) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if ((canvas.pixel(x, y) != kUntouched) != area.contains(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

class ThemedBitmapTest : public QObject {
    Q_OBJECT

  private slots:
    void tintColour_data() {
        QTest::addColumn<QRgb>("entry");
        QTest::addColumn<QRgb>("theme");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("red under the default theme")
            << qRgb(255, 0, 0) << kDefaultTheme << qRgb(175, 175, 229);
        QTest::newRow("white stays") << qRgb(255, 255, 255) << kGreenTheme << qRgb(255, 255, 255);
        QTest::newRow("black stays") << qRgb(0, 0, 0) << kGreenTheme << qRgb(0, 0, 0);
        QTest::newRow("grey stays") << qRgb(128, 128, 128) << kGreenTheme << qRgb(128, 128, 128);
        // I = 0, D = 255: 255 - (255 - T) * 255 / 256, one above each theme component.
        QTest::newRow("near black becomes nearly the theme")
            << qRgb(0, 0, 1) << kDefaultTheme << qRgb(65, 65, 193);
        QTest::newRow("alpha is kept")
            << qRgba(255, 0, 0, 0) << kDefaultTheme << qRgba(175, 175, 229, 0);
    }

    void tintColour() {
        QFETCH(QRgb, entry);
        QFETCH(QRgb, theme);
        QFETCH(QRgb, expected);
        QCOMPARE(CThemedBitmap::TintColour(entry, theme), expected);
    }

    // Every pixel of a loaded bitmap shows the tinted colour of its colour-table entry.
    void loadTintsThePalette() {
        const QImage original = LoadBitmapResource(IDB_PANEL);
        QCOMPARE(original.format(), QImage::Format_Indexed8);
        const CThemedBitmap bitmap(IDB_PANEL, kGreenTheme, false);
        QCOMPARE(bitmap.Image().size(), original.size());
        bool sawGrey = false;
        bool sawTinted = false;
        for (int y = 0; y < original.height(); ++y) {
            for (int x = 0; x < original.width(); ++x) {
                const QRgb designed = original.pixel(x, y);
                QCOMPARE(bitmap.Image().pixel(x, y),
                         CThemedBitmap::TintColour(designed, kGreenTheme));
                const bool grey =
                    qRed(designed) == qGreen(designed) && qGreen(designed) == qBlue(designed);
                sawGrey = sawGrey || grey;
                sawTinted = sawTinted || bitmap.Image().pixel(x, y) != designed;
            }
        }
        QVERIFY(sawGrey);    // the panel's edge keeps its greys
        QVERIFY(sawTinted);  // and its coloured shades follow the theme
    }

    void plainLoadKeepsTheDesign() {
        const CThemedBitmap bitmap(IDB_SEARCH_BUTTON, false);
        QCOMPARE(bitmap.Image(), LoadBitmapResource(IDB_SEARCH_BUTTON));
    }

    void sizeDoublesAtHighResolution() {
        const QImage original = LoadBitmapResource(IDB_TAB_HIGHLIGHT);
        const CThemedBitmap normal(IDB_TAB_HIGHLIGHT, kDefaultTheme, false);
        const CThemedBitmap doubled(IDB_TAB_HIGHLIGHT, kDefaultTheme, true);
        QCOMPARE(normal.Width(), original.width());
        QCOMPARE(normal.Height(), original.height());
        QCOMPARE(doubled.Width(), 2 * original.width());
        QCOMPARE(doubled.Height(), 2 * original.height());
    }

    void missingBitmapIsEmptyAndDrawsNothing() {
        CThemedBitmap bitmap(1, kDefaultTheme, false);
        QVERIFY(bitmap.IsNull());
        QCOMPARE(bitmap.Width(), 0);
        QCOMPARE(bitmap.Height(), 0);
        QImage canvas = Canvas(50, 50);
        QPainter painter(&canvas);
        bitmap.DrawAt(painter, 0, 0);
        bitmap.TileDown(painter, 50);
        bitmap.StretchAcross(painter, 50);
        painter.end();
        QVERIFY(CoversExactly(canvas, QRect()));
    }

    void drawAtCoversTheBitmap_data() {
        QTest::addColumn<bool>("highResolution");
        QTest::newRow("96 dpi") << false;
        QTest::newRow("192 dpi") << true;
    }

    void drawAtCoversTheBitmap() {
        QFETCH(bool, highResolution);
        const CThemedBitmap bitmap(IDB_BOX_FRAME, kDefaultTheme, highResolution);
        const int factor = highResolution ? 2 : 1;
        QImage canvas = Canvas(bitmap.Width() + 20, bitmap.Height() + 20);
        QPainter painter(&canvas);
        bitmap.DrawAt(painter, 7, 5);
        painter.end();
        QVERIFY(CoversExactly(canvas, QRect(7, 5, bitmap.Width(), bitmap.Height())));
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                QCOMPARE(canvas.pixel(7 + x, 5 + y), bitmap.Image().pixel(x / factor, y / factor));
            }
        }
    }

    void tileDown_data() {
        QTest::addColumn<bool>("highResolution");
        QTest::addColumn<int>("tiles");  // the height in steps
        QTest::addColumn<int>("extra");  // plus these pixels
        QTest::newRow("one row") << false << 0 << 1;
        QTest::newRow("one step") << false << 1 << 0;
        QTest::newRow("a step and a row") << false << 1 << 1;
        QTest::newRow("many steps and part of one") << false << 12 << 7;
        QTest::newRow("192 dpi, part of a step") << true << 0 << 5;
        QTest::newRow("192 dpi, many steps and part of one") << true << 6 << 11;
    }

    // The tiles cover exactly the left panel down to the height; each shows all but the
    // bitmap's last three rows.
    void tileDown() {
        QFETCH(bool, highResolution);
        QFETCH(int, tiles);
        QFETCH(int, extra);
        const CThemedBitmap bitmap(IDB_PANEL, kDefaultTheme, highResolution);
        const int factor = highResolution ? 2 : 1;
        const int step = bitmap.Height() - 3 * factor;
        QCOMPARE(step, factor * (bitmap.Image().height() - 3));
        const int height = tiles * step + extra;
        QImage canvas = Canvas(bitmap.Width() + 10, height + 40);
        QPainter painter(&canvas);
        bitmap.TileDown(painter, height);
        painter.end();
        QVERIFY(CoversExactly(canvas, QRect(0, 0, bitmap.Width(), height)));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < bitmap.Width(); x += 7) {
                QCOMPARE(canvas.pixel(x, y), bitmap.Image().pixel(x / factor, (y % step) / factor));
            }
        }
    }

    void stretchAcross_data() {
        QTest::addColumn<bool>("highResolution");
        QTest::addColumn<int>("times");  // the width in copies of the stretched columns
        QTest::newRow("96 dpi, as wide as the columns") << false << 1;
        QTest::newRow("96 dpi, three times as wide") << false << 3;
        QTest::newRow("192 dpi, twice as wide") << true << 2;
    }

    // The band covers exactly the width at the bitmap's height and never shows the bitmap's
    // last three columns.
    void stretchAcross() {
        QFETCH(bool, highResolution);
        QFETCH(int, times);
        const CThemedBitmap bitmap(IDB_PANEL, kDefaultTheme, highResolution);
        const int factor = highResolution ? 2 : 1;
        const int columns = bitmap.Image().width() - 3;
        const int width = columns * times;
        QImage canvas = Canvas(width + 30, bitmap.Height() + 10);
        QPainter painter(&canvas);
        bitmap.StretchAcross(painter, width);
        painter.end();
        QVERIFY(CoversExactly(canvas, QRect(0, 0, width, bitmap.Height())));
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < width; ++x) {
                QCOMPARE(canvas.pixel(x, y), bitmap.Image().pixel(x / times, y / factor));
            }
        }
    }

    // A bitmap of three rows or columns or fewer has nothing to tile or stretch: nothing is
    // drawn, and tiling ends (a step of zero or less would never reach the height).
    void tooSmallToTileOrStretch() {
        const CThemedBitmap bitmap(IDB_PIXEL, kDefaultTheme, false);  // 1 by 2 pixels
        QVERIFY(!bitmap.IsNull());
        QImage canvas = Canvas(20, 20);
        QPainter painter(&canvas);
        bitmap.TileDown(painter, 20);
        bitmap.StretchAcross(painter, 20);
        painter.end();
        QVERIFY(CoversExactly(canvas, QRect()));
    }

    // A colour change re-tints: the bitmap then looks as if loaded with the new colour.
    void retintAfterAColourChange() {
        CThemedBitmap bitmap(IDB_TAB_HIGHLIGHT, kDefaultTheme, true);
        const QImage before = bitmap.Image();
        QVERIFY(bitmap.SetThemeColour(kGreenTheme));
        QVERIFY(bitmap.Image() != before);
        QCOMPARE(bitmap.Image(), CThemedBitmap(IDB_TAB_HIGHLIGHT, kGreenTheme, true).Image());
        QVERIFY(bitmap.IsHighResolution());
        QVERIFY(bitmap.Retint(IDB_TAB_HIGHLIGHT, kDefaultTheme));
        QCOMPARE(bitmap.Image(), before);
        // What is drawn follows too.
        QImage canvas = Canvas(bitmap.Width(), bitmap.Height());
        QPainter painter(&canvas);
        bitmap.DrawAt(painter, 0, 0);
        painter.end();
        QCOMPARE(canvas.pixel(20, 20), before.pixel(10, 10));
    }

    // A light scheme tints as the theme colour does; a dark one runs the shades from the
    // window colour: white becomes the window, greys go towards the window's text, colours
    // towards the theme colour as far as they are dark.
    void colourSchemeTint_data() {
        QTest::addColumn<QRgb>("entry");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("white is the window") << qRgb(255, 255, 255) << qRgb(40, 40, 40);
        QTest::newRow("black is the text") << qRgb(0, 0, 0) << qRgb(239, 239, 239);
        // 40 + (240 - 40) * 55 / 256 = 82.
        QTest::newRow("light grey") << qRgb(200, 200, 200) << qRgb(82, 82, 82);
        // I = 147, 108 / 256 of the way from the window to the theme (32, 128, 32).
        QTest::newRow("red") << qRgb(255, 0, 0) << qRgb(37, 77, 37);
        QTest::newRow("alpha is kept") << qRgba(255, 0, 0, 0) << qRgba(37, 77, 37, 0);
    }

    void colourSchemeTint() {
        QFETCH(QRgb, entry);
        QFETCH(QRgb, expected);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
        dark.setColor(QPalette::Highlight, QColor::fromRgb(kGreenTheme));
        QCOMPARE(CColourScheme(dark).TintEntry(entry), expected);
        QPalette light;
        light.setColor(QPalette::Highlight, QColor::fromRgb(kGreenTheme));
        QCOMPARE(CColourScheme(light).TintEntry(entry),
                 CThemedBitmap::TintColour(entry, kGreenTheme));
    }

    void colourSchemeRetintsTheBitmap() {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
        const CColourScheme scheme(dark);
        CThemedBitmap bitmap(IDB_PANEL, kDefaultTheme, false);
        QVERIFY(bitmap.SetColourScheme(scheme));
        const QImage original = LoadBitmapResource(IDB_PANEL);
        for (const QPoint point : {QPoint(0, 0), QPoint(60, 10), QPoint(121, 25)}) {
            QCOMPARE(bitmap.ColourAt(point.x(), point.y()),
                     scheme.TintEntry(original.pixel(point)));
        }
        // Points beyond the bitmap are held to its edge.
        QCOMPARE(bitmap.ColourAt(-5, 1000), bitmap.ColourAt(0, original.height() - 1));
    }

    void retintOfAMissingBitmapKeepsTheOldOne() {
        CThemedBitmap bitmap(IDB_BOX_FRAME, kDefaultTheme, false);
        const QImage before = bitmap.Image();
        QVERIFY(!bitmap.Retint(1, kGreenTheme));
        QCOMPARE(bitmap.Image(), before);
        QVERIFY(bitmap.SetThemeColour(kGreenTheme));  // still knows its own resource
    }
};

QTEST_MAIN(ThemedBitmapTest)
#include "themed_bitmap_test.moc"
