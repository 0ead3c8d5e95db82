// The main window from the keyboard alone: every command's key shown in a menu and working
// wherever the focus is, the mouse's back and forward buttons, and a whole session driven by
// key presses only: type, choose, follow a link, go back, search, open a result.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

// A synset record: its words, then its gloss.
std::string Synset(const std::string& words, const std::string& gloss) {
    return words + "\n" + gloss + "\n";
}

// The text of the link the page's cursor is on, or "".
QString LinkAtCursor(const CHtmlDisplay* display) {
    const QTextCursor cursor = display->textCursor();
    return cursor.charFormat().isAnchor() ? cursor.selectedText() : QString();
}

}  // namespace

class FrameKeysTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    void WaitIdle() { QTRY_VERIFY(!frame_->IsWorkerBusy()); }

    CHtmlDisplay* Page() const { return frame_->ContentView()->Display(); }

    // Presses key on whatever widget has the focus, as the keyboard does.
    static void Press(QKeySequence key) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keySequence(focus, key);
        QCoreApplication::processEvents();
    }

    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClick(focus, key, modifiers);
        QCoreApplication::processEvents();
    }

    static void Type(const char* text) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClicks(focus, text);
        QCoreApplication::processEvents();
    }

    // The menu on show in the menu bar that holds the action, or null.
    QMenu* MenuOf(const QAction* action) const {
        for (const QAction* item : frame_->findChild<QMenuBar*>()->actions()) {
            if (item->isVisible() && item->menu() != nullptr &&
                item->menu()->actions().contains(action)) {
                return item->menu();
            }
        }
        return nullptr;
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        CFixtureWriter writer;
        const uint32_t cat = writer.Append(Synset("cat\rkitty", "a small domestic feline"));
        const uint32_t cot = writer.Append(Synset("cot", "a small bed"));
        const uint32_t cut = writer.Append(Synset("cut", "a wound"));
        const uint32_t dog = writer.Append(Synset("dog\rpup", "a domestic canine"));
        writer.AddWord("cat", {lcv::MakeRef(lcv::ENTRY_NOUN, cat)});
        writer.AddWord("cot", {lcv::MakeRef(lcv::ENTRY_NOUN, cot)});
        writer.AddWord("cut", {lcv::MakeRef(lcv::ENTRY_NOUN, cut)});
        writer.AddWord("dog", {lcv::MakeRef(lcv::ENTRY_NOUN, dog)});
        writer.AddWord("kitty", {lcv::MakeRef(lcv::ENTRY_NOUN, cat)});
        writer.AddWord("pup", {lcv::MakeRef(lcv::ENTRY_NOUN, dog)});
        const std::string path = home_.Path() + "/wordnet.lcv";
        writer.Write(path);
        database_ = std::make_unique<CDictionaryDatabase>();
        QVERIFY(database_->Open(path.c_str()));
    }

    void init() {
        ClearSettings();
        settings_.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"dog");
        RemoveListFiles();
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([](const QString&) {});
        QVERIFY(ShowFrame(frame_.get(), QSize(1000, 700)));
        QVERIFY(frame_->TwoPanes());
        QTRY_VERIFY(frame_->isActiveWindow());
        WaitIdle();
    }

    void cleanup() {
        g_searchGate = true;
        CloseFrame();
    }

    void everyCommandsKeyIsShownInAMenuAndWorks_data() {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("inThePage");  // pressed with the focus in the page, else the box
        const struct {
            const char* name;
            QKeySequence key;
            int command;
        } rows[] = {
            {"Ctrl+L", QKeySequence(Qt::CTRL | Qt::Key_L), ID_LOOKUP_VIEW},
            {"F6", QKeySequence(Qt::Key_F6), ID_LOOKUP_VIEW},
            {"Alt+Left", QKeySequence(Qt::ALT | Qt::Key_Left), ID_BACK},
            {"Alt+Right", QKeySequence(Qt::ALT | Qt::Key_Right), ID_FORWARD},
            {"Ctrl+F", QKeySequence(Qt::CTRL | Qt::Key_F), ID_SEARCH_VIEW},
            {"Ctrl+D", QKeySequence(Qt::CTRL | Qt::Key_D), ID_ADD_TO_FAVORITES},
            {"Ctrl++", QKeySequence(Qt::CTRL | Qt::Key_Plus), ID_TEXT_LARGER},
            {"Ctrl+=", QKeySequence(Qt::CTRL | Qt::Key_Equal), ID_TEXT_LARGER},
            {"Ctrl+-", QKeySequence(Qt::CTRL | Qt::Key_Minus), ID_TEXT_SMALLER},
            {"Ctrl+0", QKeySequence(Qt::CTRL | Qt::Key_0), ID_TEXT_MEDIUM},
        };
        for (const auto& row : rows) {
            QTest::addRow("%s in the box", row.name) << row.key << row.command << false;
            QTest::addRow("%s in the page", row.name) << row.key << row.command << true;
        }
    }

    void everyCommandsKeyIsShownInAMenuAndWorks() {
        QFETCH(QKeySequence, key);
        QFETCH(int, command);
        QFETCH(bool, inThePage);
        QAction* action = frame_->Action(command);
        QVERIFY(action->shortcuts().contains(key));
        QMenu* menu = MenuOf(action);
        QVERIFY2(menu != nullptr, "the command is in a menu, its key beside it");
        if (inThePage) {
            frame_->SetView(VIEW_CONTENT);
            QVERIFY(Page()->hasFocus());
        } else {
            frame_->SetView(VIEW_LOOKUP);
            QVERIFY(frame_->LookupEdit()->hasFocus());
        }
        QSignalSpy triggered(action, &QAction::triggered);
        Press(key);
        QCOMPARE(triggered.count(), 1);
    }

    void theKeysOfTheCommandsThatWaitForTheirMomentAreInTheMenus_data() {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<int>("command");
        QTest::newRow("Ctrl+R Read") << QKeySequence(Qt::CTRL | Qt::Key_R) << int{ID_READ};
        QTest::newRow("Escape Stop Searching")
            << QKeySequence(Qt::Key_Escape) << int{ID_STOP_SEARCHING};
    }

    void theKeysOfTheCommandsThatWaitForTheirMomentAreInTheMenus() {
        QFETCH(QKeySequence, key);
        QFETCH(int, command);
        QAction* action = frame_->Action(command);
        QVERIFY(action->shortcuts().contains(key));
        QVERIFY(MenuOf(action) != nullptr);
        // Disabled (no speech engine, no search running), the key does nothing.
        QVERIFY(!action->isEnabled());
        QSignalSpy triggered(action, &QAction::triggered);
        frame_->SetView(VIEW_LOOKUP);
        Press(key);
        QCOMPARE(triggered.count(), 0);
    }

    void theTextSizeKeysStepWithinTheSizes() {
        QCOMPARE(frame_->TextSize(), 2);
        for (int size : {3, 4, 4}) {
            Press(QKeySequence(Qt::CTRL | Qt::Key_Plus));
            QCOMPARE(frame_->TextSize(), size);
        }
        Press(QKeySequence(Qt::CTRL | Qt::Key_0));
        QCOMPARE(frame_->TextSize(), 2);
        for (int size : {1, 0, 0}) {
            Press(QKeySequence(Qt::CTRL | Qt::Key_Minus));
            QCOMPARE(frame_->TextSize(), size);
        }
        QVERIFY(frame_->Action(ID_TEXT_SMALLEST)->isChecked());
    }

    void ctrlDTogglesThePagesWordFromTheBoxAndAddsTheRowFromTheList() {
        Press(QKeySequence(Qt::CTRL | Qt::Key_L));
        Type("cat");
        Press(Qt::Key_Return);
        WaitIdle();
        QVERIFY(frame_->LookupEdit()->hasFocus());
        // The box's neighbour row is not what the page shows.
        frame_->LookupList()->setCurrentRow(frame_->LookupList()->SelectedRow() + 1);
        const QString row = frame_->LookupList()->currentItem()->text();
        QVERIFY(row != "cat");
        Press(QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(frame_->Favorites().Count(), 1);
        QCOMPARE(frame_->Favorites().IndexOf("cat"), 0);
        QVERIFY(frame_->Action(ID_ADD_TO_FAVORITES)->isChecked());
        Press(QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(frame_->Favorites().Count(), 0);

        Press(Qt::Key_Tab);
        QVERIFY(frame_->LookupList()->hasFocus());
        Press(QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(frame_->Favorites().Count(), 1);
        QCOMPARE(frame_->Favorites().IndexOf(row.toLatin1().constData()), 0);
    }

    void escapeStopsARunningSearch() {
        g_searchGate = false;
        frame_->SearchWorker()->SetThreadStarter(GatedSearchThread);
        Press(QKeySequence(Qt::CTRL | Qt::Key_F));
        frame_->SearchTabs()->SelectTab(SEARCH_TAB_WILDCARD);
        Type("*");
        Press(Qt::Key_Return);
        QVERIFY(frame_->SearchWorker()->IsBusy());
        QVERIFY(frame_->Action(ID_STOP_SEARCHING)->isEnabled());
        Press(Qt::Key_Escape);
        g_searchGate = true;
        WaitIdle();
        CWordListBox* results = frame_->ListBox();
        QTRY_VERIFY(results->count() > 0);
        QTRY_COMPARE(results->item(results->count() - 1)->text(), QString("< Cancelled >"));
    }

    void theMousesBackAndForwardButtonsGoThroughTheHistory() {
        QVERIFY(frame_->OpenWord(std::string("cat"), true));
        WaitIdle();
        QVERIFY(frame_->OpenWord(std::string("cut"), true));
        WaitIdle();
        QWidget* where = Page()->viewport();
        QTest::mouseClick(where, Qt::BackButton);
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));
        QTest::mouseClick(frame_->LookupEdit(), Qt::ForwardButton);
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("cut"));
    }

    void aSessionFromTheKeyboardAlone() {
        // Type a word and choose it: the page shows on the right, the box keeps the focus.
        Press(QKeySequence(Qt::CTRL | Qt::Key_L));
        Type("cat");
        Press(Qt::Key_Return);
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));
        QVERIFY(frame_->LookupEdit()->hasFocus());

        // Tab goes on to the word list, then into the page.
        Press(Qt::Key_Tab);
        QVERIFY(frame_->LookupList()->hasFocus());
        Press(Qt::Key_Tab);
        QVERIFY(Page()->hasFocus());
        QCOMPARE(frame_->CurrentView(), int{VIEW_CONTENT});

        // Tab moves from link to link in the page; Enter follows the synonym "kitty".
        for (int i = 0; i < 10 && LinkAtCursor(Page()) != "kitty"; ++i) {
            Press(Qt::Key_Tab);
            QVERIFY(Page()->hasFocus());
        }
        QCOMPARE(LinkAtCursor(Page()), QString("kitty"));
        Press(Qt::Key_Return);
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("kitty"));

        // Back to the word before.
        Press(QKeySequence(Qt::ALT | Qt::Key_Left));
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));

        // Search: the Puzzle boxes take "c?t", Enter starts the search; the results come in
        // the Searched tab of the left pane, with the focus in the box.
        Press(QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(frame_->CurrentView(), int{VIEW_SEARCH});
        QCOMPARE(frame_->SearchPanel()->Mode(), int{SEARCH_TAB_PUZZLE});
        Type("c?t");
        Press(Qt::Key_Return);
        WaitIdle();
        QCOMPARE(frame_->CurrentTab(), int{LIST_SEARCHED});
        QVERIFY(frame_->LookupEdit()->hasFocus());
        CWordListBox* results = frame_->ListBox();
        QTRY_COMPARE(ListRows(results), QStringList({"cat", "cot", "cut", "< Completed >"}));

        // Open a result: Down moves through the results from the box, Enter opens one.
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        Press(Qt::Key_Return);
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), std::string("cot"));
        QVERIFY(frame_->ContentView()->isVisible());
        QVERIFY(frame_->LookupEdit()->hasFocus());
    }
};

QTEST_MAIN(FrameKeysTest)
#include "frame_keys_test.moc"
