#include "ui/resource_images.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextBrowser>

#include "platform/help_window.h"

namespace {

// Every bitmap the program draws, with its designed size; tinted marks the three that the
// frame re-tints with the theme colour.
struct BitmapCase {
    int id;
    int width;
    int height;
    bool tinted;
};

const BitmapCase kBitmaps[] = {
    {IDB_TAB_HIGHLIGHT, 116, 24, true}, {IDB_BOX_FRAME, 116, 20, true},
    {IDB_PANEL, 122, 26, true},         {IDB_LINK, 19, 7, false},
    {IDB_PIXEL, 1, 2, false},           {IDB_PRON, 10, 9, false},
    {IDB_SEARCH_BUTTON, 28, 24, false}, {IDB_SEARCH_BUTTON_PRESSED, 28, 24, false},
    {IDB_SYMBOL_QUEST, 12, 12, false},  {IDB_SYMBOL_STAR, 12, 12, false},
    {IDB_SYMBOL_SQUARE, 12, 12, false}, {IDB_SYMBOL_ROUND, 12, 12, false},
    {IDB_SYMBOL_BRACE, 12, 12, false},
};

const int kIcons[] = {
    IDR_MAINFRAME,    IDI_FAVORITES,        IDI_STUDY_LIST,    IDI_RANDOM_WORD,
    IDI_SEARCHED,     IDI_LOOKUP,           IDI_RECENTS,       IDI_FORWARD_PRESSED,
    IDI_BACK,         IDI_BACK_PRESSED,     IDI_FORWARD,       IDI_READ,
    IDI_READ_PRESSED, IDI_FORWARD_DISABLED, IDI_BACK_DISABLED, IDI_READ_DISABLED};

const int kToolbarCommands[] = {32807, 32773, 32774, 32796, 32856};

bool HasVisiblePixels(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class ResourceImagesTest : public QObject {
    Q_OBJECT

  private slots:
    void bitmaps_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("tinted");
        for (const BitmapCase& bitmap : kBitmaps) {
            QTest::addRow("bitmap %d", bitmap.id)
                << bitmap.id << bitmap.width << bitmap.height << bitmap.tinted;
        }
    }

    void bitmaps() {
        QFETCH(int, id);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, tinted);
        const QImage designed = LoadBitmapResource(id);
        QCOMPARE(designed.size(), QSize(width, height));
        QCOMPARE(designed.format(), QImage::Format_Indexed8);  // all bitmaps are palette images
        QVERIFY(designed.colorCount() > 0);
        if (tinted) {
            // Something to tint: coloured entries beside any greys.
            bool coloured = false;
            for (const QRgb entry : designed.colorTable()) {
                coloured =
                    coloured || !(qRed(entry) == qGreen(entry) && qGreen(entry) == qBlue(entry));
            }
            QVERIFY(coloured);
        }
        QCOMPARE(LoadBitmapResource(id, 1), designed);
        const QImage doubled = LoadBitmapResource(id, 2);
        QCOMPARE(doubled.size(), QSize(2 * width, 2 * height));
        QCOMPARE(doubled.format(), designed.format());
        for (int y = 0; y < doubled.height(); ++y) {
            for (int x = 0; x < doubled.width(); ++x) {
                QCOMPARE(doubled.pixel(x, y), designed.pixel(x / 2, y / 2));
            }
        }
    }

    void icons_data() {
        QTest::addColumn<int>("id");
        for (const int id : kIcons) {
            QTest::addRow("icon %d", id) << id;
        }
    }

    void icons() {
        QFETCH(int, id);
        for (const int scale : {1, 2}) {
            const QPixmap icon = LoadIconResource(id, scale);
            QCOMPARE(icon.size(), QSize(16 * scale, 16 * scale));
            QVERIFY(icon.hasAlphaChannel());
            QVERIFY(HasVisiblePixels(icon.toImage()));
        }
        // A larger scale is enlarged from the 32-pixel drawing.
        QCOMPARE(LoadIconResource(id, 3).size(), QSize(48, 48));
    }

