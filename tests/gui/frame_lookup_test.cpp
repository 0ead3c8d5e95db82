// The main window on a small fixture dictionary: the word list following the "Look up:" box,
// choosing rows, links, Back and Forward, the user lists and their files, the list tabs, the
// stored state across a restart, searches and their status rows, and closing.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "lists/gui/word_list_box.h"
#include "platform/message_poster.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"

class FrameLookupTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    std::string databasePath_;
    QStringList errors_;

    std::string Home(const char* name) const { return home_.Path() + "/" + name; }

    void MakeFrame() {
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        QVERIFY(ShowFrame(frame_.get()));
    }

    void WaitIdle() { QTRY_VERIFY(!frame_->RenderWorker()->IsBusy()); }

    void Deliver() { QCoreApplication::processEvents(); }

    bool WordOfTheDayStored() const {
        std::u16string word;
        return settings_.ReadString(SETTINGS_KEY, SETTING_WORD_THE_DAY, &word);
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        databasePath_ = home_.Path() + "/wordnet.lcv";
        database_ = OpenFixtureDictionary(databasePath_, ThreeLetterWords());
        QVERIFY(database_ != nullptr);
    }

    void init() {
        ClearSettings();
        RemoveListFiles();
        errors_.clear();
        MakeFrame();
    }

    void cleanup() { CloseFrame(); }

    void typingFollowsTheWordList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("an existing word") << "dot"
                                          << "dot";
        QTest::newRow("a non-word selects the next word") << "dox"
                                                          << "dut";
        QTest::newRow("a prefix") << "g"
                                  << "gat";
        QTest::newRow("past the last word") << "zzz"
                                            << "";
    }

    void typingFollowsTheWordList() {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QTest::keyClicks(frame_->LookupEdit(), typed);
        Deliver();
        CLookupList* list = frame_->LookupList();
        int row = list->SelectedRow();
        if (selected.isEmpty()) {
            QCOMPARE(row, -1);
            QCOMPARE(list->item(list->count() - 1)->text(), QString("mut"));
        } else {
            QCOMPARE(row, 0);
            QCOMPARE(list->item(0)->text(), selected);
        }
    }

    void enterShowsTheWord() {
        QTest::keyClicks(frame_->LookupEdit(), "hit");
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Return);
        // Enter selects the box's text at once; the row is chosen in the frame's next turn.
        QCOMPARE(frame_->LookupEdit()->selectedText(), QString("hit"));
        QTRY_COMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("hit"));
        QCOMPARE(std::string(frame_->Recents().At(0)), std::string("hit"));
    }

    void downOnTheLastRowScrollsByOne() {
        QTest::keyClicks(frame_->LookupEdit(), "bat");
        Deliver();
        CLookupList* list = frame_->LookupList();
        int last = list->count() - 1;
        list->setCurrentRow(last);
        QString lastWord = list->item(last)->text();
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Down);
        Deliver();
        QCOMPARE(list->item(last - 1)->text(), lastWord);
        QCOMPARE(list->item(0)->text(), QString("bet"));
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Up);
        list->setCurrentRow(0);
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Up);
        Deliver();
        QCOMPARE(list->item(0)->text(), QString("bat"));
    }

    void aTappedRowShowsTheWord() {
        QTest::keyClicks(frame_->LookupEdit(), "kit");
        Deliver();
        CLookupList* list = frame_->LookupList();
        QList<QListWidgetItem*> found = list->findItems("kot", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QRect rect = list->visualItemRect(found[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_COMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(QString::fromStdString(frame_->CurrentWord()), QString("kot"));
    }

    void linksOfThePage_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a word") << QByteArray("Lit") << 1 << "lit";
        QTest::newRow("a Word Links page") << QByteArray("lit:2") << 1 << "lit:2";
        QTest::newRow("a web address") << QByteArray("http://wordnet.princeton.edu") << 0 << "";
        QTest::newRow("help in capitals") << QByteArray(":HELP") << 1 << "";
        QTest::newRow("another colon target") << QByteArray(":sense") << 0 << "";
    }

    void linksOfThePage() {
        QFETCH(QByteArray, target);
        QFETCH(int, result);
        QFETCH(QString, shown);
        WaitIdle();
        std::string before = frame_->CurrentWord();
        QCOMPARE(frame_->OnHotSpot(target), result);
        WaitIdle();
        if (shown.isEmpty()) {
            QCOMPARE(frame_->CurrentWord(), before);
        } else {
            QCOMPARE(QString::fromStdString(frame_->CurrentWord()), shown);
            QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        }
    }

    void backAndForwardWalkRecents() {
        for (const char* word : {"bat", "cat", "dot"}) {
            WaitIdle();
            QVERIFY(frame_->OpenWord(std::string(word), true));
        }
        QCOMPARE(frame_->BackButton().State(), CHeaderButton::STATE_NORMAL);
        QCOMPARE(frame_->ForwardButton().State(), CHeaderButton::STATE_DISABLED);
        const std::string expected[] = {"cat", "bat"};
        for (const std::string& word : expected) {
            WaitIdle();
            frame_->RunCommand(ID_BACK);
            QCOMPARE(frame_->CurrentWord(), word);
        }
        // The first word of the run (the start word "welcome" is not in the fixture).
        QCOMPARE(frame_->BackButton().State(), CHeaderButton::STATE_DISABLED);
        WaitIdle();
        frame_->RunCommand(ID_FORWARD);
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));
        QCOMPARE(frame_->HistoryPosition(), 1);
        QCOMPARE(std::string(frame_->Recents().At(0)), std::string("dot"));
        QCOMPARE(frame_->Recents().Count(), 3);
    }

    void favoritesAddToggleDelete() {
        QTest::keyClicks(frame_->LookupEdit(), "jet");
        Deliver();
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        frame_->LookupEdit()->setText("bot");
        Deliver();
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        QCOMPARE(ReadWholeFile(Home("Favorites.txt")), std::string("bot\r\njet\r\n"));
        // From the Content view the current word is toggled.
        WaitIdle();
        frame_->OpenWord(std::string("jet"), true);
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        QCOMPARE(ReadWholeFile(Home("Favorites.txt")), std::string("bot\r\n"));
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        QCOMPARE(ReadWholeFile(Home("Favorites.txt")), std::string("jet\r\nbot\r\n"));
        // Delete on the Favorites tab.
        frame_->SetView(VIEW_LOOKUP);
        frame_->SelectTab(LIST_FAVORITES);
        Deliver();
        QCOMPARE(ListRows(frame_->ListBox()), QStringList({"jet", "bot"}));
        frame_->ListBox()->setCurrentRow(1);
        frame_->RunCommand(ID_DELETE);
        QCOMPARE(ListRows(frame_->ListBox()), QStringList({"jet"}));
        QCOMPARE(ReadWholeFile(Home("Favorites.txt")), std::string("jet\r\n"));
        frame_->RunCommand(ID_DELETE_ALL);
        QCOMPARE(frame_->ListBox()->count(), 0);
        QCOMPARE(ReadWholeFile(Home("Favorites.txt")), std::string());
    }

    // A list file that is there but cannot be read (a folder stands at its name) is reported
    // once; the list works in memory and the file is never saved over.
    void unreadableListFileIsReportedOnceAndLeftAlone() {
        CloseFrame();
        std::string folder = Home("Favorites.txt");
        std::string inside = folder + "/keep";
        std::filesystem::create_directory(folder);
        std::ofstream(inside) << "keep";
        errors_.clear();
        MakeFrame();
        auto unreadable = [this] { return errors_.filter("could not read"); };
        QCOMPARE(unreadable().size(), 1);
        QVERIFY(unreadable()[0].contains("Favorites.txt"));
        QTest::keyClicks(frame_->LookupEdit(), "jet");
        Deliver();
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        QCOMPARE(frame_->Favorites().Count(), 1);
        CloseFrame();
        QCOMPARE(unreadable().size(), 1);
        QCOMPARE(ReadWholeFile(inside), std::string("keep"));
        std::filesystem::remove_all(folder);
    }

    void studyListAppendsAndKeepsPlaces() {
        for (const char* word : {"lit", "bat", "lit"}) {
            frame_->LookupEdit()->setText(word);
            Deliver();
            frame_->RunCommand(ID_ADD_TO_STUDY_LIST);
        }
        QCOMPARE(ReadWholeFile(Home("StudyList.txt")), std::string("lit\r\nbat\r\n"));
        frame_->SelectTab(LIST_STUDY);
        Deliver();
        QCOMPARE(frame_->ListBox()->count(), 2);
        // The Options dialog's "Clear List".
        frame_->SendMessage(WM_CLEAR_LIST, LIST_STUDY, 0);
        QCOMPARE(frame_->ListBox()->count(), 0);
        QCOMPARE(ReadWholeFile(Home("StudyList.txt")), std::string());
    }

    void listMenusOfferTheirItems() {
        frame_->LookupEdit()->setText("cat");
        Deliver();
        CLookupList* list = frame_->LookupList();
        std::unique_ptr<QMenu> menu =
            frame_->CreateListMenu(2, list->visualItemRect(list->item(0)).center());
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QString("Add to Favorites"));
        QCOMPARE(menu->actions()[1]->text(), QString("Add to Study List"));
        frame_->Favorites().Add("bat");
        frame_->SelectTab(LIST_FAVORITES);
        Deliver();
        QListWidget* box = frame_->ListBox();
        menu = frame_->CreateListMenu(ID_LIST_BOX, box->visualItemRect(box->item(0)).center());
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->actions()[0]->text(), QString("Delete"));
        QCOMPARE(menu->actions()[1]->text(), QString("Delete All"));
        QVERIFY(frame_->CreateListMenu(ID_LIST_BOX, QPoint(5, 200)) == nullptr);
    }

    void recentsKeepSixtyFive() {
        CloseFrame();
        std::string lines;
        for (int i = 0; i < 70; ++i) {
            lines += "entry" + std::to_string(i) + "\r\n";
        }
        std::ofstream(Home("History.txt"), std::ios::binary) << lines;
        MakeFrame();
        // The start word "welcome" is not in the fixture, so nothing was recorded yet.
        QCOMPARE(frame_->Recents().Count(), 70);
        WaitIdle();
        QVERIFY(frame_->OpenWord(std::string("mat"), false));
        QCOMPARE(frame_->Recents().Count(), 65);
        QCOMPARE(std::string(frame_->Recents().At(0)), std::string("mat"));
        QCOMPARE(std::string(frame_->Recents().At(64)), std::string("entry63"));
        CloseFrame();
        std::string saved = ReadWholeFile(Home("History.txt"));
        QCOMPARE(std::count(saved.begin(), saved.end(), '\n'), 65);
        QVERIFY(saved.starts_with("mat\r\nentry0\r\n"));
    }

    void tabHitAreas_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("tab");
        QTest::newRow("tab 1 inside") << 50 << 58 << LIST_STUDY;
        QTest::newRow("left edge") << 2 << 58 << LIST_DICTIONARY;
        QTest::newRow("right edge") << 118 << 58 << LIST_DICTIONARY;
        QTest::newRow("one inside the left edge") << 3 << 58 << LIST_STUDY;
        QTest::newRow("one inside the right edge") << 117 << 58 << LIST_STUDY;
        QTest::newRow("row top exactly") << 50 << 68 << LIST_DICTIONARY;
        QTest::newRow("just below the row top") << 50 << 69 << LIST_FAVORITES;
        QTest::newRow("between tab 0 and tab 1") << 50 << 44 << LIST_DICTIONARY;
        QTest::newRow("last tab") << 50 << 127 << LIST_SEARCHED;
        QTest::newRow("last tab's bottom") << 50 << 128 << LIST_DICTIONARY;
    }

    void tabHitAreas() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, tab);
        int s = frame_->Layout().Scale();
        QTest::mouseClick(frame_->Client(), Qt::LeftButton, {}, QPoint(x * s, y * s));
        QCOMPARE(frame_->CurrentTab(), tab);
    }

    void restartRestoresViewTabAndWord() {
        WaitIdle();
        frame_->OpenWord(std::string("gut"), false);
        frame_->SelectTab(LIST_RECENTS);
        frame_->SetView(VIEW_CONTENT);
        CloseFrame();
        MakeFrame();
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentTab(), LIST_RECENTS);
        QCOMPARE(frame_->CurrentWord(), std::string("gut"));
        QVERIFY(frame_->ContentView()->isVisible());
    }

    void storedValuesOutOfRangeCountAsFirst() {
        CloseFrame();
        settings_.WriteInteger(SETTINGS_KEY, SETTING_CURRENT_VIEW, 7);
        settings_.WriteInteger(SETTINGS_KEY, SETTING_CURRENT_TAB, -3);
        MakeFrame();
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentTab(), LIST_DICTIONARY);
        QVERIFY(frame_->LookupList()->isVisible());
    }

    void searchedRowsAndStatusRows() {
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"b?t"));
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QTRY_COMPARE(ListRows(frame_->ListBox()),
                     QStringList({"bat", "bet", "bit", "bot", "but", "< Completed >"}));
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        WaitIdle();
        std::string before = frame_->CurrentWord();
        // The status row is never looked up.
        CMessagePoster(frame_.get())
            .Post(WM_LIST_ITEM_ACTIVATED, 5, reinterpret_cast<intptr_t>(frame_->ListBox()));
        Deliver();
        QCOMPARE(frame_->CurrentWord(), before);
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QVERIFY(frame_->CreateListMenu(
                    ID_LIST_BOX,
                    frame_->ListBox()->visualItemRect(frame_->ListBox()->item(5)).center()) ==
                nullptr);
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"zzzzz"));
        QTRY_COMPARE(ListRows(frame_->ListBox()), QStringList({"< No word found >"}));
    }

    void searchRowsWaitForTheirTab() {
        frame_->SelectTab(LIST_FAVORITES);
        frame_->Favorites().Add("kit");
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"c?t"));
        frame_->SelectTab(LIST_FAVORITES);
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        Deliver();
        QCOMPARE(ListRows(frame_->ListBox()), QStringList({"kit"}));
        frame_->SelectTab(LIST_SEARCHED);
        Deliver();
        QCOMPARE(ListRows(frame_->ListBox()), QStringList({"cat", "cet", "cit", "cot", "cut"}));
    }

    void closeIsRefusedDuringASearch() {
        g_searchGate = false;
        frame_->SearchWorker()->SetThreadStarter(GatedSearchThread);
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"*"));
        QVERIFY(!frame_->close());
        frame_->RunCommand(ID_EXIT);
        QVERIFY(frame_->isVisible());
        QVERIFY(!frame_->Action(ID_SEARCH_VIEW)->isEnabled());
        QVERIFY(frame_->Action(ID_STOP_SEARCHING)->isEnabled());
        frame_->StopSearchAndClose();
        g_searchGate = true;
        QTRY_VERIFY(!frame_->isVisible());
        QVERIFY(!frame_->DailyTimer().isActive());
        QCOMPARE(frame_->ListBox()->item(frame_->ListBox()->count() - 1)->text(),
                 QString("< Cancelled >"));
        frame_.reset();
        QCOMPARE(ReadIntegerOr(settings_, SETTINGS_KEY, SETTING_CURRENT_TAB, -1), LIST_SEARCHED);
    }

    void longTextFromAnotherProgramIsCut() {
        errors_.clear();
        std::u16string text(300, u'a');
        QCOMPARE(frame_->OnCopyData(COPYDATA_LOOKUP, text), intptr_t(1));
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->OnCopyData(COPYDATA_PICKER_SHOWN, u""), intptr_t(1));
        QVERIFY(frame_->PickerShown());
        QCOMPARE(frame_->OnCopyData(COPYDATA_PICKER_HIDDEN, u""), intptr_t(1));
        QVERIFY(!frame_->PickerShown());
        WaitIdle();
        QVERIFY(frame_->DailyTimer().isActive());
        QCOMPARE(frame_->DailyTimer().interval(), 60000);
        QCOMPARE(frame_->OnCopyData(COPYDATA_LOOKUP, u"Bit"), intptr_t(1));
        QCOMPARE(frame_->CurrentWord(), std::string("bit"));
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
    }

    void headerButtonPressedDraggedOutAndReleased() {
        for (const char* word : {"bat", "cat"}) {
            WaitIdle();
            frame_->OpenWord(std::string(word), true);
        }
        WaitIdle();
        QPoint back = frame_->BackButton().Rect().center();
        QWidget* client = frame_->Client();
        QTest::mousePress(client, Qt::LeftButton, {}, back);
        QCOMPARE(frame_->BackButton().State(), CHeaderButton::STATE_PRESSED);
        QTest::mouseMove(client, QPoint(5, 100));
        QCOMPARE(frame_->BackButton().State(), CHeaderButton::STATE_NORMAL);
        QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(5, 100));
        Deliver();
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));
        QTest::mouseClick(client, Qt::LeftButton, {}, back);
        Deliver();
        QCOMPARE(frame_->CurrentWord(), std::string("bat"));
    }

    void wordOfTheDayAreaTappedAndHeld() {
        GetOptionsRecord().SetShowRandomWords(true);
        CloseFrame();
        settings_.WriteString(SETTINGS_KEY, SETTING_WORD_THE_DAY, u"bit");
        MakeFrame();
        WaitIdle();
        QCOMPARE(frame_->WordOfTheDay(), std::u16string(u"bit"));
        frame_->WordOfTheDayButton().SetHoldInterval(20);
        QWidget* client = frame_->Client();
        QPoint area = frame_->Layout().WordOfTheDayArea().center();
        // A tap shows the word of the day and records it, then draws the next one.
        QTest::mouseClick(client, Qt::LeftButton, {}, area);
        Deliver();
        WaitIdle();
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("bit"));
        QCOMPARE(std::string(frame_->Recents().At(0)), std::string("bit"));
        QCOMPARE(ReadStringOr(settings_, SETTINGS_KEY, SETTING_WORD_THE_DAY, u""),
                 frame_->WordOfTheDay());
        // Held: a new word is drawn and stored, nothing is opened.
        frame_->SetView(VIEW_LOOKUP);
        settings_.DeleteValue(SETTINGS_KEY, SETTING_WORD_THE_DAY);
        QTest::mousePress(client, Qt::LeftButton, {}, area);
        QTRY_VERIFY(WordOfTheDayStored());
        QTest::mouseRelease(client, Qt::LeftButton, {}, area);
        Deliver();
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->Recents().Count(), 1);
        // With "Show random words" off a tap does nothing.
        GetOptionsRecord().SetShowRandomWords(false);
        settings_.DeleteValue(SETTINGS_KEY, SETTING_WORD_THE_DAY);
        QTest::mouseClick(client, Qt::LeftButton, {}, area);
        Deliver();
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->Recents().Count(), 1);
        QVERIFY(!WordOfTheDayStored());
        GetOptionsRecord().SetShowRandomWords(true);
    }

    void copyWithoutSelectionTakesTheCurrentWord() {
        WaitIdle();
        QVERIFY(frame_->OpenWord(std::string("gat"), true));
        WaitIdle();
        QApplication::clipboard()->setText("old");
        frame_->RunCommand(ID_EDIT_COPY);
        QCOMPARE(QApplication::clipboard()->text(), QString("gat"));
    }
};

QTEST_MAIN(FrameLookupTest)
#include "frame_lookup_test.moc"
