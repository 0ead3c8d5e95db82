// Which global hot key a session gets: the X11 key grab only on an X server of its own, the
// portal on every Wayland session (Qt on Wayland itself or through XWayland) that has a session
// bus, and none elsewhere.

#include "platform/global_hot_key.h"

#include <QTest>

class GlobalHotKeyTest : public QObject {
    Q_OBJECT

  private slots:
    void kindFollowsTheSession_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("waylandSession");
        QTest::addColumn<bool>("sessionBus");
        QTest::addColumn<int>("kind");
        const int none = CGlobalHotKey::KIND_NONE;
        const int x11 = CGlobalHotKey::KIND_X11;
        const int portal = CGlobalHotKey::KIND_PORTAL;
        QTest::newRow("X11 session") << "xcb" << false << true << x11;
        QTest::newRow("X11 session without a bus") << "xcb" << false << false << x11;
        QTest::newRow("Wayland") << "wayland" << true << true << portal;
        QTest::newRow("Wayland, EGL plugin") << "wayland-egl" << true << true << portal;
        QTest::newRow("Wayland without a bus") << "wayland" << true << false << none;
        QTest::newRow("XWayland") << "xcb" << true << true << portal;
        QTest::newRow("XWayland without a bus") << "xcb" << true << false << none;
        QTest::newRow("offscreen in a Wayland session") << "offscreen" << true << true << none;
        QTest::newRow("offscreen") << "offscreen" << false << true << none;
    }

    void kindFollowsTheSession() {
        QFETCH(QString, platform);
        QFETCH(bool, waylandSession);
        QFETCH(bool, sessionBus);
        QFETCH(int, kind);
        QCOMPARE(static_cast<int>(CGlobalHotKey::KindOf(platform, waylandSession, sessionBus)),
                 kind);
    }
};

QTEST_APPLESS_MAIN(GlobalHotKeyTest)
#include "global_hot_key_test.moc"
