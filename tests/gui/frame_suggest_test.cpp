// The main window's answer to a word that is not in the dictionary: the message, then the
// suggestions as the Searched tab's rows with their status row; the rows open their words;
// Enter in the "Look up:" box opens the typed text rather than its alphabetical neighbour.
#include <QTest>
#include <memory>
#include <string>

#include "app/messages.h"
#include "db/dictionary_database.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "lists/gui/word_list_box.h"
#include "platform/message_poster.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "support/fixture_writer.h"
#include "support/frame_test_support.h"

namespace {

const QString kNotFound = "Lexicove could not locate the word definition in current data file.";

}  // namespace

class FrameSuggestTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    QStringList errors_;

    void Deliver() { QCoreApplication::processEvents(); }

  private slots:
    void initTestCase() {
        SetUpHome();
        CFixtureWriter writer;
        for (const char* word : {"receive", "relieve", "deceive", "recess", "teheran", "tea"}) {
            writer.AddWord(word);
        }
        writer.SetUseCount("relieve", 40);
        writer.SetUseCount("receive", 10);
        std::string path = home_.Path() + "/wordnet.lcv";
        writer.Write(path);
        database_ = std::make_unique<CDictionaryDatabase>();
        QVERIFY(database_->Open(path.c_str()));
    }

    void init() {
        ClearSettings();
        errors_.clear();
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([this](const QString& text) { errors_ << text; });
        QVERIFY(ShowFrame(frame_.get()));
        errors_.clear();  // the start word is not in the fixture
    }

    void cleanup() { CloseFrame(); }

    void aMissShowsTheMessageThenTheSuggestions() {
        frame_->SetView(VIEW_CONTENT);
        QVERIFY(!frame_->OpenWord(std::string("Recieve"), true));
        QCOMPARE(errors_, QStringList({kNotFound}));
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QCOMPARE(frame_->LookupEdit()->text().toLower(), QString("recieve"));
        // receive sounds like the text; relieve is used more but sounds otherwise.
        QTRY_COMPARE(ListRows(frame_->ListBox()),
                     QStringList({"receive", "relieve", "deceive", "< Completed >"}));
        // A row opens its word, and the status row nothing.
        CMessagePoster(frame_.get())
            .Post(WM_LIST_ITEM_ACTIVATED, 0, reinterpret_cast<intptr_t>(frame_->ListBox()));
        QTRY_COMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("receive"));
    }

    void aMissOnlyFillsTheSearchedListWhenNotAskedToSwitch() {
        frame_->SelectTab(LIST_FAVORITES);
        frame_->SetView(VIEW_CONTENT);
        QVERIFY(!frame_->OpenWord(std::string("relieev"), false));
        QCOMPARE(errors_, QStringList({kNotFound}));
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentTab(), LIST_FAVORITES);
        QCOMPARE(std::string(frame_->Searched().At(0)), std::string("relieve"));
        frame_->SetView(VIEW_LOOKUP);
        frame_->SelectTab(LIST_SEARCHED);
        QTRY_COMPARE(ListRows(frame_->ListBox()).value(0), QString("relieve"));
    }

    void aMissWithNothingNearSaysNoWordFound() {
        QVERIFY(!frame_->OpenWord(std::string("qqqqqqqqq"), true));
        QCOMPARE(errors_, QStringList({kNotFound}));
        QCOMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QTRY_COMPARE(ListRows(frame_->ListBox()), QStringList({"< No word found >"}));
        // A second miss with the Searched tab on show replaces the rows.
        QVERIFY(!frame_->OpenWord(std::string("tee"), true));
        QTRY_COMPARE(ListRows(frame_->ListBox()), QStringList({"tea", "< Completed >"}));
    }

    void enterOpensTheTypedTextNotItsNeighbour() {
        // "teh" highlights "teheran", which begins with it: Enter opens that row.
        QTest::keyClicks(frame_->LookupEdit(), "teh");
        QCOMPARE(frame_->LookupList()->item(frame_->LookupList()->SelectedRow())->text(),
                 QString("teheran"));
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Return);
        QTRY_COMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("teheran"));
        QVERIFY(errors_.isEmpty());
        // "recieve" highlights "relieve", its neighbour: Enter shows the suggestions instead.
        frame_->SetView(VIEW_LOOKUP);
        frame_->SelectTab(LIST_DICTIONARY);
        frame_->LookupEdit()->clear();
        frame_->LookupEdit()->setFocus();
        QTest::keyClicks(frame_->LookupEdit(), "recieve");
        QCOMPARE(frame_->LookupList()->item(frame_->LookupList()->SelectedRow())->text(),
                 QString("relieve"));
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Return);
        QTRY_COMPARE(frame_->CurrentTab(), LIST_SEARCHED);
        QTRY_COMPARE(ListRows(frame_->ListBox()).value(0), QString("receive"));
        QCOMPARE(frame_->CurrentWord(), std::string("teheran"));
        QCOMPARE(errors_, QStringList({kNotFound}));
        // A typed word the list does not hold but the lookup finds opens as usual.
        frame_->SelectTab(LIST_DICTIONARY);
        frame_->LookupEdit()->clear();
        QTest::keyClicks(frame_->LookupEdit(), "RECEIVE ");
        QTest::keyClick(frame_->LookupEdit(), Qt::Key_Return);
        QTRY_COMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->CurrentWord(), std::string("receive"));
    }

    void aMissDuringASearchLeavesTheSearchedList() {
        g_searchGate = false;
        frame_->SearchWorker()->SetThreadStarter(GatedSearchThread);
        QVERIFY(frame_->SendSearch(WM_SEARCH_PATTERN, u"", u"t*"));
        QVERIFY(!frame_->ShowSuggestions("recieve"));
        QVERIFY(!frame_->OpenWord(std::string("recieve"), true));
        QCOMPARE(frame_->CurrentTab(), LIST_DICTIONARY);
        g_searchGate = true;
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        frame_->SelectTab(LIST_SEARCHED);
        QTRY_COMPARE(ListRows(frame_->ListBox()), QStringList({"tea", "teheran"}));
    }
};

QTEST_MAIN(FrameSuggestTest)
#include "frame_suggest_test.moc"
