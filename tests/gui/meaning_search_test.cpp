// The Meaning tab of the Search view: its description and pattern boxes and what they send;
// the tab switched off for a database without the meaning index; searches by meaning in the
// main window, end to end, on a fixture whose meaning index the builder wrote (rows best first,
// the pattern, the status rows, the result limit, Stop) and on the real dictionary.

#include <QApplication>
#include <QTabBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/meaning_search_box.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "support/frame_test_support.h"
#include "support/meaning_fixture.h"
#include "support/real_database.h"
#include "support/recording_search_owner.h"
#include "ui/context_edit.h"
#include "ui/html_display.h"

namespace {

const MeaningSense kSenses[] = {
    {{"arachnophobia"}, "a morbid fear of spiders", "an anxiety disorder of unreasonable fear"},
    {{"acrophobia"}, "a morbid fear of great heights", "an anxiety disorder of unreasonable fear"},
    {{"spider"}, "predatory arachnid with eight legs that spins webs", "a small animal"},
    {{"fright"}, "an emotion of sudden fear", "a feeling"},
    {{"bibliophile", "book lover"},
     "someone who loves (and usually collects) books",
     "a person who loves something"},
};

// A dictionary of the senses' words with the meaning index the builder makes of them.
std::unique_ptr<CDictionaryDatabase> OpenMeaningFixture(const std::string& path) {
    CFixtureWriter fixture;
    AddMeaningSenses(&fixture, kSenses, fixture.Append("word\nthe gloss\n"));
    fixture.Write(path);
    auto database = std::make_unique<CDictionaryDatabase>();
    return database->Open(path.c_str()) ? std::move(database) : nullptr;
}

}  // namespace

class MeaningSearchTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    std::unique_ptr<CDictionaryDatabase> meaning_;  // with the meaning index
    std::unique_ptr<CDictionaryDatabase> plain_;    // without
    std::unique_ptr<CDictionaryDatabase> real_;     // the real dictionary, when built
    CRecordingOwner owner_;
    std::unique_ptr<QWidget> window_;

    // A Search view of its own for the panel's side, with or without the Meaning tab.
    CSearchTabCtrl* MakeTabs(bool meaningAvailable) {
        window_ = std::make_unique<QWidget>();
        auto* tabs = new CSearchTabCtrl(&owner_, &settings_, meaningAvailable, window_.get());
        tabs->setGeometry(0, 0, 240, 294);
        window_->resize(240, 320);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        return tabs;
    }

    // The main window over database, on the Search view; false when it could not be shown.
    bool ShowSearchView(CDictionaryDatabase* database) {
        frame_ = std::make_unique<CLexicoveFrame>(database, &settings_);
        frame_->SetMessageBoxHook([](const QString&) {});
        if (!ShowFrame(frame_.get())) {
            return false;
        }
        frame_->RunCommand(ID_SEARCH_VIEW);
        return frame_->SearchTabs() != nullptr;
    }

    // The main window over database, on the Meaning tab.
    CSearchPanel* ShowMeaningTab(CDictionaryDatabase* database) {
        if (!ShowSearchView(database)) {
            return nullptr;
        }
        frame_->SearchTabs()->SelectTab(SEARCH_TAB_MEANING);
        QCoreApplication::processEvents();
        return frame_->SearchPanel();
    }

    // Types the description and the pattern into their boxes and presses Enter in the last box
    // typed into.
    static void Describe(CSearchPanel* panel, const QString& description, const QString& pattern) {
        CMeaningSearchBox* box = panel->MeaningBox();
        box->DescriptionBox()->clear();
        box->PatternBox()->clear();
        QTest::keyClicks(box->DescriptionBox(), description);
        CContextEdit* last = box->DescriptionBox();
        if (!pattern.isEmpty()) {
            QTest::keyClicks(box->PatternBox(), pattern);
            last = box->PatternBox();
        }
        QTest::keyClick(last, Qt::Key_Return);
    }

  private slots:
    void initTestCase() {
        // Found before the program folder moves to the test's own.
        const std::string realPath = RealDatabasePath();
        SetUpHome();
        meaning_ = OpenMeaningFixture(home_.Path() + "/meaning.lcv");
        QVERIFY(meaning_ != nullptr);
        QVERIFY(meaning_->MeaningIndex().Available());
        plain_ = OpenFixtureDictionary(home_.Path() + "/plain.lcv", {"arachnophobia", "fright"});
        QVERIFY(plain_ != nullptr);
        QVERIFY(!plain_->MeaningIndex().Available());
        real_ = std::make_unique<CDictionaryDatabase>();
        if (!real_->Open(realPath.c_str())) {
            real_.reset();
        }
    }

    void init() {
        ClearSettings();
        owner_ = CRecordingOwner();
        GetOptionsRecord() = COptionsRecord();
    }

    void cleanup() {
        g_searchGate = true;
        CloseFrame();
        window_.reset();
        GetOptionsRecord() = COptionsRecord();
    }

    void theMeaningTabShowsTheDescriptionAndPatternBoxes() {
        CSearchTabCtrl* tabs = MakeTabs(true);
        CSearchPanel* panel = tabs->Panel();
        QCOMPARE(tabs->Tabs()->tabText(SEARCH_TAB_MEANING), QString("Meaning"));
        tabs->SelectTab(SEARCH_TAB_MEANING);
        QCOMPARE(panel->Mode(), SEARCH_TAB_MEANING);
        QCOMPARE(ReadIntegerOr(settings_, SETTINGS_KEY, SETTING_SEARCH_TAB, -1),
                 SEARCH_TAB_MEANING);
        QVERIFY(panel->MeaningBox()->isVisibleTo(panel));
        QVERIFY(!panel->EditBox()->isVisibleTo(panel));
        QVERIFY(!panel->Slider()->isVisibleTo(panel));
        QTRY_COMPARE(QApplication::focusWidget(), panel->MeaningBox()->DescriptionBox());
        const QString page = panel->HtmlArea()->toPlainText();
        QVERIFY2(page.contains("Meaning Search:"), qPrintable(page));
        QVERIFY2(!page.contains("Word List:"), qPrintable(page));
        // The boxes sit between the tabs and the HTML area, clear of the Search button.
        const QRect pattern =
            panel->MeaningBox()->PatternBox()->geometry().translated(panel->MeaningBox()->pos());
        QVERIFY(pattern.bottom() < panel->HtmlArea()->geometry().top());
        QVERIFY(pattern.right() < panel->SearchButton().Rect().left());
        // Back on Wildcard, its edit box is the input again.
        tabs->SelectTab(SEARCH_TAB_WILDCARD);
        QVERIFY(!panel->MeaningBox()->isVisibleTo(panel));
        QVERIFY(panel->EditBox()->isVisibleTo(panel));
    }

    void theBoxesAreSentLowerCased_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("sent");
        QTest::newRow("description") << "Fear of SPIDERS"
                                     << "" << 1;
        QTest::newRow("with a pattern, Enter in the pattern box") << "fear of spiders"
                                                                  << "*PHOBIA" << 1;
        QTest::newRow("an empty description sends nothing") << ""
                                                            << "*phobia" << 0;
    }

    void theBoxesAreSentLowerCased() {
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(int, sent);
        CSearchTabCtrl* tabs = MakeTabs(true);
        tabs->SelectTab(SEARCH_TAB_MEANING);
        Describe(tabs->Panel(), description, pattern);
        QCOMPARE(static_cast<int>(owner_.meaningSearches.size()), sent);
        QVERIFY(owner_.searches.empty());
        if (sent == 1) {
            QCOMPARE(owner_.meaningSearches[0].first, description.toLower());
            QCOMPARE(owner_.meaningSearches[0].second, pattern.toLower());
        }
        // The Search command sends the same again.
        tabs->Panel()->RunCommand(CSearchPanel::ID_SEARCH);
        QCOMPARE(static_cast<int>(owner_.meaningSearches.size()), 2 * sent);
    }

    void withoutTheIndexTheTabIsDisabledAndSaysWhy() {
        settings_.WriteInteger(SETTINGS_KEY, SETTING_SEARCH_TAB, SEARCH_TAB_MEANING);
        CSearchTabCtrl* tabs = MakeTabs(false);
        CSearchPanel* panel = tabs->Panel();
        QVERIFY(!tabs->Tabs()->isTabEnabled(SEARCH_TAB_MEANING));
        QCOMPARE(tabs->Tabs()->tabToolTip(SEARCH_TAB_MEANING),
                 QString(CSearchTabCtrl::NO_MEANING_INDEX));
        // The stored Meaning tab starts on Puzzle; neither the tab nor its command reach it.
        QCOMPARE(tabs->CurrentTab(), SEARCH_TAB_PUZZLE);
        QCOMPARE(panel->Mode(), SEARCH_TAB_PUZZLE);
        tabs->SelectTab(SEARCH_TAB_MEANING);
        QCOMPARE(tabs->CurrentTab(), SEARCH_TAB_PUZZLE);
        panel->RunCommand(CSearchPanel::ID_MODE_PUZZLE + SEARCH_TAB_MEANING);
        QCOMPARE(panel->Mode(), SEARCH_TAB_PUZZLE);
        QVERIFY(!panel->MeaningBox()->isVisibleTo(panel));
    }

    void theMainWindowDisablesTheTabForAnOldDatabase() {
        QVERIFY(ShowSearchView(plain_.get()));
        QVERIFY(!frame_->SearchTabs()->Tabs()->isTabEnabled(SEARCH_TAB_MEANING));
        QVERIFY(!frame_->SearchTabs()->Tabs()->tabToolTip(SEARCH_TAB_MEANING).isEmpty());
    }

    void aMeaningSearchFillsTheSearchedTab_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("rows");
        // "spider" is left out: a word made of the description's own terms tells nothing.
        QTest::newRow("best first")
            << "fear of spiders"
            << "" << 128 << QStringList({"arachnophobia", "acrophobia", "fright", "< Completed >"});
        QTest::newRow("a pattern keeps its words")
            << "fear of spiders"
            << "*phobia" << 128 << QStringList({"arachnophobia", "acrophobia", "< Completed >"});
        QTest::newRow("the limit counts the words the pattern keeps")
            << "fear of spiders"
            << "f*" << 1 << QStringList({"fright", "< Truncated >"});
        QTest::newRow("a pattern that keeps none")
            << "fear of spiders"
            << "z*" << 128 << QStringList({"< No word found >"});
        QTest::newRow("no term to look for") << "of the"
                                             << "" << 128 << QStringList({"< Invalid Query >"});
        QTest::newRow("a pattern that is no pattern")
            << "fear"
            << "()" << 128 << QStringList({"< Invalid Query >"});
        QTest::newRow("words the dictionary does not use")
            << "zzyzx"
            << "" << 128 << QStringList({"< No word found >"});
    }

    void aMeaningSearchFillsTheSearchedTab() {
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(int, limit);
        QFETCH(QStringList, rows);
        GetOptionsRecord().SetResultLimit(limit);
        CSearchPanel* panel = ShowMeaningTab(meaning_.get());
        QVERIFY(panel != nullptr);
        QCOMPARE(panel->Mode(), SEARCH_TAB_MEANING);
        Describe(panel, description, pattern);
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        QTRY_COMPARE(ListRows(frame_->ListBox()).size(), rows.size());
        // The best word first and the status row last; the order of the others is the
        // ranking's, which the meaning index tests check.
        QStringList got = ListRows(frame_->ListBox());
        QCOMPARE(got.first(), rows.first());
        QCOMPARE(got.last(), rows.last());
        got.sort();
        rows.sort();
        QCOMPARE(got, rows);
    }

    void stopSearchingCancelsAMeaningSearch() {
        CSearchPanel* panel = ShowMeaningTab(meaning_.get());
        QVERIFY(panel != nullptr);
        g_searchGate = false;
        frame_->SearchWorker()->SetThreadStarter(GatedSearchThread);
        Describe(panel, "fear of spiders", "");
        QVERIFY(frame_->Action(ID_STOP_SEARCHING)->isEnabled());
        frame_->RunCommand(ID_STOP_SEARCHING);
        g_searchGate = true;
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        QTRY_COMPARE(ListRows(frame_->ListBox()), QStringList({"< Cancelled >"}));
    }

    void theRealDictionaryAnswersDescriptions_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("first");
        QTest::newRow("fear of spiders") << "fear of spiders"
                                         << ""
                                         << "arachnophobia";
        QTest::newRow("with a pattern") << "fear of heights"
                                        << "*phobia"
                                        << "acrophobia";
        QTest::newRow("a pattern far down the ranking") << "a person who loves books"
                                                        << "b*"
                                                        << "bibliophile";
    }

    void theRealDictionaryAnswersDescriptions() {
        if (real_ == nullptr) {
            QSKIP("no real database (scripts/dev.sh database builds it)");
        }
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(QString, first);
        CSearchPanel* panel = ShowMeaningTab(real_.get());
        QVERIFY(panel != nullptr);
        Describe(panel, description, pattern);
        // The status row comes last, once the posted rows are all in.
        QTRY_VERIFY(ListRows(frame_->ListBox()).size() > 1 &&
                    ListRows(frame_->ListBox()).last().startsWith('<'));
        const QStringList rows = ListRows(frame_->ListBox());
        QVERIFY(rows.size() >= 2);
        QCOMPARE(rows.first(), first);
        QVERIFY2(rows.last() == "< Completed >" || rows.last() == "< Truncated >",
                 qPrintable(rows.last()));
        if (!pattern.isEmpty()) {
            const QString prefix = pattern.left(pattern.indexOf('*'));
            const QString suffix = pattern.mid(pattern.indexOf('*') + 1);
            for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
                QVERIFY2(rows[i].startsWith(prefix) && rows[i].endsWith(suffix),
                         qPrintable(rows[i]));
            }
        }
    }
};

QTEST_MAIN(MeaningSearchTest)
#include "meaning_search_test.moc"
