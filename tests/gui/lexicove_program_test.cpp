// The desktop program as a process: its command line (answered without a display), a lookup handed
// to the running program by a second process, and the termination signals, after which the program
// has ended the normal way with its lists and values saved.

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/version.h"
#include "db/format.h"
#include "support/cli_runner.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

QString ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

}  // namespace

class LexicoveProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        scratch_ = dir_.path().toStdString() + "/";
        program_ = BuildProgramPath("lexicove");
        QVERIFY2(QFile::exists(QString::fromStdString(program_)), program_.c_str());
        CFixtureWriter writer;
        const uint32_t walk = writer.Append("walk\nuse one's feet to advance\n");
        writer.AddWord("walk", {lcv::MakeRef(lcv::ENTRY_VERB, walk)});
        writer.AddWord("welcome", {lcv::MakeRef(lcv::ENTRY_VERB, walk)});
        database_ = dir_.filePath(QStringLiteral("fixture.lcv"));
        writer.Write(database_.toStdString());
        QVERIFY(QFile::exists(database_));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QStringLiteral("lexicove " LEXICOVE_VERSION "\n") << "";
        QTest::newRow("help") << QStringList{"--help"} << 0
                              << "Usage: lexicove [--lookup TEXT | --lookup-selection]"
                              << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "lexicove: unknown option --frobnicate";
        QTest::newRow("lookup without text") << QStringList{"--lookup"} << 2 << ""
                                             << "--lookup needs a TEXT";
        QTest::newRow("empty database path") << QStringList{"--database="} << 2 << ""
                                             << "--database needs a PATH";
        QTest::newRow("lookup and lookup-selection")
            << QStringList{"--lookup", "walk", "--lookup-selection"} << 2 << ""
            << "--lookup and --lookup-selection cannot go together";
        QTest::newRow("stray argument") << QStringList{"run"} << 2 << ""
                                        << "unexpected argument \"run\"";
    }

    // None of these needs a display: the program answers before it starts Qt.
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("QT_QPA_PLATFORM");
        std::vector<std::string> list;
        for (const QString& arg : args) {
            list.push_back(arg.toStdString());
        }
        const CliResult result = RunProgram(program_, list, scratch_);
        QCOMPARE(result.status, status);
        QVERIFY2(QString::fromStdString(result.out).startsWith(out), result.out.c_str());
        QVERIFY2(QString::fromStdString(result.err).contains(err), result.err.c_str());
        QCOMPARE(result.out.empty(), out.isEmpty());
    }

    void signalEndsTheProgramNormally_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void signalEndsTheProgramNormally() {
        QFETCH(int, signalNumber);
        const QString root = dir_.filePath(QString::number(signalNumber));
        const QString home = root + QStringLiteral("/home");
        // The runtime folder gets a short path of its own: the socket's path in it must stay
        // within 108 bytes, however long $TMPDIR is.
        CTempDir runtimeFolder;
        const QString runtime =
            QString::fromStdString(runtimeFolder.Path()) + QStringLiteral("run");
        QVERIFY(QDir().mkpath(home));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const auto& [name, value] :
             {std::pair{"LEXICOVE_HOME", home}, std::pair{"XDG_RUNTIME_DIR", runtime},
              std::pair{"XDG_CONFIG_HOME", root + QStringLiteral("/config")},
              std::pair{"LEXICOVE_DATABASE", database_},
              std::pair{"QT_QPA_PLATFORM", QStringLiteral("offscreen")}}) {
            qputenv(name, value.toLocal8Bit());
        }
        QProcess running;
        running.start(QString::fromStdString(program_), {});
        QVERIFY(running.waitForStarted());
        // Up once it listens for later starts.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(runtime).entryList(QDir::System).isEmpty(), 10000);

        const CliResult second = RunProgram(program_, {"--lookup", "walk"}, scratch_);
        QCOMPARE(second.status, 0);
        QVERIFY2(second.err.empty(), second.err.c_str());

        ::kill(static_cast<pid_t>(running.processId()), signalNumber);
        QVERIFY(running.waitForFinished(10000));
        QCOMPARE(running.exitStatus(), QProcess::NormalExit);
        QCOMPARE(running.exitCode(), 0);
        QVERIFY(ReadFile(home + QStringLiteral("/History.txt")).startsWith("walk\r\n"));
        QVERIFY(ReadFile(root + QStringLiteral("/config/Brennovale/Lexicove.conf"))
                    .contains(QStringLiteral("StartWord=walk")));
        QVERIFY(QDir(runtime).entryList(QDir::System).isEmpty());
    }

  private:
    QTemporaryDir dir_;
    std::string scratch_;
    std::string program_;
    QString database_;
};

QTEST_GUILESS_MAIN(LexicoveProgramTest)
#include "lexicove_program_test.moc"
