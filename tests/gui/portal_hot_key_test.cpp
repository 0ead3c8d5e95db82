// CPortalHotKey against a fake GlobalShortcuts portal on a private session bus that the test
// starts (dbus-daemon) and ends: the session and the shortcut asked for, with the key as its
// preferred trigger; the portal's Activated signal as the key press; a key given up closes its
// session; a refusal, a missing portal and a bus without one end as HOT_KEY_FAILED.

#include <signal.h>
#include <sys/prctl.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/portal_hot_key.h"

namespace {

constexpr char kPortalConnection[] = "fake-portal";
constexpr char kProgramConnection[] = "program";

// The portal's side: answers CreateSession and BindShortcuts through Response signals on the
// request objects, records what it was asked, and sends Activated when the test says so.
class CFakePortal : public QDBusVirtualObject {
  public:
    enum Mode { ANSWER, REFUSE_BINDING, NO_GLOBAL_SHORTCUTS };

    explicit CFakePortal(const QDBusConnection& bus) : bus_(bus) {}

    Mode mode = ANSWER;
    QStringList sessions;      // created, in order
    QStringList closed;        // sessions closed by the program
    QStringList triggers;      // the preferred triggers bound
    QStringList descriptions;  // the shortcuts' descriptions
    QStringList shortcutIds;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() == QLatin1String("Close") &&
            message.interface() == QLatin1String("org.freedesktop.portal.Session")) {
            closed << message.path();
            connection.send(message.createReply());
            return true;
        }
        if (message.interface() != QLatin1String(CPortalHotKey::INTERFACE)) {
            return false;
        }
        if (mode == NO_GLOBAL_SHORTCUTS) {
            connection.send(message.createErrorReply(QDBusError::UnknownInterface,
                                                     QStringLiteral("No such interface")));
            return true;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().constLast());
        QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/") +
                                sender + QLatin1Char('/') +
                                options.value(QStringLiteral("handle_token")).toString();
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        uint response = 0;
        QVariantMap results;
        if (message.member() == QLatin1String("CreateSession")) {
            const QString session =
                QStringLiteral("/org/freedesktop/portal/desktop/session/") + sender +
                QLatin1Char('/') + options.value(QStringLiteral("session_handle_token")).toString();
            sessions << session;
            results.insert(QStringLiteral("session_handle"), session);
        } else if (message.member() == QLatin1String("BindShortcuts")) {
            ReadShortcuts(message.arguments().at(1).value<QDBusArgument>());
            response = mode == REFUSE_BINDING ? 1 : 0;
        }
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        connection.send(signal);
        return true;
    }

    void Activate(const QString& session, const QString& id) {
        QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(CPortalHotKey::PATH),
                                                         QLatin1String(CPortalHotKey::INTERFACE),
                                                         QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1)
               << QVariantMap();
        bus_.send(signal);
    }

  private:
    void ReadShortcuts(const QDBusArgument& argument) {
        argument.beginArray();
        while (!argument.atEnd()) {
            QString id;
            QVariantMap properties;
            argument.beginStructure();
            argument >> id >> properties;
            argument.endStructure();
            shortcutIds << id;
            triggers << properties.value(QStringLiteral("preferred_trigger")).toString();
            descriptions << properties.value(QStringLiteral("description")).toString();
        }
        argument.endArray();
    }

    QDBusConnection bus_;
};

}  // namespace

class PortalHotKeyTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    std::unique_ptr<CFakePortal> portal_;

    // The program's connection; a new one per test, so that no signal of one test reaches the
    // next.
    QDBusConnection ProgramBus() {
        static int count = 0;
        return QDBusConnection::connectToBus(
            address_, QLatin1String(kProgramConnection) + QString::number(++count));
    }

    void StartPortal() {
        QDBusConnection bus = QDBusConnection::connectToBus(address_, kPortalConnection);
        QVERIFY(bus.isConnected());
        portal_ = std::make_unique<CFakePortal>(bus);
        QVERIFY(bus.registerVirtualObject(QLatin1String(CPortalHotKey::PATH), portal_.get(),
                                          QDBusConnection::SubPath));
        QVERIFY(bus.registerService(QLatin1String(CPortalHotKey::SERVICE)));
    }

    void StopPortal() {
        QDBusConnection bus(kPortalConnection);
        if (bus.isConnected()) {
            bus.unregisterService(QLatin1String(CPortalHotKey::SERVICE));
            bus.unregisterObject(QLatin1String(CPortalHotKey::PATH),
                                 QDBusConnection::UnregisterTree);
        }
        QDBusConnection::disconnectFromBus(kPortalConnection);
        portal_.reset();
    }

  private slots:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            QSKIP("dbus-daemon is not installed (apt-get install dbus): no private bus to test on");
        }
        QVERIFY(folder_.isValid());
        // A bus of the test's own, its socket in the test's folder: nothing of the machine's
        // session is used, and nothing is left behind.
        // Its runtime folder (where it makes "dbus-1/services") is the test's too, and it ends
        // with the test even when the test is killed.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        daemon_.setProcessEnvironment(environment);
        daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1"),
                               QStringLiteral("--address=unix:dir=") + folder_.path()});
        QVERIFY(daemon_.waitForStarted());
        QTRY_VERIFY(daemon_.canReadLine());
        address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
        QVERIFY(!address_.isEmpty());
    }

    void cleanupTestCase() {
        StopPortal();
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            if (!daemon_.waitForFinished(5000)) {
                daemon_.kill();
                daemon_.waitForFinished();
            }
        }
    }

    void init() { StartPortal(); }
    void cleanup() { StopPortal(); }

    void aBoundKeyIsActivatedByThePortal() {
        CPortalHotKey hotKey(ProgramBus());
        QSignalSpy activated(&hotKey, &CGlobalHotKey::activated);
        hotKey.SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QCOMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_PENDING);
        QTRY_COMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_BOUND);
        QCOMPARE(portal_->sessions.size(), 1);
        QCOMPARE(hotKey.Session(), portal_->sessions[0]);
        QCOMPARE(portal_->shortcutIds, QStringList{QLatin1String(CPortalHotKey::SHORTCUT_ID)});
        QCOMPARE(portal_->triggers, QStringList{QStringLiteral("CTRL+ALT+w")});
        QCOMPARE(portal_->descriptions,
                 QStringList{QLatin1String(CPortalHotKey::SHORTCUT_DESCRIPTION)});

        portal_->Activate(hotKey.Session(), QLatin1String(CPortalHotKey::SHORTCUT_ID));
        QTRY_COMPARE(activated.size(), 1);
        // Another shortcut id, or another session, is not this key.
        portal_->Activate(hotKey.Session(), QStringLiteral("something-else"));
        portal_->Activate(QStringLiteral("/org/freedesktop/portal/desktop/session/x/y"),
                          QLatin1String(CPortalHotKey::SHORTCUT_ID));
        portal_->Activate(hotKey.Session(), QLatin1String(CPortalHotKey::SHORTCUT_ID));
        QTRY_COMPARE(activated.size(), 2);
        QTest::qWait(100);
        QCOMPARE(activated.size(), 2);
    }

    void anotherKeyGetsANewSessionAndOffClosesIt() {
        CPortalHotKey hotKey(ProgramBus());
        QSignalSpy activated(&hotKey, &CGlobalHotKey::activated);
        hotKey.SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QTRY_COMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_BOUND);
        const QString first = hotKey.Session();
        hotKey.SetKey(QKeySequence(QStringLiteral("Meta+F8")));
        QTRY_COMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_BOUND);
        QTRY_COMPARE(portal_->closed, QStringList{first});
        QCOMPARE(portal_->triggers.constLast(), QStringLiteral("LOGO+F8"));
        QVERIFY(hotKey.Session() != first);
        // The old session's shortcut is gone.
        portal_->Activate(first, QLatin1String(CPortalHotKey::SHORTCUT_ID));
        QTest::qWait(100);
        QCOMPARE(activated.size(), 0);

        const QString second = hotKey.Session();
        hotKey.SetKey(QKeySequence());
        QCOMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_OFF);
        QTRY_COMPARE(portal_->closed, (QStringList{first, second}));
    }

    void aKeyChangedBeforeTheAnswerBindsTheLastOne() {
        CPortalHotKey hotKey(ProgramBus());
        hotKey.SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        hotKey.SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+E")));
        QTRY_COMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_BOUND);
        QCOMPARE(portal_->triggers, QStringList{QStringLiteral("CTRL+ALT+e")});
    }

    void theEndOfTheProgramClosesTheSession() {
        auto hotKey = std::make_unique<CPortalHotKey>(ProgramBus());
        hotKey->SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QTRY_COMPARE(hotKey->CurrentStatus(), CGlobalHotKey::HOT_KEY_BOUND);
        const QString session = hotKey->Session();
        hotKey.reset();
        QTRY_COMPARE(portal_->closed, QStringList{session});
    }

    void refusalsEndAsFailed_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("the user declines") << int(CFakePortal::REFUSE_BINDING);
        QTest::newRow("a portal without global shortcuts") << int(CFakePortal::NO_GLOBAL_SHORTCUTS);
        QTest::newRow("no portal on the bus") << -1;
    }

    void refusalsEndAsFailed() {
        QFETCH(int, mode);
        if (mode < 0) {
            StopPortal();
        } else {
            portal_->mode = static_cast<CFakePortal::Mode>(mode);
        }
        CPortalHotKey hotKey(ProgramBus());
        QSignalSpy changed(&hotKey, &CGlobalHotKey::statusChanged);
        hotKey.SetKey(QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        QTRY_COMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_FAILED);
        QCOMPARE(changed.size(), 2);  // pending, then failed
    }

    void aKeyWithoutANameIsNotAsked() {
        CPortalHotKey hotKey(ProgramBus());
        hotKey.SetKey(QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Control)));
        QCOMPARE(hotKey.CurrentStatus(), CGlobalHotKey::HOT_KEY_UNSUPPORTED);
        QTest::qWait(50);
        QVERIFY(portal_->sessions.isEmpty());
    }
};

QTEST_GUILESS_MAIN(PortalHotKeyTest)
#include "portal_hot_key_test.moc"
