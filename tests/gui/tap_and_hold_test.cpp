#include "platform/tap_and_hold.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

constexpr int kInterval = 40;  // the tests' hold interval, in place of 600 ms

// Counts the mouse events that reach it past the filter.
class CountingWidget : public QWidget {
  public:
    int presses = 0;
    int moves = 0;
    int releases = 0;
    int menus = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseMoveEvent(QMouseEvent*) override { ++moves; }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
    void contextMenuEvent(QContextMenuEvent*) override { ++menus; }
};

void MoveTo(QWidget* widget, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

}  // namespace

class TapAndHoldTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        widget_ = std::make_unique<CountingWidget>();
        widget_->resize(200, 200);
        gesture_ = new CTapAndHold(widget_.get());
        gesture_->SetHoldInterval(kInterval);
    }
    void cleanup() { widget_.reset(); }

    void holdIntervalIsSixHundredMilliseconds() {
        CountingWidget other;
        QCOMPARE(CTapAndHold(&other).HoldInterval(), 600);
    }

    void pressHeld_data() {
        QTest::addColumn<QPoint>("moveBy");
        QTest::addColumn<int>("holdFor");
        QTest::addColumn<bool>("expectHeld");
        const int drag = QApplication::startDragDistance();
        QTest::newRow("held still") << QPoint(0, 0) << 4 * kInterval << true;
        QTest::newRow("held with a small jitter") << QPoint(drag / 2, 0) << 4 * kInterval << true;
        QTest::newRow("dragged away") << QPoint(drag + 5, 0) << 4 * kInterval << false;
        QTest::newRow("released at once") << QPoint(0, 0) << 0 << false;
    }

    void pressHeld() {
        QFETCH(QPoint, moveBy);
        QFETCH(int, holdFor);
        QFETCH(bool, expectHeld);
        QSignalSpy held(gesture_, &CTapAndHold::held);
        const QPoint start(50, 60);
        QTest::mousePress(widget_.get(), Qt::LeftButton, {}, start);
        QVERIFY(gesture_->IsTiming());
        if (!moveBy.isNull()) {
            MoveTo(widget_.get(), start + moveBy);
        }
        if (holdFor > 0) {
            QTest::qWait(holdFor);
        }
        QTest::mouseRelease(widget_.get(), Qt::LeftButton, {}, start + moveBy);
        QCOMPARE(held.count(), expectHeld ? 1 : 0);
        if (expectHeld) {
            QCOMPARE(held.at(0).at(0).toPoint(), start);
        }
        // The press always reaches the widget; after a hold, its release does not.
        QCOMPARE(widget_->presses, 1);
        QCOMPARE(widget_->releases, expectHeld ? 0 : 1);
        QVERIFY(!gesture_->IsTiming());
    }

    void movesAfterTheHoldAreSwallowed() {
        QSignalSpy held(gesture_, &CTapAndHold::held);
        QTest::mousePress(widget_.get(), Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_COMPARE(held.count(), 1);
        MoveTo(widget_.get(), QPoint(100, 100));
        QCOMPARE(widget_->moves, 0);
        QTest::mouseRelease(widget_.get(), Qt::LeftButton, {}, QPoint(100, 100));
        // The next press starts afresh.
        QTest::mouseClick(widget_.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(widget_->releases, 1);
        QCOMPARE(held.count(), 1);
    }

    void rightClickIsHeldAtOnce() {
        QSignalSpy held(gesture_, &CTapAndHold::held);
        QTest::mouseClick(widget_.get(), Qt::RightButton, {}, QPoint(30, 40));
        QCOMPARE(held.count(), 1);
        QCOMPARE(held.at(0).at(0).toPoint(), QPoint(30, 40));
        QCOMPARE(widget_->presses, 0);
        QCOMPARE(widget_->releases, 0);
        // The window system's context-menu event for the same click is not a second gesture.
        QContextMenuEvent echo(QContextMenuEvent::Mouse, QPoint(30, 40),
                               widget_->mapToGlobal(QPoint(30, 40)));
        QApplication::sendEvent(widget_.get(), &echo);
        QCOMPARE(held.count(), 1);
        QCOMPARE(widget_->menus, 0);
    }

    void contextMenuKeyIsHeld() {
        QSignalSpy held(gesture_, &CTapAndHold::held);
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 6),
                              widget_->mapToGlobal(QPoint(5, 6)));
        QApplication::sendEvent(widget_.get(), &key);
        QCOMPARE(held.count(), 1);
        QCOMPARE(held.at(0).at(0).toPoint(), QPoint(5, 6));
        QCOMPARE(widget_->menus, 0);
    }

  private:
    std::unique_ptr<CountingWidget> widget_;
    CTapAndHold* gesture_ = nullptr;
};

QTEST_MAIN(TapAndHoldTest)
#include "tap_and_hold_test.moc"
