// The main window's study assistance on a fixture dictionary: the day check of the daily timer
// and the work it posts, the new Study List words from the dictionary or a word-list file, the
// word of the day in the Lookup view, and the Options dialog opened by its command.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/memory_settings_store.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/hot_key_service.h"
#include "frame/lexicove_frame.h"
#include "lists/gui/word_list_box.h"
#include "options/gui/hot_key_edit.h"
#include "options/gui/options_dialog.h"
#include "options/random_word_source.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"

namespace {

// 2,000 words "aaa" to "tjj": nearly every random draw lands on one.
std::vector<std::string> DictionaryWords() {
    std::vector<std::string> words;
    for (char a = 'a'; a <= 't'; ++a) {
        for (char b = 'a'; b <= 'j'; ++b) {
            for (char c = 'a'; c <= 'j'; ++c) {
                words.push_back(std::string{a, b, c});
            }
        }
    }
    return words;
}

// The draws run on a clock that steps by one per draw, so that a run of draws can be replayed.
uint32_t g_clock = 0;

uint32_t SteppingClock() {
    return ++g_clock;
}

const int32_t kToday = COptionsRecord::MakeDayStamp(2026, 12, 10);
const int32_t kTomorrow = COptionsRecord::MakeDayStamp(2026, 12, 11);

}  // namespace

class FrameStudyTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    std::string databasePath_;
    QStringList errors_;
    int32_t today_ = kToday;

    std::string Home(const char* name) const { return home_.Path() + name; }

    void MakeFrame(QSize size = QSize(240, 320)) {
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        frame_->StudyAssistant().SetDayStampSource([this] { return today_; });
        QVERIFY(ShowFrame(frame_.get(), size));
        WaitIdle();
        errors_.clear();  // the fixture has no "welcome", the first word of the day
    }

    void WaitIdle() { QTRY_VERIFY(!frame_->RenderWorker()->IsBusy()); }
    void Deliver() { QCoreApplication::processEvents(); }

    bool Stored(std::u16string* word) const {
        return settings_.ReadString(SETTINGS_KEY, SETTING_WORD_THE_DAY, word);
    }
    // The day stamp of the saved options record, or -1 when none is saved.
    int32_t SavedDayStamp() const {
        std::vector<uint8_t> bytes;
        if (!settings_.ReadBinary(SETTINGS_KEY, SETTING_OPTIONS, &bytes) ||
            bytes.size() != OPTIONS_RECORD_SIZE) {
            return -1;
        }
        COptionsRecord saved;
        CMemorySettingsStore store;
        store.WriteBinary(SETTINGS_KEY, SETTING_OPTIONS, bytes);
        saved.LoadOptions(store);
        return saved.DayStamp();
    }

    // The words that draws from a fresh database give on the same clock: what the frame's
    // database, fresh in every test, draws in the same steps.
    std::vector<std::string> Replay(uint32_t clock, int draws, const std::u16string& source) {
        CDictionaryDatabase replay;
        if (!replay.Open(databasePath_.c_str())) {
            return {};
        }
        replay.SetTimeSource(SteppingClock);
        g_clock = clock;
        CRandomWordSource words(&replay);
        std::vector<std::string> drawn;
        std::string word;
        if (words.Open(home_.Path(), source)) {
            for (int i = 0; i < draws && words.Draw(&word); ++i) {
                drawn.push_back(word);
            }
        }
        return drawn;
    }

    static std::vector<std::string> Items(const CWordList& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.Count(); ++i) {
            items.push_back(list.At(i));
        }
        return items;
    }

    void Fill(CWordList& list, int count) {
        for (int i = 0; i < count; ++i) {
            list.Add(("entry" + std::to_string(i)).c_str());
        }
    }

    // Acts on the Options dialog once the Options command has it open, inside its event loop.
    void OnDialog(std::function<void(COptionsDialog*)> act) {
        auto* timer = new QTimer(this);
        timer->setInterval(5);
        connect(timer, &QTimer::timeout, this, [this, timer, act] {
            auto* dialog = frame_->findChild<COptionsDialog*>();
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            timer->stop();
            timer->deleteLater();
            act(dialog);
            if (dialog->isVisible()) {
                dialog->reject();  // a failed check above must not leave the dialog open
            }
        });
        timer->start();
    }

    static void Press(COptionsDialog* dialog, QDialogButtonBox::StandardButton which) {
        dialog->findChild<QDialogButtonBox*>()->button(which)->click();
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        CFixtureWriter writer;
        for (const std::string& word : DictionaryWords()) {
            writer.AddWord(word);
        }
        databasePath_ = Home("wordnet.lcv");
        writer.Write(databasePath_);
        // A word list of words that are not in the dictionary, and a file that is no word list.
        std::vector<std::string> listed;
        for (const std::string& word : DictionaryWords()) {
            listed.push_back(word + "x");
        }
        std::string error;
        QVERIFY(CDatabaseWriter::WriteWordList(listed, Home("words.dwg"), &error));
        home_.WriteFile("damaged.dwg", "this is not a word trie");
    }

    void init() {
        ClearSettings();
        RemoveListFiles();
        GetOptionsRecord() = COptionsRecord();
        errors_.clear();
        today_ = kToday;
        database_ = std::make_unique<CDictionaryDatabase>();
        QVERIFY(database_->Open(databasePath_.c_str()));
        database_->SetTimeSource(SteppingClock);
        g_clock = 0;
        MakeFrame();
    }

    void cleanup() {
        CloseFrame();
        database_.reset();
    }

    void theDailyTimerRunsTheDayCheck() {
        QVERIFY(frame_->DailyTimer().isActive());
        QCOMPARE(frame_->DailyTimer().interval(), 60000);
        // Nothing is done at start-up itself: the first check comes with the first tick.
        QCOMPARE(SavedDayStamp(), -1);
        QCOMPARE(frame_->StudyList().Count(), 0);
    }

    void firstCheckAfterAFreshStart_data() {
        QTest::addColumn<bool>("addStudyWords");
        QTest::addColumn<bool>("showRandomWords");
        QTest::newRow("study words and word of the day") << true << true;
        QTest::newRow("study words without random words") << true << false;
        QTest::newRow("word of the day only") << false << true;
        QTest::newRow("neither") << false << false;
    }

    void firstCheckAfterAFreshStart() {
        QFETCH(bool, addStudyWords);
        QFETCH(bool, showRandomWords);
        GetOptionsRecord().SetAddStudyWords(addStudyWords);
        GetOptionsRecord().SetShowRandomWords(showRandomWords);
        frame_->SelectTab(LIST_STUDY);
        Deliver();
        const std::u16string before = frame_->WordOfTheDay();
        QCOMPARE(GetOptionsRecord().DayStamp(), 0);

        frame_->CheckDay();
        // The day is stored and saved at once; the work runs after the tick.
        QCOMPARE(GetOptionsRecord().DayStamp(), kToday);
        QCOMPARE(SavedDayStamp(), kToday);
        QCOMPARE(frame_->StudyList().Count(), 0);
        std::u16string stored;
        QVERIFY(!Stored(&stored));

        Deliver();
        Deliver();
        const int added = frame_->StudyList().Count();
        if (addStudyWords) {
            QVERIFY(added >= 1 && added <= 5);
            QCOMPARE(ReadWholeFile(Home("StudyList.txt")).empty(), false);
            QCOMPARE(frame_->ListBox()->count(), added);  // the shown tab is refilled
        } else {
            QCOMPARE(added, 0);
        }
        QCOMPARE(Stored(&stored), showRandomWords);
        if (showRandomWords) {
            QCOMPARE(stored, frame_->WordOfTheDay());
            QVERIFY(!stored.empty());
        } else {
            QCOMPARE(frame_->WordOfTheDay(), before);
        }
        QVERIFY(errors_.isEmpty());
    }

    void studyWordsComeBeforeTheWordOfTheDay() {
        GetOptionsRecord().SetAddStudyWords(true);
        g_clock = 500;
        frame_->CheckDay();
        Deliver();
        Deliver();
        // Five draws for the Study List, then the sixth for the word of the day.
        std::vector<std::string> draws = Replay(500, 6, u"");
        QCOMPARE(draws.size(), size_t(6));
        CWordList expected;
        for (int i = 0; i < 5; ++i) {
            expected.Add(draws[i].c_str());
        }
        QCOMPARE(Items(frame_->StudyList()), Items(expected));
        QCOMPARE(frame_->WordOfTheDay(), std::u16string(draws[5].begin(), draws[5].end()));
    }

    void aChangedDateActsAgainAndChangingItBackActsAgain() {
        GetOptionsRecord().SetAddStudyWords(true);
        GetOptionsRecord().SetStudyWordCount(1);
        struct Step {
            int32_t day;
            bool acts;
        };
        const Step steps[] = {{kToday, true},     {kToday, false}, {kTomorrow, true},
                              {kTomorrow, false}, {kToday, true},  {kToday, false}};
        for (const Step& step : steps) {
            today_ = step.day;
            settings_.DeleteValue(SETTINGS_KEY, SETTING_WORD_THE_DAY);
            frame_->StudyList().Clear();
            frame_->CheckDay();
            Deliver();
            Deliver();
            std::u16string stored;
            QCOMPARE(Stored(&stored), step.acts);
            QCOMPARE(frame_->StudyList().Count(), step.acts ? 1 : 0);
            QCOMPARE(SavedDayStamp(), step.day);
        }
    }

    void aFullStudyListGetsNoWords_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("receives");
        QTest::newRow("256 entries") << 256 << true;
        QTest::newRow("257 entries") << 257 << false;
    }

    void aFullStudyListGetsNoWords() {
        QFETCH(int, entries);
        QFETCH(bool, receives);
        GetOptionsRecord().SetAddStudyWords(true);
        GetOptionsRecord().SetShowRandomWords(false);
        QVERIFY(GetOptionsRecord().SetStudyWordCount(9));
        Fill(frame_->StudyList(), entries);
        // The daily check, then "Add Now" as the Options dialog sends it: after the day's
        // nine words a list of 256 holds more than 256 and takes no more.
        g_clock = 700;
        frame_->CheckDay();
        Deliver();
        Deliver();
        std::u16string dictionary;
        frame_->SendMessage(WM_ADD_STUDY_WORDS, 9, reinterpret_cast<intptr_t>(dictionary.c_str()));
        CWordList expected;
        Fill(expected, entries);
        if (receives) {
            for (const std::string& word : Replay(700, 9, u"")) {
                expected.Add(word.c_str());
            }
            QCOMPARE(expected.Count(), entries + 9);
        }
        QCOMPARE(Items(frame_->StudyList()), Items(expected));
        // Nothing happened: not even the list file was written.
        QCOMPARE(ReadWholeFile(Home("StudyList.txt")).empty(), !receives);
    }

    void aTapShowsTheWordOfTheDayAndRecordsIt() {
        CloseFrame();
        settings_.WriteString(SETTINGS_KEY, SETTING_WORD_THE_DAY, u"bcd");
        settings_.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"fgh");
        MakeFrame();
        QCOMPARE(frame_->WordOfTheDay(), std::u16string(u"bcd"));
        frame_->Recents().Clear();
        frame_->SelectTab(LIST_RECENTS);
        Deliver();
        QWidget* client = frame_->Client();
        const QPoint area = frame_->Layout().WordOfTheDayArea().center();
        QTest::mouseClick(client, Qt::LeftButton, {}, area);
        Deliver();
        WaitIdle();
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("bcd"));
        QCOMPARE(Items(frame_->Recents()), std::vector<std::string>{"bcd"});
        // The next word is drawn and stored at once; the area shows it when the view is back.
        std::u16string stored;
        QVERIFY(Stored(&stored));
        QCOMPARE(stored, frame_->WordOfTheDay());
        QVERIFY(stored != u"bcd");
        frame_->SetView(VIEW_LOOKUP);
        // Held: another word, and nothing is opened.
        const std::u16string tapped = frame_->WordOfTheDay();
        frame_->WordOfTheDayButton().SetHoldInterval(20);
        QTest::mousePress(client, Qt::LeftButton, {}, area);
        QTRY_VERIFY(frame_->WordOfTheDay() != tapped);
        QTest::mouseRelease(client, Qt::LeftButton, {}, area);
        Deliver();
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentWord(), std::string("bcd"));
        QCOMPARE(frame_->Recents().Count(), 1);
        QVERIFY(errors_.isEmpty());
    }

    void theWordOfTheDayIsDrawnInTheLookupView() {
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        const QRect area = frame_->Layout().WordOfTheDayArea();
        const QRect label = frame_->Layout().RandomWordLabel();
        const QImage shown = frame_->Client()->grab(area.united(label)).toImage();
        frame_->RunCommand(ID_WORD_OF_THE_DAY, COMMAND_HELD);
        const QImage next = frame_->Client()->grab(area.united(label)).toImage();
        QVERIFY(frame_->WordOfTheDay() != u"welcome");
        QVERIFY(next != shown);
        // Off: neither the label nor the word is drawn, and the command draws nothing.
        GetOptionsRecord().SetShowRandomWords(false);
        const std::u16string word = frame_->WordOfTheDay();
        frame_->RunCommand(ID_WORD_OF_THE_DAY, COMMAND_HELD);
        frame_->RunCommand(ID_WORD_OF_THE_DAY, 0);
        QCOMPARE(frame_->WordOfTheDay(), word);
        const QImage hidden = frame_->Client()->grab(area.united(label)).toImage();
        QVERIFY(hidden != next);
        GetOptionsRecord().SetShowRandomWords(true);
        QCOMPARE(frame_->Client()->grab(area.united(label)).toImage(), next);
    }

    void wordListSources_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("readable");
        QTest::newRow("a word-list file") << "words.dwg" << true;
        QTest::newRow("a missing file") << "missing.dwg" << false;
        QTest::newRow("a damaged file") << "damaged.dwg" << false;
    }

    void wordListSources() {
        QFETCH(QString, source);
        QFETCH(bool, readable);
        COptionsRecord& options = GetOptionsRecord();
        options.SetAddStudyWords(true);
        QVERIFY(options.SetStudySource(source.toStdU16String()));
        QVERIFY(options.SetRandomSource(source.toStdU16String()));
        const std::u16string before = frame_->WordOfTheDay();
        frame_->CheckDay();
        Deliver();
        Deliver();
        std::u16string stored;
        QCOMPARE(Stored(&stored), readable);
        QCOMPARE(frame_->StudyList().Count() > 0, readable);
        QCOMPARE(ReadWholeFile(Home("StudyList.txt")).empty(), !readable);
        if (readable) {
            // Every word comes from the file (its words end in "x"), or is the draw's
            // "welcome" past the file's last word.
            for (const std::string& word : Items(frame_->StudyList())) {
                QVERIFY2(word.back() == 'x' || word == "welcome", word.c_str());
            }
            QCOMPARE(stored, frame_->WordOfTheDay());
        } else {
            QCOMPARE(frame_->WordOfTheDay(), before);
        }
        QVERIFY(errors_.isEmpty());  // no message either way
        QCOMPARE(SavedDayStamp(), kToday);
    }

    void theOptionsCommandOpensTheLayoutOfTheScreen_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << QSize(240, 320) << false;
        QTest::newRow("landscape") << QSize(320, 240) << true;
    }

    void theOptionsCommandOpensTheLayoutOfTheScreen() {
        QFETCH(QSize, size);
        QFETCH(bool, landscape);
        frame_->resize(size);
        Deliver();
        bool seen = false;
        OnDialog([&](COptionsDialog* dialog) {
            seen = true;
            QCOMPARE(dialog->IsLandscapeLayout(), landscape);
            dialog->KeepSpacesBox()->setChecked(true);
            dialog->ResultLimitEdit()->setText("50");
            Press(dialog, QDialogButtonBox::Ok);
        });
        frame_->RunCommand(ID_OPTIONS);
        QVERIFY(seen);
        // OK saves the record.
        QVERIFY(GetOptionsRecord().KeepSpaces());
        QCOMPARE(GetOptionsRecord().ResultLimit(), 50);
        std::vector<uint8_t> saved;
        QVERIFY(settings_.ReadBinary(SETTINGS_KEY, SETTING_OPTIONS, &saved));
        QCOMPARE(saved, std::vector<uint8_t>(GetOptionsRecord().Bytes().begin(),
                                             GetOptionsRecord().Bytes().end()));
    }

    // The hot key in the Options dialog: shown with what the desktop made of it (the offscreen
    // platform offers none: how to bind the command instead), typed, stored on OK, cleared to
    // turn it off; Cancel keeps the stored key.
    void theOptionsDialogSetsTheHotKey() {
        QCOMPARE(frame_->HotKeyService()->Key(), QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        const auto setKey = [&](const std::function<void(CHotKeyEdit*)>& edit,
                                QDialogButtonBox::StandardButton button) {
            OnDialog([&](COptionsDialog* dialog) {
                QVERIFY(dialog->HotKeyEdit()->Note()->text().contains(
                    QStringLiteral("lexicove --lookup-selection")));
                edit(dialog->HotKeyEdit());
                Press(dialog, button);
            });
            frame_->RunCommand(ID_OPTIONS);
        };
        std::u16string stored;
        setKey(
            [](CHotKeyEdit* edit) {
                QCOMPARE(edit->Key(), QKeySequence(QStringLiteral("Ctrl+Alt+W")));
                edit->KeyEdit()->setFocus();
                QTest::keyClick(edit->KeyEdit(), Qt::Key_F9, Qt::MetaModifier);
            },
            QDialogButtonBox::Ok);
        QCOMPARE(frame_->HotKeyService()->Key(), QKeySequence(QStringLiteral("Meta+F9")));
        QVERIFY(settings_.ReadString(SETTINGS_KEY, SETTING_HOT_KEY, &stored));
        QCOMPARE(stored, u"Meta+F9");

        setKey([](CHotKeyEdit* edit) { QTest::mouseClick(edit->ClearButton(), Qt::LeftButton); },
               QDialogButtonBox::Cancel);
        QCOMPARE(frame_->HotKeyService()->Key(), QKeySequence(QStringLiteral("Meta+F9")));

        setKey([](CHotKeyEdit* edit) { QTest::mouseClick(edit->ClearButton(), Qt::LeftButton); },
               QDialogButtonBox::Ok);
        QVERIFY(frame_->HotKeyService()->Key().isEmpty());
        QVERIFY(settings_.ReadString(SETTINGS_KEY, SETTING_HOT_KEY, &stored));
        QCOMPARE(stored, u"");
    }

    void cancelAfterClearListOrAddNowUndoesNothing_data() {
        QTest::addColumn<bool>("clear");
        QTest::newRow("Clear List") << true;
        QTest::newRow("Add Now with 99") << false;
    }

    void cancelAfterClearListOrAddNowUndoesNothing() {
        QFETCH(bool, clear);
        Fill(frame_->StudyList(), 3);
        frame_->StudyList().Save();
        frame_->SelectTab(LIST_STUDY);
        Deliver();
        QCOMPARE(frame_->ListBox()->count(), 3);
        const std::vector<uint8_t> before(GetOptionsRecord().Bytes().begin(),
                                          GetOptionsRecord().Bytes().end());
        OnDialog([&](COptionsDialog* dialog) {
            dialog->KeepSpacesBox()->setChecked(true);
            if (clear) {
                QTest::mouseClick(dialog->ClearListButton(), Qt::LeftButton);
                QCOMPARE(frame_->StudyList().Count(), 0);
            } else {
                dialog->StudyWordCountEdit()->setText("99");
                QTest::mouseClick(dialog->AddNowButton(), Qt::LeftButton);
                QVERIFY(frame_->StudyList().Count() > 3 + 80);
                QVERIFY(frame_->StudyList().Count() <= 3 + 99);
            }
            Press(dialog, QDialogButtonBox::Cancel);
        });
        frame_->RunCommand(ID_OPTIONS);
        Deliver();
        const int count = frame_->StudyList().Count();
        if (clear) {
            QCOMPARE(count, 0);
        } else {
            QVERIFY(count > 3);
        }
        // The list file and the shown tab keep what the buttons did.
        CWordList reloaded;
        reloaded.Load(Home("StudyList.txt"));
        QCOMPARE(Items(reloaded), Items(frame_->StudyList()));
        QCOMPARE(frame_->ListBox()->count(), count);
        // The record is neither changed nor saved.
        QCOMPARE(std::vector<uint8_t>(GetOptionsRecord().Bytes().begin(),
                                      GetOptionsRecord().Bytes().end()),
                 before);
        std::vector<uint8_t> saved;
        QVERIFY(!settings_.ReadBinary(SETTINGS_KEY, SETTING_OPTIONS, &saved));
    }

    void addNowWithABadCountShowsTheMessage() {
        OnDialog([&](COptionsDialog* dialog) {
            dialog->StudyWordCountEdit()->setText("0");
            QTest::mouseClick(dialog->AddNowButton(), Qt::LeftButton);
            Press(dialog, QDialogButtonBox::Cancel);
        });
        frame_->RunCommand(ID_OPTIONS);
        QCOMPARE(errors_, QStringList{"Please enter number of word"});
        QCOMPARE(frame_->StudyList().Count(), 0);
    }

    void theNextSearchTakesTheNewOptions() {
        OnDialog([&](COptionsDialog* dialog) {
            dialog->ResultLimitEdit()->setText("3");
            Press(dialog, QDialogButtonBox::Ok);
        });
        frame_->RunCommand(ID_OPTIONS);
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"*"));
        QTRY_VERIFY(!frame_->SearchWorker()->IsBusy());
        Deliver();
        QCOMPARE(frame_->Searched().Count(), 3);
        QCOMPARE(frame_->ListBox()->item(frame_->ListBox()->count() - 1)->text(),
                 QString("< Truncated >"));
    }

    void showRandomWordsTakesEffectAtTheNextPaint() {
        const QRect label = frame_->Layout().RandomWordLabel();
        const QImage shown = frame_->Client()->grab(label).toImage();
        OnDialog([&](COptionsDialog* dialog) {
            dialog->ShowRandomWordsBox()->setChecked(false);
            Press(dialog, QDialogButtonBox::Ok);
        });
        frame_->RunCommand(ID_OPTIONS);
        QVERIFY(!GetOptionsRecord().ShowRandomWords());
        QVERIFY(frame_->Client()->grab(label).toImage() != shown);
    }
};

QTEST_MAIN(FrameStudyTest)
#include "frame_study_test.moc"
