#include "frame/search_tab_ctrl.h"

#include "frame/search_panel.h"
#include "support/search_panel_fixture.h"

// The Search view's panel in its tab control: the help of each tab, the word-list menu, the
// stored tab, each mode's own letters, and the keys the frame routes to the panel.
class SearchPanelTabsTest : public QObject, public CSearchPanelFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { SetUpHome(); }
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void helpLinkRunsTheHelp() {
        Create(kPortraitWidth);
        tabs_->SelectTab(SEARCH_TAB_WILDCARD);
        emit panel_->HtmlArea()->linkTapped("?help");
        QCOMPARE(owner_.help.size(), size_t{1});
        QCOMPARE(owner_.help[0], QString("file:lexicove.htm#symbol"));
    }

    void htmlAreaShowsTheTabsHelp_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("images");
        QTest::newRow("puzzle") << SEARCH_TAB_PUZZLE << "<b>Puzzle Search:</b>"
                                << QStringList{"c_quest.gif"};
        QTest::newRow("anagram") << SEARCH_TAB_ANAGRAM << "<b>Anagram Search:</b>"
                                 << QStringList{"c_quest.gif"};
        QTest::newRow("wildcard") << SEARCH_TAB_WILDCARD << "<b>Wildcard Search:</b>"
                                  << QStringList{"c_quest.gif", "c_star.gif", "c_square.gif",
                                                 "c_round.gif", "c_turt.gif"};
        QTest::newRow("phonetic") << SEARCH_TAB_PHONETIC << "<b>Phonetic Search:</b>"
                                  << QStringList{};
    }
    void htmlAreaShowsTheTabsHelp() {
        QFETCH(int, mode);
        QFETCH(QString, title);
        QFETCH(QStringList, images);
        Create(kPortraitWidth);
        tabs_->SelectTab(mode);
        const QString page = QString::fromStdString(panel_->HtmlArea()->PageSource());
        QVERIFY(
            page.startsWith("<html><body topmargin=8 leftmargin=8 rightmargin=8 "
                            "bgcolor=\"#FFFFFF\">Word List: <a href=\"?wordlist\">Built-in "
                            "Dictionary</a><br><hr size=1>"));
        QVERIFY(page.endsWith("</font></body></html>"));
        QVERIFY(page.contains(title));
        QCOMPARE(page.count("<img "), images.size());
        for (const QString& image : images) {
            QVERIFY(page.contains("src='" + image + "'"));
            const QImage symbol = CSearchPanel::SymbolImage(image.toStdString());
            QCOMPARE(symbol.size(), QSize(12, 12));
        }
        QVERIFY(CSearchPanel::SymbolImage("pron.gif").isNull());
    }

    void wordListMenuChoosesTheSearchedFile() {
        const QStringList files = {"names.dwg", "Birds.DWG", ".dwg", "notes.txt"};
        for (const QString& name : files) {
            QFile file(home_.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        Create(kPortraitWidth);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QStringList offered;
        ChooseFromMenu(CSearchPanel::ID_FIRST_WORD_LIST + 1, &offered);
        QCOMPARE(offered, (QStringList{"Built-in Dictionary", "Birds", "names"}));
        const QString names = home_.path() + "/names.dwg";
        QCOMPARE(Text(panel_->WordListPath()), names);
        QVERIFY(QString::fromStdString(panel_->HtmlArea()->PageSource())
                    .contains("<p>Word List: <a href=\"?wordlist\">names.dwg</a></p>"));

        // The file stays the searched one, in every tab, until the dictionary is chosen.
        tabs_->SelectTab(SEARCH_TAB_PHONETIC);
        QVERIFY(QString::fromStdString(panel_->HtmlArea()->PageSource()).contains("names.dwg"));
        QTest::keyClicks(panel_->EditBox(), "smith");
        QTest::keyClick(panel_->EditBox(), Qt::Key_Return);
        QCOMPARE(owner_.searches.size(), size_t{1});
        QCOMPARE(owner_.searches[0].path, names);

        ChooseFromMenu(0, nullptr);  // cancelled
        QCOMPARE(Text(panel_->WordListPath()), names);

        ChooseFromMenu(CSearchPanel::ID_BUILT_IN_DICTIONARY, nullptr);
        QCOMPARE(Text(panel_->WordListPath()), QString());
        QVERIFY(QString::fromStdString(panel_->HtmlArea()->PageSource())
                    .contains("Built-in Dictionary</a><br>"));
        QTest::keyClick(panel_->EditBox(), Qt::Key_Return);
        QCOMPARE(owner_.searches.size(), size_t{2});
        QCOMPARE(owner_.searches[1].path, QString());
        QVERIFY(!panel_->ChooseWordList(CSearchPanel::ID_FIRST_WORD_LIST + 5));
    }

    void storedTabSetsTheMode_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("mode");
        QTest::newRow("none stored") << -1 << SEARCH_TAB_PUZZLE;
        QTest::newRow("anagram") << 1 << SEARCH_TAB_ANAGRAM;
        QTest::newRow("wildcard") << 2 << SEARCH_TAB_WILDCARD;
        QTest::newRow("phonetic") << 3 << SEARCH_TAB_PHONETIC;
        QTest::newRow("meaning") << 4 << SEARCH_TAB_MEANING;
        QTest::newRow("out of range") << 9 << SEARCH_TAB_PUZZLE;
    }
    void storedTabSetsTheMode() {
        QFETCH(int, stored);
        QFETCH(int, mode);
        if (stored >= 0) {
            settings_->WriteInteger(SETTINGS_KEY, SETTING_SEARCH_TAB, stored);
        }
        Create(kPortraitWidth);
        QCOMPARE(tabs_->CurrentTab(), mode);
        QCOMPARE(panel_->Mode(), mode);
        QCOMPARE(panel_->EditBox()->isVisibleTo(panel_),
                 mode == SEARCH_TAB_WILDCARD || mode == SEARCH_TAB_PHONETIC);
        QCOMPARE(panel_->Slider()->isVisibleTo(panel_), mode < SEARCH_TAB_WILDCARD);
    }

    void tabChangeStoresTheTab() {
        Create(kPortraitWidth);
        QCOMPARE(tabs_->Tabs()->count(), 5);
        QCOMPARE(tabs_->Tabs()->tabText(4), QString("Meaning"));
        // All five share the width of a portrait screen.
        QVERIFY(tabs_->Tabs()->tabRect(4).right() < kPortraitWidth);
        QVERIFY(tabs_->Tabs()->tabRect(4).width() >= kPortraitWidth / 5 - 1);
        tabs_->SelectTab(SEARCH_TAB_ANAGRAM);
        QCOMPARE(panel_->Mode(), SEARCH_TAB_ANAGRAM);
        QCOMPARE(ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_SEARCH_TAB, -1), 1);
        // The mode commands change the panel only.
        QVERIFY(panel_->RunCommand(CSearchPanel::ID_MODE_PUZZLE + 2));
        QCOMPARE(panel_->Mode(), SEARCH_TAB_WILDCARD);
        QCOMPARE(tabs_->CurrentTab(), SEARCH_TAB_ANAGRAM);
        QCOMPARE(ReadIntegerOr(*settings_, SETTINGS_KEY, SETTING_SEARCH_TAB, -1), 1);
        QVERIFY(!panel_->RunCommand(32833));
    }

    void eachModeKeepsItsLetters() {
        Create(kPortraitWidth);
        panel_->setFocus();
        Type(panel_, "cat");
        tabs_->SelectTab(SEARCH_TAB_ANAGRAM);
        panel_->setFocus();
        Type(panel_, "dog");
        tabs_->SelectTab(SEARCH_TAB_PUZZLE);
        QCOMPARE(Text(panel_->Letters()), QString("CAT"));
        QCOMPARE(panel_->Cursor(), 0);
    }

    void routedKeysReachTheBoxes() {
        Create(kPortraitWidth);
        other_->setFocus();
        QVERIFY(!panel_->hasFocus());
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QVERIFY(!panel_->RouteKey(&letter));  // the character is not consumed
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QVERIFY(panel_->RouteKey(&left));
        QCOMPARE(Text(panel_->Letters()), QString("A"));
        QCOMPARE(panel_->Cursor(), 0);
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QVERIFY(!panel_->RouteKey(&up));
        // With the focus on the panel its own handling runs instead.
        panel_->setFocus();
        QVERIFY(!panel_->RouteKey(&letter));
        QCOMPARE(Text(panel_->Letters()), QString("A"));
    }

    void aRoutedKeyActsOnceWhenAChildLeavesItUnused_data() {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("searches");
        for (const char* child : {"searchSlider", "searchHtml"}) {
            QTest::addRow("%s, letters", child) << child << "cat"
                                                << "CAT" << 0;
            QTest::addRow("%s, Backspace", child) << child << "cab\bt"
                                                  << "CAT" << 0;
            QTest::addRow("%s, Enter", child) << child << "cat\r"
                                              << "CAT" << 1;
        }
    }

    void aRoutedKeyActsOnceWhenAChildLeavesItUnused() {
        QFETCH(QString, child);
        QFETCH(QString, typed);
        QFETCH(QString, letters);
        QFETCH(int, searches);
        Create(kPortraitWidth);
        auto* focused = panel_->findChild<QWidget*>(child);
        QVERIFY(focused != nullptr);
        focused->setFocus();
        QVERIFY(!panel_->hasFocus());
        // As the main window does: the panel's routing first, then the focused child, from
        // which an unused key travels on up to the panel.
        for (const QChar c : typed) {
            const int key = c == u'\b'   ? Qt::Key_Backspace
                            : c == u'\r' ? Qt::Key_Return
                                         : Qt::Key_A + (c.unicode() - u'a');
            const QString text = c == u'\b' ? QString() : QString(c);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            if (!panel_->RouteKey(&press)) {
                QApplication::sendEvent(focused, &press);
            }
        }
        QCOMPARE(Text(panel_->Letters()), letters);
        QCOMPARE(static_cast<int>(owner_.searches.size()), searches);
    }
};

QTEST_MAIN(SearchPanelTabsTest)
#include "search_panel_tabs_test.moc"
