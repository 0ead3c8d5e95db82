// `lexicove --lookup-selection` on a real Wayland compositor: the test starts Xvfb and Weston on
// it (Weston's X11 back end gives it a seat and a keyboard), runs the desktop program on Wayland
// itself, copies text with wl-copy and sends the selection from a second start of the program.
// That second program never has a window, so the compositor never tells it of the selection:
// the text reaches it only through wl-paste. What was looked up is read from the Recents file
// the program writes when a termination signal ends it.

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/cli_runner.h"
#include "support/gui/program_process.h"
#include "support/temp_dir.h"

namespace {

constexpr char kSocket[] = "lexicove-test";

bool QtHasWayland() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*")}).isEmpty();
}

}  // namespace

class WaylandSelectionTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<CTempDir> runtimeRoot_;  // short: the sockets' paths stay within 108 bytes
    QString runtime_;
    QString program_;
    QString database_;
    QString wlCopy_;
    QString wlPaste_;
    QProcess xvfb_;
    QProcess weston_;
    QProcess copy_;  // wl-copy, serving the clipboard while a test runs
    int homes_ = 0;

    // The environment of a program of the test: the compositor, its own program folder and
    // settings folder; no X display and no session bus, so nothing can take another way.
    QProcessEnvironment Environment(const QString& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "LEXICOVE_SCALE"}) {
            environment.remove(QLatin1String(name));
        }
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QLatin1String(kSocket));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        environment.insert(QStringLiteral("LEXICOVE_HOME"), home + QStringLiteral("/home"));
        environment.insert(QStringLiteral("LEXICOVE_DATABASE"), database_);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        return environment;
    }

    QString NewHome() {
        const QString home = dir_.filePath(QString::number(++homes_));
        QDir().mkpath(home + QStringLiteral("/home"));
        return home;
    }

    // The instance channels' sockets in the runtime folder: a program answers senders once
    // its own is there.
    QStringList InstanceSockets() const {
        return QDir(runtime_).entryList({QStringLiteral("BrennovaleQuickLookup*")}, QDir::System);
    }

    // Puts text on the clipboard, served by wl-copy until the test ends, and waits until the
    // compositor hands it out.
    void Copy(const QString& text) {
        Stop(copy_);
        copy_.setProcessEnvironment(Environment(dir_.path()));
        EndWithTheTest(copy_);
        copy_.start(wlCopy_, {QStringLiteral("--foreground"), QStringLiteral("--"), text});
        QVERIFY(copy_.waitForStarted());
        QVERIFY(WaitFor([&] { return Pasted() == text; }));
    }

    QString Pasted() {
        QProcess paste;
        paste.setProcessEnvironment(Environment(dir_.path()));
        paste.start(wlPaste_, {QStringLiteral("--no-newline")});
        paste.waitForFinished();
        return QString::fromUtf8(paste.readAllStandardOutput());
    }

    void Start(QProcess& process, const QString& home, const QStringList& args = {}) {
        const QStringList before = InstanceSockets();
        process.setProcessEnvironment(Environment(home));
        EndWithTheTest(process);
        process.start(program_, args);
        QVERIFY(process.waitForStarted());
        QVERIFY(WaitFor([&] { return InstanceSockets().size() > before.size(); }));
    }

  private slots:
    void initTestCase() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        wlCopy_ = QStandardPaths::findExecutable(QStringLiteral("wl-copy"));
        wlPaste_ = QStandardPaths::findExecutable(QStringLiteral("wl-paste"));
        if (xvfb.isEmpty() || weston.isEmpty() || wlCopy_.isEmpty() || !QtHasWayland()) {
            QSKIP(
                "Xvfb, Weston, wl-clipboard and Qt's Wayland plugin are needed (apt-get "
                "install xvfb weston wl-clipboard qt6-wayland)");
        }
        QVERIFY(dir_.isValid());
        runtimeRoot_ = std::make_unique<CTempDir>();
        runtime_ = MakeRuntimeFolder(*runtimeRoot_);
        program_ = QString::fromStdString(BuildProgramPath("lexicove"));
        QVERIFY2(QFile::exists(program_), qPrintable(program_));

        database_ = dir_.filePath(QStringLiteral("fixture.lcv"));
        WriteWalkDictionary(database_, {"walk", "welcome"});
        // An X server for Weston's window.
        const QString display = StartXvfb(xvfb, xvfb_);
        QVERIFY(!display.isEmpty());

        QProcessEnvironment environment = Environment(dir_.path());
        environment.insert(QStringLiteral("DISPLAY"), display);
        weston_.setProcessEnvironment(environment);
        weston_.setProcessChannelMode(QProcess::MergedChannels);
        EndWithTheTest(weston_);
        weston_.start(weston, {QStringLiteral("--backend=x11-backend.so"),
                               QStringLiteral("--socket=") + QLatin1String(kSocket),
                               QStringLiteral("--use-pixman"), QStringLiteral("--no-config"),
                               QStringLiteral("--idle-time=0"), QStringLiteral("--width=1000"),
                               QStringLiteral("--height=700")});
        QVERIFY(weston_.waitForStarted());
        QVERIFY2(WaitFor([&] { return QFile::exists(runtime_ + QLatin1Char('/') + kSocket); }),
                 weston_.readAll().constData());
    }

    void cleanup() { Stop(copy_); }

    void cleanupTestCase() {
        Stop(copy_);
        Stop(weston_);
        Stop(xvfb_);
    }

    void lookupSelectionReachesTheRunningProgram() {
        const QString home = NewHome();
        QProcess running;
        Start(running, home);
        Copy(QStringLiteral("(walk)"));
        QProcess sender;
        sender.setProcessEnvironment(Environment(home));
        sender.start(program_, {QStringLiteral("--lookup-selection")});
        QVERIFY(sender.waitForFinished(kProgramWaitMs));
        const QByteArray told = sender.readAllStandardError();
        QVERIFY2(sender.exitCode() == 0 && told.isEmpty(), told.constData());
        QCOMPARE(EndAndReadRecents(running, home + QStringLiteral("/home")),
                 QStringLiteral("walk\r\nwelcome\r\n"));
    }

    void lookupSelectionStartsTheProgram() {
        const QString home = NewHome();
        Copy(QStringLiteral("walk,"));
        QProcess started;
        Start(started, home, {QStringLiteral("--lookup-selection")});
        QCOMPARE(EndAndReadRecents(started, home + QStringLiteral("/home")),
                 QStringLiteral("walk\r\nwelcome\r\n"));
    }
};

QTEST_GUILESS_MAIN(WaylandSelectionTest)
#include "wayland_selection_test.moc"
