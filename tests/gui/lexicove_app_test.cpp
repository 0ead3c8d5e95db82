// The application object: the database failure, the single instance (a later start hands its word
// over and ends; a socket left by a crash is taken over) and the end through Close.

#include "frame/lexicove_app.h"

#include <unistd.h>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/database_locator.h"
#include "app/messages.h"
#include "app/settings_store.h"
#include "db/format.h"
#include "frame/instance_channel.h"
#include "frame/lexicove_frame.h"
#include "platform/qt_settings_store.h"
#include "support/fixture_writer.h"
#include "support/stale_socket.h"

class LexicoveAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The program folder and the settings file live in the scratch folder, so nothing of the
        // user's own is read or written.
        qputenv("LEXICOVE_HOME", dir_.filePath(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
        qunsetenv("LEXICOVE_DATABASE");

        CFixtureWriter writer;
        const uint32_t walk = writer.Append("walk\nuse one's feet to advance\n");
        const uint32_t run = writer.Append("run\nmove fast by using one's feet\n");
        writer.AddWord("run", {lcv::MakeRef(lcv::ENTRY_VERB, run)});
        writer.AddWord("walk", {lcv::MakeRef(lcv::ENTRY_VERB, walk)});
        writer.AddWord("welcome", {lcv::MakeRef(lcv::ENTRY_VERB, walk)});
        database_ = dir_.filePath(QStringLiteral("fixture.lcv")).toStdString();
        writer.Write(database_);
        QVERIFY(QFile::exists(QString::fromStdString(database_)));

        damaged_ = dir_.filePath(QStringLiteral("damaged.lcv")).toStdString();
        QFile file(QString::fromStdString(damaged_));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }

    void init() {
        name_ = dir_.filePath(QStringLiteral("instance-%1").arg(++count_));
        SetDatabaseOption(database_);
    }

    void cleanup() { SetDatabaseOption(""); }

    void databaseFailureShowsTheMessage_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << dir_.filePath(QStringLiteral("nowhere/wordnet.lcv"));
        QTest::newRow("not a database") << QString::fromStdString(damaged_);
    }

    void databaseFailureShowsTheMessage() {
        QFETCH(QString, path);
        SetDatabaseOption(path.toStdString());
        CLexicoveApp app;
        Prepare(&app);
        QVERIFY(!app.InitInstance());
        QCOMPARE(shown_, QStringList{QStringLiteral(
                             "Lexicove failed to find the database file: WordNet.lcv. Please "
                             "reinstall the software to fix the problem.")});
        QCOMPARE(app.ExitCode(), APP_EXIT_NO_DATABASE);
        QVERIFY(app.Frame() == nullptr);
        QCOMPARE(app.ExitInstance(), APP_EXIT_NO_DATABASE);
    }

    void laterStartHandsOverItsWord() {
        CLexicoveApp first;
        Prepare(&first);
        QVERIFY(first.InitInstance());
        QVERIFY(first.Frame() != nullptr);
        first.Frame()->SetView(VIEW_LOOKUP);

        CLexicoveApp second;
        Prepare(&second);
        second.SetLookupText(u"walk");
        QVERIFY(!second.InitInstance());
        QCOMPARE(second.ExitCode(), APP_EXIT_OK);
        QVERIFY(second.Frame() == nullptr);
        QTRY_COMPARE(first.Frame()->CurrentView(), VIEW_CONTENT);
        QVERIFY(shown_.isEmpty());
        first.ExitInstance();
    }

    void laterPlainStartBringsTheWindowForward() {
        CLexicoveApp first;
        Prepare(&first);
        QVERIFY(first.InitInstance());
        first.Frame()->showMinimized();
        QTRY_VERIFY(first.Frame()->isMinimized());

        CLexicoveApp second;
        Prepare(&second);
        QVERIFY(!second.InitInstance());
        QCOMPARE(second.ExitCode(), APP_EXIT_OK);
        QTRY_VERIFY(!first.Frame()->isMinimized());
        QVERIFY(first.Frame()->isVisible());
        first.ExitInstance();
    }

    void lookupTextShownAtFirstStart() {
        CLexicoveApp app;
        Prepare(&app);
        app.SetLookupText(u"run");
        QVERIFY(app.InitInstance());
        QTRY_COMPARE(app.Frame()->CurrentView(), VIEW_CONTENT);
        app.ExitInstance();
    }

    void staleSocketIsTakenOver() {
        QVERIFY(MakeStaleSocket(name_.toStdString()));
        CLexicoveApp app;
        Prepare(&app);
        QVERIFY(app.InitInstance());
        QVERIFY(app.Channel()->IsListening());
        int32_t result = 0;
        QCOMPARE(CInstanceChannel::Send(name_, COPYDATA_PICKER_SHOWN, u"", 5000, &result),
                 CInstanceChannel::SEND_ANSWERED);
        QCOMPARE(result, 1);
        app.ExitInstance();
        QVERIFY(!QFile::exists(name_));
    }

    // What a termination signal does: the window closes the normal way and its values are saved.
    void closeSavesTheState() {
        CLexicoveApp app;
        Prepare(&app);
        QVERIFY(app.InitInstance());
        QVERIFY(app.Frame()->OpenWord(u"walk", true));
        QTRY_VERIFY(!app.Frame()->IsWorkerBusy());
        app.Close();
        QTRY_VERIFY(!app.Frame()->isVisible());
        app.ExitInstance();
        CQtSettingsStore settings(CQtSettingsStore::SCOPE_USER);
        QCOMPARE(ReadIntegerOr(settings, SETTINGS_KEY, SETTING_CURRENT_VIEW, -1), VIEW_CONTENT);
        QVERIFY(ReadStringOr(settings, SETTINGS_KEY, SETTING_START_WORD, u"") == u"walk");
    }

    // A signal while a modal dialog is open over the window: the dialog ends, then the window.
    void closeEndsAnOpenDialogFirst() {
        CLexicoveApp app;
        Prepare(&app);
        QVERIFY(app.InitInstance());
        {
            QDialog dialog(app.Frame());
            QTimer::singleShot(0, &dialog, [&app] { app.Close(); });
            QCOMPARE(dialog.exec(), int{QDialog::Rejected});
        }
        QTRY_VERIFY(!app.Frame()->isVisible());
        app.ExitInstance();
    }

    void instanceNameIsPerUserAndProgramFolder() {
        const QString runtime = dir_.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        const QString inRuntime = CLexicoveApp::InstanceServerName();
        qunsetenv("XDG_RUNTIME_DIR");
        const QString inTemp = CLexicoveApp::InstanceServerName();
        QVERIFY2(inRuntime.startsWith(runtime + QStringLiteral("/BrennovaleQuickLookup-")),
                 qPrintable(inRuntime));
        QVERIFY2(inTemp.startsWith(QDir::tempPath() + QStringLiteral("/BrennovaleQuickLookup-") +
                                   QString::number(::getuid()) + QLatin1Char('-')),
                 qPrintable(inTemp));
        // Both carry the same digest of the program folder.
        QCOMPARE(inRuntime.section(QLatin1Char('-'), -1), inTemp.section(QLatin1Char('-'), -1));
    }

  private:
    void Prepare(CLexicoveApp* app) {
        shown_.clear();
        app->SetServerName(name_);
        app->SetMessageBoxHook([this](const QString& text) { shown_.append(text); });
    }

    QTemporaryDir dir_;
    std::string database_;
    std::string damaged_;
    QString name_;
    int count_ = 0;
    QStringList shown_;
};

QTEST_MAIN(LexicoveAppTest)
#include "lexicove_app_test.moc"
