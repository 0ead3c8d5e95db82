// Reading aloud from the main window: Read and "Speech Volume" are enabled exactly while a
// speech engine is registered (the menu items, the Content view's Read button and the
// selection menu's Read); Read speaks the selection, else the current word; "Speech Volume"
// opens the dialog, modal, on the frame. The engine is the recording library of the speech
// tests and the player a counting stand-in, so no sound device is needed.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <memory>
#include <string>

#include "app/code_page.h"
#include "app/database_locator.h"
#include "app/memory_settings_store.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_app.h"
#include "frame/lexicove_frame.h"
#include "platform/qt_settings_store.h"
#include "render/render_worker.h"
#include "speech/engine/recording_engine_client.h"
#include "speech/gui/speech_volume_dlg.h"
#include "speech/speech_engine.h"
#include "speech/wave_player.h"
#include "support/counting_player.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/html_display.h"
#include "ui/html_hook.h"

namespace {

// How the speech engine's key is set up for a case.
enum Registration { REGISTERED, NO_VALUE, EMPTY_PATH, NO_ENGINE_OBJECT };

bool MenuHasRead(const QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == ID_READ) {
            return true;
        }
    }
    return false;
}

}  // namespace

Q_DECLARE_METATYPE(Registration)

class FrameSpeechTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    CMemorySettingsStore machine_;
    CCountingPlayer player_;
    CRecordingEngineClient client_{RECORDING_ENGINE_PATH};
    std::unique_ptr<CSpeechEngine> engine_;
    QStringList errors_;
    std::string databasePath_;

    void MakeFrame(Registration registration) {
        machine_ = CMemorySettingsStore();
        if (registration == REGISTERED) {
            machine_.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL,
                                 QString::fromUtf8(RECORDING_ENGINE_PATH).toStdU16String());
        } else if (registration == EMPTY_PATH) {
            machine_.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, u"");
        }
        engine_ = std::make_unique<CSpeechEngine>(&machine_, &player_);
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        if (registration != NO_ENGINE_OBJECT) {
            frame_->SetSpeechEngine(engine_.get());
        }
        QVERIFY(ShowFrame(frame_.get()));
        QTRY_VERIFY(!frame_->RenderWorker()->IsBusy());
        client_.Reset();
    }

    CHtmlDisplay* Display() const { return frame_->ContentView()->Display(); }

    // Puts text on the display as a page would and selects all of it.
    void SelectText(const std::u16string& text) {
        Display()->setPlainText(QString::fromStdU16String(text));
        Display()->SelectAll();
        std::u16string selection;
        QVERIFY(Display()->GetSelectionText(&selection));
        QCOMPARE(selection, text);
    }

  private slots:
    void initTestCase() {
        QVERIFY(client_.Loaded());
        SetUpHome();
        qputenv("TMPDIR", QByteArray::fromStdString(home_.Path()));
        // The program's settings files: the user's and the machine-wide one, both in here.
        const QString home = QString::fromStdString(home_.Path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home + "/config");
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, home + "/system");
        CFixtureWriter writer;
        for (const char* word : {"aloud", "read", "welcome"}) {
            writer.AddWord(word);
        }
        const std::string path = home_.Path() + "/wordnet.lcv";
        writer.Write(path);
        databasePath_ = path;
        database_ = std::make_unique<CDictionaryDatabase>();
        QVERIFY(database_->Open(path.c_str()));
    }

    void init() {
        ClearSettings();
        errors_.clear();
        player_.played = 0;
    }

    void cleanup() {
        CloseFrame();
        engine_.reset();
    }

    void commandsFollowTheEngine_data() {
        QTest::addColumn<Registration>("registration");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("registered") << REGISTERED << true;
        QTest::newRow("no DLL value") << NO_VALUE << false;
        QTest::newRow("an empty DLL value") << EMPTY_PATH << false;
        QTest::newRow("no speech engine at all") << NO_ENGINE_OBJECT << false;
    }

    void commandsFollowTheEngine() {
        QFETCH(Registration, registration);
        QFETCH(bool, enabled);
        MakeFrame(registration);
        frame_->SetView(VIEW_CONTENT);
        frame_->UpdateCommandStates();
        QCOMPARE(frame_->Action(ID_READ)->isEnabled(), enabled);
        QCOMPARE(frame_->Action(ID_SPEECH_VOLUME)->isEnabled(), enabled);
        QCOMPARE(frame_->ReadButton().State() != CHeaderButton::STATE_DISABLED, enabled);
        QCOMPARE(frame_->SpeechAvailable(), enabled);
        // The selection menu offers Read only with the engine, greyed without a selection.
        Display()->SelectAll();
        std::unique_ptr<QMenu> menu = frame_->ContentView()->Hook()->CreateMenu();
        QCOMPARE(MenuHasRead(*menu), enabled);

        // Disabled commands that arrive anyway (posted by an old menu) do nothing.
        if (!enabled) {
            bool dialogSeen = false;
            QTimer::singleShot(0, this, [&dialogSeen] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    dialogSeen = true;
                    modal->close();
                }
            });
            frame_->RunCommand(ID_SPEECH_VOLUME);
            frame_->RunCommand(ID_READ);
            QCoreApplication::processEvents();
            QVERIFY(!dialogSeen);
            QCOMPARE(client_.Log(), std::string());
        }
    }

    void readSpeaksTheCurrentWordThroughTheEngine() {
        MakeFrame(REGISTERED);
        QCOMPARE(frame_->CurrentWord(), std::string("welcome"));
        Display()->setTextCursor(QTextCursor(Display()->document()));  // nothing selected
        frame_->RunCommand(ID_READ);
        QCOMPARE(client_.Log(), std::string("open\nscale 0\nspeech 7:welcome\n"));
        // Loaded once: the next Read only speaks.
        client_.Reset();
        frame_->RunCommand(ID_READ);
        QCOMPARE(client_.Log(), std::string("speech 7:welcome\n"));
        QVERIFY(errors_.isEmpty());
    }

    // A Word Links page's text "word:N" is read as its word.
    void readOnAWordLinksPageSpeaksTheWord() {
        MakeFrame(REGISTERED);
        QVERIFY(frame_->ShowWord("read:1", false));
        QTRY_VERIFY(!frame_->RenderWorker()->IsBusy());
        QCOMPARE(frame_->CurrentWord(), std::string("read:1"));
        frame_->RunCommand(ID_READ);
        QCOMPARE(client_.Log(), std::string("open\nscale 0\nspeech 4:read\n"));
    }

    // A selection is read whatever view is shown, in the 8-bit code page.
    void readSpeaksTheSelection() {
        MakeFrame(REGISTERED);
        frame_->SetView(VIEW_LOOKUP);
        SelectText(u"caf\u00e9 au lait");
        frame_->RunCommand(ID_READ);
        QCOMPARE(client_.Log(), std::string("open\nscale 0\nspeech 12:caf\xe9 au lait\n"));
    }

    // A selection longer than the engine takes is passed cut to its first 512 bytes.
    void aLongSelectionIsCut() {
        MakeFrame(REGISTERED);
        std::u16string text;
        for (int i = 0; i < 600; ++i) {
            text += static_cast<char16_t>(u'a' + i % 26);
        }
        SelectText(text);
        frame_->RunCommand(ID_READ);
        const std::string bytes = Utf16ToCodePage(text).substr(0, SPEECH_TEXT_LIMIT);
        QCOMPARE(client_.Log(), "open\nscale 0\nspeech 512:" + bytes + "\n");
    }

    // The Read button of the Content view's band gives the Read command.
    void theReadButtonReads() {
        MakeFrame(REGISTERED);
        frame_->SetView(VIEW_CONTENT);
        Display()->setTextCursor(QTextCursor(Display()->document()));
        const QPoint centre = frame_->ReadButton().Rect().center();
        QTest::mouseClick(frame_->Client(), Qt::LeftButton, Qt::NoModifier, centre);
        QTRY_COMPARE(client_.Log(), std::string("open\nscale 0\nspeech 7:welcome\n"));
    }

    // The selection menu's Read goes to the frame as a posted command.
    void theSelectionMenusReadReads() {
        MakeFrame(REGISTERED);
        frame_->SetView(VIEW_CONTENT);
        SelectText(u"aloud");
        frame_->ContentView()->Hook()->RunCommand(CHtmlHook::ID_READ);
        QCOMPARE(client_.Log(), std::string());  // posted: the frame reads on its next turn
        QTRY_COMPARE(client_.Log(), std::string("open\nscale 0\nspeech 5:aloud\n"));
    }

    // "Speech Volume" opens the dialog, modal, with the frame as its parent; its OK changes
    // the engine's volume in memory.
    void speechVolumeOpensTheDialogOnTheFrame() {
        MakeFrame(REGISTERED);
        CSpeechVolumeDlg* seen = nullptr;
        bool modal = false;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, this, [&] {
            seen = qobject_cast<CSpeechVolumeDlg*>(QApplication::activeModalWidget());
            if (seen != nullptr) {
                modal = seen->isModal();
                parent = seen->parentWidget();
                seen->CustomVolumeButton()->click();
                seen->VolumeSlider()->setValue(98304);
                seen->accept();
            }
        });
        frame_->RunCommand(ID_SPEECH_VOLUME);
        QVERIFY(seen != nullptr);
        QVERIFY(modal);
        QCOMPARE(parent, static_cast<QWidget*>(frame_.get()));
        QCOMPARE(engine_->Volume(), 1.5f);
        QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(nullptr));
    }

    // The whole program: an engine registered machine-wide is read from the system's settings
    // file, Read goes through it, and at the end the engine is closed and its volume and flag
    // are stored in the user's file.
    void theProgramReadsWithTheMachineWideEngine() {
        const QString home = QString::fromStdString(home_.Path());
        {
            CQtSettingsStore system(CQtSettingsStore::SCOPE_USER,
                                    home + "/system/Brennovale/Lexicove.conf", QString());
            QVERIFY(system.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL,
                                       QString::fromUtf8(RECORDING_ENGINE_PATH).toStdU16String()));
        }
        SetDatabaseOption(databasePath_);
        client_.Reset();
        CLexicoveApp app;
        app.SetServerName(home + "/instance");
        QStringList shown;
        app.SetMessageBoxHook([&shown](const QString& text) { shown << text; });
        QVERIFY(app.InitInstance());
        CLexicoveFrame* frame = app.Frame();
        QTRY_VERIFY(!frame->RenderWorker()->IsBusy());
        frame->UpdateCommandStates();
        QVERIFY(frame->Action(ID_READ)->isEnabled());
        QVERIFY(frame->Action(ID_SPEECH_VOLUME)->isEnabled());
        frame->ContentView()->Display()->setTextCursor(
            QTextCursor(frame->ContentView()->Display()->document()));
        frame->RunCommand(ID_READ);
        QCOMPARE(client_.Log(), std::string("open\nscale 0\nspeech 7:welcome\n"));
        app.ExitInstance();
        SetDatabaseOption("");
        QCOMPARE(client_.Log(), std::string("open\nscale 0\nspeech 7:welcome\nclose\n"));
        QVERIFY(shown.isEmpty());
        CQtSettingsStore user(CQtSettingsStore::SCOPE_USER,
                              home + "/config/Brennovale/Lexicove.conf", QString());
        QCOMPARE(ReadIntegerOr(user, SPEECH_ENGINE_KEY, SPEECH_VOLUME, -1), 0);
        QCOMPARE(ReadIntegerOr(user, SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, -1), 0);
        std::u16string dll;
        QVERIFY(!user.ReadString(SPEECH_ENGINE_KEY, SPEECH_DLL, &dll));  // stays machine-wide
    }
};

QTEST_MAIN(FrameSpeechTest)
#include "frame_speech_test.moc"
