#include "ui/header_button.h"

#include <QApplication>
#include <QTest>
#include <utility>
#include <vector>

#include "app/messages.h"
#include "support/posted_message_recorder.h"

namespace {

constexpr int kCommand = 32772;
constexpr int kInterval = 30;  // the tests' hold interval, in place of 600 ms
const QRect kRect(10, 20, 16, 16);
const QPoint kInside(15, 25);
const QPoint kOutside(60, 25);

using Commands = std::vector<std::pair<int, int>>;

// The commands posted to the owner so far, as (command id, notification code).
Commands CommandsOf(CPostedMessageRecorder& owner) {
    Commands commands;
    for (const CPostedMessageRecorder::Message& m : owner.Received(WM_COMMAND)) {
        commands.emplace_back(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
    }
    return commands;
}

}  // namespace

class HeaderButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void holdIntervalIsSixHundredMilliseconds() { QCOMPARE(CHeaderButton().HoldInterval(), 600); }

    void createdNormalAndIdle() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        QCOMPARE(button.State(), CHeaderButton::STATE_NORMAL);
        QCOMPARE(button.Rect(), kRect);
        QCOMPARE(button.Command(), kCommand);
        QVERIFY(!button.IsTracking());
        button.MoveTo(100, 5);
        QCOMPARE(button.Rect(), QRect(100, 5, 16, 16));
    }

    // Press, an optional path of moves with the pressed look expected after each, release.
    void pressAndRelease_data() {
        QTest::addColumn<QList<QPoint>>("moves");
        QTest::addColumn<QList<int>>("statesAfterMoves");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<bool>("givesCommand");
        const int pressed = CHeaderButton::STATE_PRESSED;
        const int normal = CHeaderButton::STATE_NORMAL;
        QTest::newRow("released inside") << QList<QPoint>{} << QList<int>{} << kInside << true;
        QTest::newRow("moved within, released inside")
            << QList<QPoint>{QPoint(20, 30)} << QList<int>{pressed} << QPoint(20, 30) << true;
        QTest::newRow("dragged out, released outside")
            << QList<QPoint>{kOutside} << QList<int>{normal} << kOutside << false;
        QTest::newRow("dragged out and back, released inside")
            << QList<QPoint>{kOutside, kInside} << QList<int>{normal, pressed} << kInside << true;
        QTest::newRow("dragged back out again")
            << QList<QPoint>{kOutside, kInside, kOutside} << QList<int>{normal, pressed, normal}
            << kOutside << false;
    }

    void pressAndRelease() {
        QFETCH(QList<QPoint>, moves);
        QFETCH(QList<int>, statesAfterMoves);
        QFETCH(QPoint, releaseAt);
        QFETCH(bool, givesCommand);
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, false);
        QVERIFY(button.Press(kInside));
        QVERIFY(button.IsTracking());
        QCOMPARE(button.State(), CHeaderButton::STATE_PRESSED);
        QVERIFY(!button.IsHoldTimerRunning());  // no hold: no timer
        for (qsizetype i = 0; i < moves.size(); ++i) {
            QVERIFY(button.Move(moves[i]));
            QCOMPARE(button.State(), statesAfterMoves[i]);
        }
        button.Release(releaseAt);
        QVERIFY(!button.IsTracking());
        QCOMPARE(button.State(), CHeaderButton::STATE_NORMAL);
        QCOMPARE(CommandsOf(owner), (givesCommand ? Commands{{kCommand, 0}} : Commands{}));
    }

    void pressOutsideIsRefused() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        QVERIFY(!button.Press(kOutside));
        QVERIFY(!button.IsTracking());
        QVERIFY(!button.Move(kInside));  // not tracking
        button.Release(kInside);
        QVERIFY(CommandsOf(owner).empty());
    }

    // Held for the interval: the command once with code 1, tracking ends, the release that
    // follows gives nothing.
    void heldGivesTheHoldCommandOnce() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        button.SetHoldInterval(kInterval);
        QVERIFY(button.Press(kInside));
        QVERIFY(button.IsHoldTimerRunning());
        QTRY_COMPARE(CommandsOf(owner), (Commands{{kCommand, 1}}));
        QVERIFY(!button.IsTracking());
        QVERIFY(!button.IsHoldTimerRunning());
        QCOMPARE(button.State(), CHeaderButton::STATE_NORMAL);
        QVERIFY(!button.Move(kInside));
        button.Release(kInside);
        QTest::qWait(3 * kInterval);
        QCOMPARE(CommandsOf(owner), (Commands{{kCommand, 1}}));
    }

    void holdTicksDrivenFromOutside() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        QVERIFY(!button.HoldTick());  // no press, no hold
        QVERIFY(button.Press(kInside));
        QVERIFY(button.HoldTick());
        QVERIFY(!button.HoldTick());  // given once
        QCOMPARE(CommandsOf(owner), (Commands{{kCommand, 1}}));
    }

    void releasedBeforeTheHoldGivesThePlainCommand() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        button.SetHoldInterval(kInterval);
        QVERIFY(button.Press(kInside));
        button.Release(kInside);
        QVERIFY(!button.IsHoldTimerRunning());
        QVERIFY(!button.HoldTick());
        QTest::qWait(3 * kInterval);
        QCOMPARE(CommandsOf(owner), (Commands{{kCommand, 0}}));
    }

    void withoutHoldTicksDoNothing() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, false);
        QVERIFY(button.Press(kInside));
        QVERIFY(!button.HoldTick());
        QVERIFY(button.IsTracking());
    }

    void disabledIgnoresPresses() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, true);
        button.Enable(false);
        QCOMPARE(button.State(), CHeaderButton::STATE_DISABLED);
        QVERIFY(!button.HitTest(kInside));
        QVERIFY(!button.Press(kInside));
        QVERIFY(!button.IsTracking());
        QVERIFY(!button.IsHoldTimerRunning());
        button.Release(kInside);
        QVERIFY(CommandsOf(owner).empty());
        button.Enable(true);
        QCOMPARE(button.State(), CHeaderButton::STATE_NORMAL);
        QVERIFY(button.HitTest(kInside));
    }

    void enablingLeavesAPressedButtonAlone() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, false);
        QVERIFY(button.Press(kInside));
        button.Enable(true);
        QCOMPARE(button.State(), CHeaderButton::STATE_PRESSED);
    }

    // Disabled while held down: released on it, it gives nothing.
    void disabledWhileDownGivesNothing() {
        CPostedMessageRecorder owner;
        CHeaderButton button;
        button.Create(kRect, &owner, kCommand, false);
        QVERIFY(button.Press(kInside));
        button.Enable(false);
        button.Release(kInside);
        QVERIFY(CommandsOf(owner).empty());
        QCOMPARE(button.State(), CHeaderButton::STATE_DISABLED);
    }
};

QTEST_MAIN(HeaderButtonTest)
#include "header_button_test.moc"
