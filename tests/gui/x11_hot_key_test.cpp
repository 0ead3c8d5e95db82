// The hot key and `lexicove --lookup-selection` under a real X server: the test starts its own
// Xvfb, runs the desktop program on it (xcb), selects text with xclip and presses the key with
// xdotool. What was looked up is read from the Recents file the program writes when a
// termination signal ends it. A second program on the same display finds the key taken: it
// says so once and goes on working.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/cli_runner.h"
#include "support/gui/program_process.h"
#include "support/temp_dir.h"

class X11HotKeyTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<CTempDir> runtimeRoot_;  // short: the sockets' paths stay within 108 bytes
    QString runtime_;
    QString program_;
    QString database_;
    QString xdotool_;
    QString xclip_;
    QString display_;
    QProcess xvfb_;
    QProcess selection_;  // xclip, serving the selection while a test runs
    int homes_ = 0;

    // The environment of a program of the test: the test's display, its own program folder,
    // runtime and settings folders; no session bus.
    QProcessEnvironment Environment(const QString& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "LEXICOVE_SCALE"}) {
            environment.remove(QLatin1String(name));
        }
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("LEXICOVE_HOME"), home + QStringLiteral("/home"));
        environment.insert(QStringLiteral("LEXICOVE_DATABASE"), database_);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_);
        return environment;
    }

    QString NewHome() {
        const QString home = dir_.filePath(QString::number(++homes_));
        QDir().mkpath(home + QStringLiteral("/home"));
        return home;
    }

    // Starts the desktop program and waits until its window is up (its hot key is then held).
    bool Start(QProcess& process, const QString& home, const QStringList& args = {}) {
        process.setProcessEnvironment(Environment(home));
        EndWithTheTest(process);
        process.start(program_, args);
        return process.waitForStarted() && WaitFor([&] { return !Windows(process).isEmpty(); });
    }

    // The shown windows named "Lexicove" of the process on the display.
    QStringList Windows(const QProcess& process) {
        QProcess search;
        search.setProcessEnvironment(Environment(dir_.path()));
        search.start(xdotool_, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--pid"), QString::number(process.processId()),
                                QStringLiteral("--name"), QStringLiteral("^Lexicove$")});
        search.waitForFinished();
        return QString::fromLatin1(search.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Makes text the display's selection (primary or clipboard), served by xclip until the
    // test ends.
    void Select(const QString& selection, const QString& text) {
        Stop(selection_);
        selection_.setProcessEnvironment(Environment(dir_.path()));
        selection_.setProcessChannelMode(QProcess::MergedChannels);
        EndWithTheTest(selection_);
        selection_.start(xclip_, {QStringLiteral("-selection"), selection, QStringLiteral("-quiet"),
                                  QStringLiteral("-verbose")});
        QVERIFY(selection_.waitForStarted());
        selection_.write(text.toUtf8());
        selection_.closeWriteChannel();
        QTRY_VERIFY_WITH_TIMEOUT(ServedRequests() >= 0, kProgramWaitMs);
    }

    // How many requests for the selection xclip has answered; -1 before it holds it.
    int ServedRequests() {
        served_ += QString::fromLatin1(selection_.readAll());
        if (!served_.contains(QStringLiteral("Waiting for selection requests"))) {
            return -1;
        }
        return served_.count(QStringLiteral("Waiting for selection request number")) - 1;
    }
    QString served_;

    // Presses the hot key once and waits until the program has read the selection. The program
    // holds the key before its window is shown, so one press is enough.
    bool PressHotKeyAndWaitServed() {
        QProcess key;
        key.setProcessEnvironment(Environment(dir_.path()));
        key.start(xdotool_, {QStringLiteral("key"), QStringLiteral("ctrl+alt+w")});
        if (!key.waitForFinished() || key.exitCode() != 0) {
            return false;
        }
        return WaitFor([&] { return ServedRequests() >= 1; });
    }

    // Whether a window named "Lexicove" of any process is still on the display.
    bool AnyProgramWindow() {
        QProcess search;
        search.setProcessEnvironment(Environment(dir_.path()));
        search.start(xdotool_, {QStringLiteral("search"), QStringLiteral("--name"),
                                QStringLiteral("^Lexicove$")});
        search.waitForFinished();
        return !search.readAllStandardOutput().trimmed().isEmpty();
    }

  private slots:
    void initTestCase() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        xclip_ = QStandardPaths::findExecutable(QStringLiteral("xclip"));
        if (xvfb.isEmpty() || xdotool_.isEmpty() || xclip_.isEmpty()) {
            QSKIP("Xvfb, xdotool and xclip are needed (apt-get install xvfb xdotool xclip)");
        }
        QVERIFY(dir_.isValid());
        runtimeRoot_ = std::make_unique<CTempDir>();
        runtime_ = MakeRuntimeFolder(*runtimeRoot_);
        program_ = QString::fromStdString(BuildProgramPath("lexicove"));
        QVERIFY2(QFile::exists(program_), qPrintable(program_));

        database_ = dir_.filePath(QStringLiteral("fixture.lcv"));
        WriteWalkDictionary(database_, {"ice cream", "walk", "welcome"});
        display_ = StartXvfb(xvfb, xvfb_);
        QVERIFY(!display_.isEmpty());
    }

    // The server lets a new program grab the key only once it has closed the last one's
    // connection, which happens a little after that program has ended: its windows go then.
    void cleanup() {
        Stop(selection_);
        served_.clear();
        QVERIFY(WaitFor([&] { return !AnyProgramWindow(); }));
    }

    void cleanupTestCase() {
        Stop(selection_);
        Stop(xvfb_);
    }

    void hotKeyLooksUpTheSelection_data() {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::newRow("primary, cut around the word") << "primary"
                                                      << "  (walk)!\n"
                                                      << "walk";
        QTest::newRow("clipboard when nothing is selected") << "clipboard"
                                                            << "walk"
                                                            << "walk";
        QTest::newRow("two lines read as one") << "primary"
                                               << "ice\n  cream."
                                               << "ice cream";
    }

    void hotKeyLooksUpTheSelection() {
        QFETCH(QString, selection);
        QFETCH(QString, text);
        QFETCH(QString, word);
        const QString home = NewHome();
        QProcess running;
        QVERIFY(Start(running, home));
        Select(selection, text);
        // Once the program has read the selection, its lookup is under way: a signal is handled
        // only after it.
        QVERIFY(PressHotKeyAndWaitServed());
        // Recents, newest first: the word, then the word of the day shown at the start.
        QCOMPARE(EndAndReadRecents(running, home + QStringLiteral("/home")),
                 word + QStringLiteral("\r\nwelcome\r\n"));
    }

    void lookupSelectionReachesTheRunningProgram() {
        const QString home = NewHome();
        QProcess running;
        QVERIFY(Start(running, home));
        Select(QStringLiteral("primary"), QStringLiteral("\"walk\""));
        QProcess sender;
        sender.setProcessEnvironment(Environment(home));
        sender.start(program_, {QStringLiteral("--lookup-selection")});
        QVERIFY(sender.waitForFinished(kProgramWaitMs));
        QCOMPARE(sender.exitCode(), 0);
        QCOMPARE(sender.readAllStandardError(), QByteArray());
        QCOMPARE(EndAndReadRecents(running, home + QStringLiteral("/home")),
                 QStringLiteral("walk\r\nwelcome\r\n"));
    }

    void lookupSelectionStartsTheProgram() {
        const QString home = NewHome();
        Select(QStringLiteral("primary"), QStringLiteral("walk,"));
        QProcess started;
        QVERIFY(Start(started, home, {QStringLiteral("--lookup-selection")}));
        QCOMPARE(EndAndReadRecents(started, home + QStringLiteral("/home")),
                 QStringLiteral("walk\r\nwelcome\r\n"));
    }

    void aTakenKeyIsToldOnceAndNothingBreaks() {
        const QString firstHome = NewHome();
        const QString secondHome = NewHome();  // another program folder: another instance
        QProcess first;
        QProcess second;
        QVERIFY(Start(first, firstHome));
        QVERIFY(Start(second, secondHome));
        QByteArray told;
        QVERIFY2(WaitFor([&] {
                     told += second.readAllStandardError();
                     return told.contains("is taken by another program");
                 }),
                 told.constData());
        // The second program still looks words up, and the first still holds the key.
        QProcess sender;
        sender.setProcessEnvironment(Environment(secondHome));
        sender.start(program_, {QStringLiteral("--lookup"), QStringLiteral("welcome")});
        QVERIFY(sender.waitForFinished(kProgramWaitMs));
        QCOMPARE(sender.exitCode(), 0);
        Select(QStringLiteral("primary"), QStringLiteral("walk"));
        QVERIFY(PressHotKeyAndWaitServed());
        QCOMPARE(EndAndReadRecents(first, firstHome + QStringLiteral("/home")),
                 QStringLiteral("walk\r\nwelcome\r\n"));
        told += second.readAllStandardError();
        QCOMPARE(told.count("is taken"), 1);  // told once
        QCOMPARE(EndAndReadRecents(second, secondHome + QStringLiteral("/home")),
                 QStringLiteral("welcome\r\n"));
    }
};

QTEST_GUILESS_MAIN(X11HotKeyTest)
#include "x11_hot_key_test.moc"