    // On a screen of a higher pixel ratio an icon keeps its size in units and holds the
    // device's pixels, from the 32-pixel drawing.
    void iconsAtADevicePixelRatio_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("pixels");
        QTest::newRow("150%") << 1 << 1.5 << 24;
        QTest::newRow("200%") << 1 << 2.0 << 32;
        QTest::newRow("200% at scale 2") << 2 << 2.0 << 64;
    }

    void iconsAtADevicePixelRatio() {
        QFETCH(int, scale);
        QFETCH(qreal, ratio);
        QFETCH(int, pixels);
        const QPixmap icon = LoadIconResource(IDI_READ, scale, ratio);
        QCOMPARE(icon.size(), QSize(pixels, pixels));
        QCOMPARE(icon.devicePixelRatio(), ratio);
        QCOMPARE(icon.deviceIndependentSize(), QSizeF(16.0 * scale, 16.0 * scale));
        if (pixels == 32) {
            // The 32-pixel drawing itself, not the 16-pixel one enlarged.
            QImage image = icon.toImage().convertToFormat(QImage::Format_ARGB32);
            image.setDevicePixelRatio(1.0);
            QCOMPARE(
                image,
                LoadIconResource(IDI_READ, 2).toImage().convertToFormat(QImage::Format_ARGB32));
        }
    }

    // Toolbar icons hold both image sets, so a scaled desktop draws from the larger one.
    void toolbarIconsHoldBothSizes() {
        const QIcon icon = LoadToolbarIcon(32773);
        QCOMPARE(icon.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
        QVERIFY(LoadToolbarIcon(1).isNull());
    }

    void programIcon() {
        const QIcon icon = LoadProgramIcon();
        QCOMPARE(icon.availableSizes().size(), 7);
        for (const int size : {16, 32, 48, 256}) {
            const QPixmap pixmap = icon.pixmap(size, size);
            QCOMPARE(pixmap.size(), QSize(size, size));
            QVERIFY(HasVisiblePixels(pixmap.toImage()));
        }
    }

    // The pressed and disabled looks of a header button differ from its normal one.
    void headerButtonStatesDiffer() {
        const int states[][3] = {{IDI_READ, IDI_READ_PRESSED, IDI_READ_DISABLED},
                                 {IDI_BACK, IDI_BACK_PRESSED, IDI_BACK_DISABLED},
                                 {IDI_FORWARD, IDI_FORWARD_PRESSED, IDI_FORWARD_DISABLED}};
        for (const auto& button : states) {
            const QImage normal = LoadIconResource(button[0], 1).toImage();
            QVERIFY(normal != LoadIconResource(button[1], 1).toImage());
            QVERIFY(normal != LoadIconResource(button[2], 1).toImage());
        }
    }

    void toolbarImages() {
        QImage previous;
        for (const int command : kToolbarCommands) {
            for (const int scale : {1, 2}) {
                const QPixmap image = LoadToolbarImage(command, scale);
                QCOMPARE(image.size(), QSize(16 * scale, 16 * scale));
                QVERIFY(HasVisiblePixels(image.toImage()));
            }
            const QImage current = LoadToolbarImage(command, 1).toImage();
            QVERIFY(current != previous);  // each command its own image
            previous = current;
        }
        QVERIFY(LoadToolbarImage(32772, 1).isNull());
        QVERIFY(LoadToolbarImage(32773, 3).isNull());
    }

    void unknownNumbersAndScalesGiveNothing() {
        QVERIFY(LoadBitmapResource(0).isNull());
        QVERIFY(LoadBitmapResource(128).isNull());  // an icon, not a bitmap
        QVERIFY(LoadBitmapResource(IDB_PANEL, 0).isNull());
        QVERIFY(LoadIconResource(129, 1).isNull());
        QVERIFY(LoadIconResource(IDB_PANEL, 1).isNull());
        QVERIFY(LoadIconResource(IDI_READ, 0).isNull());
    }

    // The help page the help viewer shows, with the three anchors the program opens it at.
    void helpPage() {
        const QString path = CHelpWindow::ResolveHelpFile(QStringLiteral("lexicove.htm"));
        QCOMPARE(path, QStringLiteral(":/help/lexicove.htm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray page = file.readAll();
        for (const char* anchor : {"main_contents", "pron", "symbol"}) {
            QVERIFY2(page.contains("<a name=\"" + QByteArray(anchor) + "\">"), anchor);
        }
        QVERIFY(CHelpWindow::ResolveHelpFile(QStringLiteral("missing.htm")).isEmpty());
        QVERIFY(CHelpWindow::ResolveHelpFile(QStringLiteral("/no/such/lexicove.htm")).isEmpty());

        CHelpWindow help;
        QVERIFY(help.ShowHelp(QStringLiteral("lexicove.htm"), QStringLiteral("symbol")));
        QVERIFY(help.Browser()->toPlainText().contains(QStringLiteral("Search syntax")));
    }
};

QTEST_MAIN(ResourceImagesTest)
#include "resource_images_test.moc"
