// The Search view inside the main window, on a small fixture dictionary: the tabs and their
// stored choice, searches typed into the panel and started with Enter or the Search command,
// the Lookup view's Searched tab filling with rows and a final status row, Stop Searching,
// and the keys the frame hands to the panel.
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/context_edit.h"

namespace {

// bat, bet, bit, bot, but, cat, ... mut, and two anagrams.
std::vector<std::string> FixtureWords() {
    std::vector<std::string> words = ThreeLetterWords();
    words.push_back("tea");
    words.push_back("eat");
    return words;
}

}  // namespace

class FrameSearchTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    void MakeFrame() {
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([](const QString&) {});
        QVERIFY(ShowFrame(frame_.get()));
    }

    // The Search view on the given tab, its panel focused.
    CSearchPanel* ShowSearchTab(int tab) {
        frame_->RunCommand(ID_SEARCH_VIEW);
        CSearchTabCtrl* tabs = frame_->SearchTabs();
        if (tabs == nullptr) {
            return nullptr;
        }
        tabs->SelectTab(tab);
        frame_->SearchPanel()->setFocus();
        QCoreApplication::processEvents();
        return frame_->SearchPanel();
    }

    // Types text where the tab takes it: into the boxes, or into the edit box.
    static void TypeQuery(CSearchPanel* panel, int tab, const QString& text) {
        if (tab == SEARCH_TAB_PUZZLE || tab == SEARCH_TAB_ANAGRAM) {
            QTest::keyClicks(panel, text);
        } else {
            panel->EditBox()->setFocus();
            QTest::keyClicks(panel->EditBox(), text);
        }
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        database_ = OpenFixtureDictionary(home_.Path() + "/wordnet.lcv", FixtureWords());
        QVERIFY(database_ != nullptr);
    }

    void init() {
        ClearSettings();
        MakeFrame();
    }

    void cleanup() {
        g_searchGate = true;
        CloseFrame();
    }

    void theTabControlComesWithTheFirstSwitchAndFillsTheContentArea() {
        QVERIFY(frame_->SearchTabs() == nullptr);
        frame_->RunCommand(ID_SEARCH_VIEW);
        CSearchTabCtrl* tabs = frame_->SearchTabs();
        QVERIFY(tabs != nullptr);
        QCOMPARE(frame_->CurrentView(), VIEW_SEARCH);
        QVERIFY(tabs->isVisible());
        QCOMPARE(tabs->geometry(), frame_->Layout().ContentView(frame_->Client()->width(),
                                                                frame_->Client()->height()));
        QCOMPARE(tabs->Tabs()->count(), 5);
        QVERIFY(!frame_->ContentView()->isVisible());
        QVERIFY(!frame_->ListBox()->isVisible());
        // The panel paints its whole area: nothing of the views below shows through.
        QVERIFY(tabs->Panel()->autoFillBackground() ||
                tabs->Panel()->testAttribute(Qt::WA_OpaquePaintEvent));
        QVERIFY(frame_->Action(ID_SEARCH_VIEW)->isChecked());
        frame_->RunCommand(ID_LOOKUP_VIEW);
        QVERIFY(!tabs->isVisible());
        frame_->RunCommand(ID_SEARCH_VIEW);
        QCOMPARE(frame_->SearchTabs(), tabs);  // kept, not made again
    }

    void theChosenTabIsStoredAndComesBack() {
        ShowSearchTab(SEARCH_TAB_WILDCARD);
        CloseFrame();
        MakeFrame();
        frame_->RunCommand(ID_SEARCH_VIEW);
        QCOMPARE(frame_->SearchTabs()->CurrentTab(), SEARCH_TAB_WILDCARD);
        QCOMPARE(frame_->SearchPanel()->Mode(), SEARCH_TAB_WILDCARD);
    }

    void aSearchFillsTheSearchedTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("puzzle") << int(SEARCH_TAB_PUZZLE) << "mut"
                                << QStringList({"mut", "< Completed >"});
        QTest::newRow("anagram") << int(SEARCH_TAB_ANAGRAM) << "tae"
                                 << QStringList({"eat", "tea", "< Completed >"});
        QTest::newRow("wildcard") << int(SEARCH_TAB_WILDCARD) << "c?t"
                                  << QStringList(
                                         {"cat", "cet", "cit", "cot", "cut", "< Completed >"});
        QTest::newRow("nothing found")
            << int(SEARCH_TAB_WILDCARD) << "z*" << QStringList({"< No word found >"});
    }

    void aSearchFillsTheSearchedTab() {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        CSearchPanel* panel = ShowSearchTab(tab);
        QVERIFY(panel != nullptr);
        TypeQuery(panel, tab, typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QVERIFY(frame_->ListBox()->isVisible());
        QTRY_COMPARE(ListRows(frame_->ListBox()), rows);
        QTRY_VERIFY(!frame_->IsWorkerBusy());
    }

    void theSearchCommandWithAnEmptyBoxStartsNothing() {
        ShowSearchTab(SEARCH_TAB_WILDCARD);
        frame_->RunCommand(CSearchPanel::ID_SEARCH);
        QCOMPARE(frame_->CurrentView(), VIEW_SEARCH);
        QVERIFY(!frame_->IsWorkerBusy());
    }

    void stopSearchingGivesCancelled() {
        g_searchGate = false;
        frame_->SearchWorker()->SetThreadStarter(GatedSearchThread);
        CSearchPanel* panel = ShowSearchTab(SEARCH_TAB_WILDCARD);
        TypeQuery(panel, SEARCH_TAB_WILDCARD, "*");
        frame_->RunCommand(CSearchPanel::ID_SEARCH);
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QVERIFY(frame_->Action(ID_STOP_SEARCHING)->isEnabled());
        QVERIFY(!frame_->Action(ID_SEARCH_VIEW)->isEnabled());
        frame_->RunCommand(ID_STOP_SEARCHING);
        g_searchGate = true;
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        QTRY_VERIFY(frame_->ListBox()->count() > 0);
        QTRY_COMPARE(frame_->ListBox()->item(frame_->ListBox()->count() - 1)->text(),
                     QString("< Cancelled >"));
        QVERIFY(!frame_->Action(ID_STOP_SEARCHING)->isEnabled());
    }

    void theModeCommandsReachThePanel() {
        ShowSearchTab(SEARCH_TAB_PUZZLE);
        frame_->RunCommand(CSearchPanel::ID_MODE_PUZZLE + SEARCH_TAB_PHONETIC);
        QCOMPARE(frame_->SearchPanel()->Mode(), SEARCH_TAB_PHONETIC);
    }

    void keysReachThePanelWhenItsBoxesAreNotFocused() {
        CSearchPanel* panel = ShowSearchTab(SEARCH_TAB_PUZZLE);
        // The focus on the tab bar: the frame still hands the typed letters to the boxes.
        frame_->SearchTabs()->Tabs()->setFocus();
        QTest::keyClicks(frame_->SearchTabs()->Tabs(), "bat");
        QCOMPARE(panel->Letters(), std::u16string(u"BAT"));
    }

    void aKeyReachesTheBoxesOnceWhateverChildHasTheFocus_data() {
        QTest::addColumn<QString>("child");
        QTest::addColumn<int>("tab");
        for (const char* child : {"searchSlider", "searchHtml"}) {
            QTest::addRow("%s, Puzzle", child) << child << int{SEARCH_TAB_PUZZLE};
            QTest::addRow("%s, Anagram", child) << child << int{SEARCH_TAB_ANAGRAM};
        }
    }

    void aKeyReachesTheBoxesOnceWhateverChildHasTheFocus() {
        QFETCH(QString, child);
        QFETCH(int, tab);
        CSearchPanel* panel = ShowSearchTab(tab);
        auto* focused = panel->findChild<QWidget*>(child);
        QVERIFY(focused != nullptr);
        focused->setFocus();
        QCOMPARE(QApplication::focusWidget(), focused);
        QTest::keyClicks(focused, "bta");
        QTest::keyClick(focused, Qt::Key_Backspace);
        QTest::keyClicks(focused, "s");
        QCOMPARE(panel->Letters(), std::u16string(u"BTS"));
    }
};

QTEST_MAIN(FrameSearchTest)
#include "frame_search_test.moc"
