// The main window's geometry at display scales 1 and 2: unit places double, pixel widths and
// the pixel offsets stay.
#include "frame/frame_layout.h"

#include <QFontMetrics>
#include <QTest>

#include "ui/ui_font.h"

class FrameLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void placesScaleWithTheDisplay_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("96 dpi") << 1;
        QTest::newRow("192 dpi") << 2;
    }

    void placesScaleWithTheDisplay() {
        QFETCH(int, scale);
        const int panel = 120 * scale;  // P and F are pixels
        const int frame = 114 * scale;
        CFrameLayout layout(scale, panel, frame);
        QCOMPARE(layout.LookupEdit(), QRect(6 * scale, 23 * scale, frame - 8 * scale, 14 * scale));
        QCOMPARE(layout.WordList(400, 300), QRect(panel, 0, 400 - panel, 300));
        QCOMPARE(layout.ContentView(400, 300), QRect(0, 26 * scale, 400, 300 - 26 * scale));
        QCOMPARE(layout.TabIcon(0).topLeft(), QPoint(5 * scale, 2 * scale));
        QCOMPARE(layout.TabIcon(3).topLeft(), QPoint(5 * scale, 90 * scale));
        QCOMPARE(layout.TabBand(2),
                 QRect(QPoint(2 * scale, 64 * scale), QPoint(118 * scale - 1, 92 * scale - 1)));
        QCOMPARE(layout.RandomWordIcon(), QPoint(5 * scale, 134 * scale + 3));
        QCOMPARE(layout.WordOfTheDayArea(),
                 QRect(QPoint(7 * scale, 156 * scale), QPoint(111 * scale - 1, 216 * scale - 1)));
        QCOMPARE(layout.ForwardButton(400), QPoint(400 - 18 * scale, 5 * scale));
        QCOMPARE(layout.BackButton(400), QPoint(400 - 36 * scale, 5 * scale));
        QCOMPARE(layout.ReadButton(400), QPoint(400 - 54 * scale, 5 * scale));
        QCOMPARE(layout.ContentTitle(300).right(), 300 - 2);
    }

    void tabHitAreasExcludeTheirEdges_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("tab");
        for (int scale : {1, 2}) {
            QByteArray s = QByteArray::number(scale);
            QTest::newRow("tab 0 top edge x" + s) << scale << 50 << 0 << -1;
            QTest::newRow("tab 0 inside x" + s) << scale << 50 << 39 << 0;
            QTest::newRow("tab 0 bottom edge x" + s) << scale << 50 << 40 << -1;
            QTest::newRow("gap below tab 0 x" + s) << scale << 50 << 47 << -1;
            QTest::newRow("tab 4 inside x" + s) << scale << 117 << 109 << 4;
            QTest::newRow("right edge x" + s) << scale << 118 << 109 << -1;
        }
    }

    void tabHitAreasExcludeTheirEdges() {
        QFETCH(int, scale);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, tab);
        CFrameLayout layout(scale, 120 * scale, 114 * scale);
        QCOMPARE(layout.TabAt(QPoint(x * scale, y * scale)), tab);
    }

    void everyPanelLabelFitsItsRectangle_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("currentTab");
        for (int scale : {1, 2}) {
            for (int tab = 0; tab < CFrameLayout::TAB_COUNT; ++tab) {
                QTest::addRow("scale %d, tab %d current", scale, tab) << scale << tab;
            }
        }
    }

    void everyPanelLabelFitsItsRectangle() {
        QFETCH(int, scale);
        QFETCH(int, currentTab);
        CFrameLayout layout(scale, 120 * scale, 114 * scale);
        for (const CFrameLayout::PanelLabel& label : layout.PanelLabels(currentTab, true)) {
            const QFontMetrics metrics(CreateUiFontForCell(label.fontHeight * scale, label.bold));
            const QString text = QString::fromLatin1(label.text);
            QVERIFY2(metrics.horizontalAdvance(text) <= label.rect.width(), label.text);
            QVERIFY2(metrics.height() <= label.rect.height(), label.text);
        }
    }

    void thePanelCarriesTheTabLabelsAndRandomWord() {
        CFrameLayout layout(1, 120, 114);
        QStringList texts;
        for (const CFrameLayout::PanelLabel& label : layout.PanelLabels(2, true)) {
            texts << QString::fromLatin1(label.text);
            QCOMPARE(label.bold, texts.size() == 1 || texts.size() == 3);
        }
        QCOMPARE(texts, QStringList({"Look up:", "Study List", "Favorites", "Recents", "Searched",
                                     "Random Word:"}));
        QCOMPARE(static_cast<int>(layout.PanelLabels(2, false).size()), CFrameLayout::TAB_COUNT);
    }
};

QTEST_MAIN(FrameLayoutTest)
#include "frame_layout_test.moc"
