// The main window as other programs reach it: a lookup sent by another program brings the
// window back from wherever it was and never puts a line break into a list file, and the
// companion word-picker, an outside program named "glimmerpad" on PATH, is offered only when
// one is installed. The picker here is a stand-in script on a PATH of the test's own.
#include <sys/stat.h>

#include <QAction>
#include <QTest>
#include <memory>
#include <string>

#include "app/messages.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"
#include "support/scoped_environment.h"

class FrameProgramsTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    QStringList errors_;

    std::string Home(const char* name) const { return home_.Path() + name; }

    // A stand-in picker: notes each start's arguments and the socket it was given.
    void InstallPicker(const std::string& bin) {
        const std::string script =
            "#!/bin/sh\necho \"[$*] $LEXICOVE_INSTANCE\" >> '" + home_.Path() + "picker.log'\n";
        const std::string file =
            home_.WriteFile(bin.substr(home_.Path().size()) + "glimmerpad", script);
        QCOMPARE(chmod(file.c_str(), 0755), 0);
    }

    QString PickerLog() const {
        return QString::fromStdString(ReadWholeFile(home_.Path() + "picker.log"));
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        CFixtureWriter writer;
        for (const char* word : {"ice cream", "walk", "welcome"}) {
            writer.AddWord(word);
        }
        const std::string path = home_.Path() + "wordnet.lcv";
        writer.Write(path);
        database_ = std::make_unique<CDictionaryDatabase>();
        QVERIFY(database_->Open(path.c_str()));
    }

    void init() {
        std::remove(Home("History.txt").c_str());
        std::remove(Home("picker.log").c_str());
        ClearSettings();
        errors_.clear();
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        frame_->SetInstanceName(QStringLiteral("/run/test/BrennovaleQuickLookup"));
        QVERIFY(ShowFrame(frame_.get()));
        QTRY_VERIFY(!frame_->RenderWorker()->IsBusy());
    }

    void cleanup() { CloseFrame(); }

    void lookupBringsTheWindowBack_data() {
        QTest::addColumn<bool>("minimised");
        QTest::newRow("minimised") << true;
        QTest::newRow("hidden") << false;
    }

    void lookupBringsTheWindowBack() {
        QFETCH(bool, minimised);
        if (minimised) {
            frame_->showMinimized();
            QTRY_VERIFY(frame_->isMinimized());
        } else {
            frame_->hide();
        }
        QCOMPARE(frame_->OnCopyData(COPYDATA_LOOKUP, u"walk"), intptr_t(1));
        QVERIFY(frame_->isVisible());
        QVERIFY(!frame_->isMinimized());
        QCOMPARE(frame_->CurrentWord(), std::string("walk"));
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
    }

    // White space that spans lines reads as one space: a word broken over two lines is found,
    // and Recents, written to History.txt, keeps one line per word.
    void lookupTextSpanningLinesIsReadAsOneLine_data() {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("found");
        QTest::newRow("CR LF inside") << "ice\r\ncream"
                                      << "ice cream";
        QTest::newRow("LF and tab inside") << "ice \n\tcream"
                                           << "ice cream";
        QTest::newRow("line breaks around") << "\r\nwalk\n"
                                            << "walk";
        QTest::newRow("a lone CR") << "ice\rcream"
                                   << "ice cream";
    }

    void lookupTextSpanningLinesIsReadAsOneLine() {
        QFETCH(QString, sent);
        QFETCH(QString, found);
        frame_->OnCopyData(COPYDATA_LOOKUP, sent.toStdU16String());
        QCOMPARE(errors_, QStringList());
        QCOMPARE(QString::fromStdString(frame_->CurrentWord()), found);
        QTRY_VERIFY(!frame_->RenderWorker()->IsBusy());
        CloseFrame();
        // Behind it, the word of the day the window opened with.
        QCOMPARE(QString::fromStdString(ReadWholeFile(Home("History.txt"))),
                 found + QStringLiteral("\r\nwelcome\r\n"));
    }

    // A text that is not found goes to the "Look up:" box on one line.
    void unknownTextSpanningLinesGoesToTheBoxOnOneLine() {
        frame_->OnCopyData(COPYDATA_LOOKUP, u"walk\r\nthe dog");
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(frame_->LookupEdit()->text(), QStringLiteral("walk the dog"));
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
    }

    void pickerNotInstalledIsNotOffered() {
        CScopedEnvironment environment;
        environment.Set("PATH", home_.MakeDir("empty-bin"));
        frame_->UpdateCommandStates();
        QAction* action = frame_->Action(ID_SHOW_GLIMMERPAD);
        QVERIFY(!action->isVisible());
        QVERIFY(!action->isEnabled());
        frame_->RunCommand(ID_SHOW_GLIMMERPAD);
        QTest::qWait(200);
        QCOMPARE(errors_, QStringList());
        QCOMPARE(PickerLog(), QString());
    }

    // Started when its window is not up, asked to close when the picker reports it up; the
    // picker learns the socket to report to. The check mark follows the reports.
    void pickerIsStartedAndClosed() {
        CScopedEnvironment environment;
        const std::string bin = home_.MakeDir("bin");
        InstallPicker(bin);
        environment.Set("PATH", bin + ":/usr/bin:/bin");
        frame_->UpdateCommandStates();
        QAction* action = frame_->Action(ID_SHOW_GLIMMERPAD);
        QVERIFY(action->isVisible());
        QVERIFY(action->isEnabled());
        QVERIFY(!action->isChecked());

        frame_->RunCommand(ID_SHOW_GLIMMERPAD);
        const QString started = QStringLiteral("[] /run/test/BrennovaleQuickLookup\n");
        QTRY_COMPARE(PickerLog(), started);
        frame_->OnCopyData(COPYDATA_PICKER_SHOWN, u"");
        QVERIFY(action->isChecked());

        frame_->RunCommand(ID_SHOW_GLIMMERPAD);
        QTRY_COMPARE(PickerLog(),
                     started + QStringLiteral("[--close] /run/test/BrennovaleQuickLookup\n"));
        QVERIFY(action->isChecked());  // until the picker reports its window gone
        frame_->OnCopyData(COPYDATA_PICKER_HIDDEN, u"");
        QVERIFY(!action->isChecked());
        QCOMPARE(errors_, QStringList());
    }
};

QTEST_MAIN(FrameProgramsTest)
#include "frame_programs_test.moc"
