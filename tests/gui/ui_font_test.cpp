#include "ui/ui_font.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTest>

#include "platform/platform_info.h"
#include "ui/theme_colour.h"

namespace {

// True when some pixel of row y in [x0, x1) has the colour.
bool RowHas(const QImage& image, int y, int x0, int x1, QRgb colour) {
    for (int x = x0; x < x1; ++x) {
        if (image.pixel(x, y) == colour) {
            return true;
        }
    }
    return false;
}

}  // namespace

class UiFontTest : public QObject {
    Q_OBJECT

  private slots:
    void fontHeightAndWeight_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("bold");
        QTest::newRow("list text") << 13 << false;
        QTest::newRow("header") << 18 << true;
        QTest::newRow("tab label") << 14 << true;
        QTest::newRow("double-size list text") << 26 << false;
    }

    void fontHeightAndWeight() {
        QFETCH(int, height);
        QFETCH(bool, bold);
        const QFont font = CreateUiFont(height, bold);
        // The line the font takes fills the cell it is given, and no more.
        const int cell = height * GetDisplayScale();
        const QFontMetrics metrics(font);
        QVERIFY2(metrics.height() <= cell, qPrintable(QString::number(metrics.height())));
        QFont larger = font;
        larger.setPixelSize(font.pixelSize() + 1);
        QVERIFY(QFontMetrics(larger).height() > cell);
        QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QCOMPARE(font.families().value(0), QStringLiteral("Tahoma"));
    }

    void themeColourFollowsThePalette() {
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 120, 30));
        QApplication::setPalette(palette);
        QCOMPARE(GetThemeColour(), QColor(10, 120, 30));
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 0, 0));
        QApplication::setPalette(palette);
        QCOMPARE(GetThemeColour(), QColor(200, 0, 0));  // asked afresh, not cached
        QApplication::setPalette(saved);
    }

    void headerIsTitleInThemeColourAndRule() {
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 255));
        QApplication::setPalette(palette);
        const int scale = GetDisplayScale();
        QImage image(240 * scale, 40 * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            DrawHeader(painter, image.width(), QStringLiteral("Word Links"), true);
        }
        QApplication::setPalette(saved);
        const QRgb blue = qRgb(0, 0, 255);
        bool titleSeen = false;
        for (int y = 0; y < 24 * scale && !titleSeen; ++y) {
            titleSeen = RowHas(image, y, 8 * scale, image.width(), blue);
        }
        QVERIFY(titleSeen);
        for (int y = 0; y < 24 * scale; ++y) {
            QVERIFY(!RowHas(image, y, 0, 8 * scale - 1, blue));  // nothing left of x 8
        }
        QCOMPARE(image.pixel(0, 24 * scale), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(image.width() - 1, 24 * scale), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(0, 24 * scale + 1), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(UiFontTest)
#include "ui_font_test.moc"
