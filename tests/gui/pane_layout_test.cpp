// The two panes' geometry at display scales 1 and 2: the size that shows them, the splitter's
// default place and its limits, and the three rectangles side by side.
#include "frame/pane_layout.h"

#include <QTest>

namespace {

constexpr int kHandle = 6;

}  // namespace

class PaneLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void twoPanesFromTheDesktopSizeTimesTheScale_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("twoPanes");
        for (int s : {1, 2}) {
            QTest::addRow("x%d exactly", s) << s << QSize(600 * s, 400 * s) << true;
            QTest::addRow("x%d narrower", s) << s << QSize(600 * s - 1, 900 * s) << false;
            QTest::addRow("x%d lower", s) << s << QSize(900 * s, 400 * s - 1) << false;
        }
        // The scale-1 desktop size is a handheld layout at scale 2.
        QTest::newRow("x2 at 600 by 400") << 2 << QSize(600, 400) << false;
    }

    void twoPanesFromTheDesktopSizeTimesTheScale() {
        QFETCH(int, scale);
        QFETCH(QSize, client);
        QFETCH(bool, twoPanes);
        QCOMPARE(CPaneLayout(scale, kHandle).TwoPanes(client), twoPanes);
    }

    void theSplitterKeepsWithinItsLimits_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("draggedTo");  // 0: never dragged
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("leftWidth");
        for (int s : {1, 2}) {
            QTest::addRow("x%d default", s) << s << 0 << 1000 * s << 280 * s;
            QTest::addRow("x%d dragged", s) << s << 400 * s << 1000 * s << 400 * s;
            QTest::addRow("x%d too narrow", s) << s << 100 * s << 1000 * s << 240 * s;
            QTest::addRow("x%d past the left edge", s) << s << -50 << 1000 * s << 240 * s;
            QTest::addRow("x%d too wide", s)
                << s << 900 * s << 1000 * s << 1000 * s - kHandle - 240 * s;
            // A window made narrower keeps the page its least width.
            QTest::addRow("x%d window narrowed", s)
                << s << 400 * s << 600 * s << 600 * s - kHandle - 240 * s;
        }
    }

    void theSplitterKeepsWithinItsLimits() {
        QFETCH(int, scale);
        QFETCH(int, draggedTo);
        QFETCH(int, clientWidth);
        QFETCH(int, leftWidth);
        CPaneLayout layout(scale, kHandle);
        if (draggedTo != 0) {
            layout.DragTo(draggedTo, 1000 * scale);
        }
        QCOMPARE(layout.LeftWidth(clientWidth), leftWidth);
        const QSize client(clientWidth, 500 * scale);
        QCOMPARE(layout.LeftPane(client), QRect(0, 0, leftWidth, client.height()));
        QCOMPARE(layout.Handle(client), QRect(leftWidth, 0, kHandle, client.height()));
        QCOMPARE(layout.RightPane(client),
                 QRect(leftWidth + kHandle, 0, clientWidth - leftWidth - kHandle, client.height()));
    }

    void aStoredPlaceComesBackAsItWasLeft() {
        CPaneLayout layout(1, kHandle);
        layout.SetLeftWidth(333);
        QCOMPARE(layout.LeftWidth(1000), 333);
        // Not usable at this width, it is kept for a wider window.
        QCOMPARE(layout.LeftWidth(500), 500 - kHandle - 240);
        QCOMPARE(layout.LeftWidth(1200), 333);
    }
};

QTEST_MAIN(PaneLayoutTest)
#include "pane_layout_test.moc"
