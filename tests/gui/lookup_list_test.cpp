#include "frame/lookup_list.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/code_page.h"
#include "app/messages.h"
#include "db/dictionary_database.h"
#include "support/fixture_writer.h"
#include "support/posted_message_recorder.h"
#include "support/real_database.h"
#include "support/temp_dir.h"

namespace {

constexpr int kPage = 5;

// The fixture dictionary: bat, bet, ... mut (ten consonants, five vowels), in trie order.
std::vector<std::string> FixtureWords() {
    std::vector<std::string> words;
    for (char first : std::string("bcdfghjklm")) {
        for (char vowel : std::string("aeiou")) {
            words.push_back(std::string{first, vowel, 't'});
        }
    }
    std::sort(words.begin(), words.end());
    return words;
}

QStringList Texts(const std::vector<std::string>& words, size_t from, size_t count) {
    QStringList texts;
    for (size_t i = from; i < from + count && i < words.size(); ++i) {
        texts << QString::fromStdU16String(CodePageToUtf16(words[i]));
    }
    return texts;
}

QStringList Rows(const CLookupList& list) {
    QStringList rows;
    for (int row = 0; row < list.count(); ++row) {
        rows << list.item(row)->text();
    }
    return rows;
}

// Lets the list handle what it posted to itself (the refill after a size change).
void DeliverPosted(CLookupList* list) {
    QCoreApplication::sendPostedEvents(list, CPostedMessage::EventType());
}

void ResizeToRows(CLookupList* list, int rows) {
    list->resize(200, rows * list->RowHeight() + 2 * list->frameWidth());
}

}  // namespace

class LookupListTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        words_ = FixtureWords();
        CFixtureWriter writer;
        for (const std::string& word : words_) {
            writer.AddWord(word);
        }
        path_ = dir_.Path() + "fixture.lcv";
        writer.Write(path_);
        QVERIFY(database_.Open(path_.c_str()));
    }

    void init() {
        frame_ = std::make_unique<CPostedMessageRecorder>();
        frame_->resize(240, 320);
        list_ = new CLookupList(&database_, frame_.get());
        ResizeToRows(list_, kPage);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        DeliverPosted(list_);
    }
    void cleanup() { frame_.reset(); }

    void firstPageFillsOnCreation() {
        QCOMPARE(list_->PageSize(), kPage);
        QVERIFY(list_->IsFilled());
        QCOMPARE(Rows(*list_), Texts(words_, 0, kPage));
        QCOMPARE(list_->SelectedRow(), -1);
    }

    void scrollBarAlongTheRightEdge() {
        QScrollBar* bar = list_->ScrollBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->orientation(), Qt::Vertical);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), CLookupList::SCROLL_RANGE);
        QCOMPARE(bar->pageStep(), 1);
        QCOMPARE(bar->geometry().right(), list_->width() - 1);
        QCOMPARE(bar->height(), list_->height());
        // The rows end where the bar begins.
        QVERIFY(list_->viewport()->geometry().right() < bar->geometry().left());
    }

    void setTopWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("top");       // index in the fixture of the first row's word
        QTest::addColumn<int>("selected");  // the selected row, -1 for none
        const int count = static_cast<int>(FixtureWords().size());
        QTest::newRow("empty text: first page") << "" << 0 << 0;
        QTest::newRow("a space: first page") << " " << 0 << 0;
        QTest::newRow("a word: at the top") << "dot" << Index("dot") << 0;
        QTest::newRow("not a word: the next word") << "dov" << Index("dut") << 0;
        QTest::newRow("before every word") << "a" << 0 << 0;
        QTest::newRow("near the end: filled from before") << "mot" << count - kPage << kPage - 2;
        QTest::newRow("after every word: last page, none selected") << "zz" << count - kPage << -1;
    }

    void setTopWord() {
        QFETCH(QString, text);
        QFETCH(int, top);
        QFETCH(int, selected);
        list_->SetTopWord(text.toStdU16String());
        QCOMPARE(Rows(*list_), Texts(words_, top, kPage));
        QCOMPARE(list_->SelectedRow(), selected);
        const std::string converted = Utf16ToCodePage(text.toStdU16String());
        QCOMPARE(list_->ScrollPosition(), database_.PrefixSlot(converted.c_str()));
        QCOMPARE(list_->ScrollBar()->value(), list_->ScrollPosition());
    }

    void rowsCarryTheirWordNumbers() {
        list_->SetTopWord(u"caf");
        QCOMPARE(list_->count(), kPage);
        for (int row = 0; row < list_->count(); ++row) {
            const std::string word = list_->RowWord(row);
            QVERIFY(database_.FindWord(word.c_str()) != 0);
            QCOMPARE(list_->item(row)->data(Qt::UserRole).toUInt(),
                     database_.FindWord(word.c_str()));
        }
    }

    void keys_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("selectRow");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("top");  // the first row's word afterwards
        QTest::addColumn<int>("selected");
        const int down = Qt::Key_Down;
        const int up = Qt::Key_Up;
        const int last = kPage - 1;
        QTest::newRow("Down on the last row scrolls by one")
            << "dat" << last << down << At(Index("dat") + 1) << last;
        QTest::newRow("Down inside the page moves the selection")
            << "dat" << 1 << down << "dat" << 2;
        QTest::newRow("Down on the last word stays") << "zz" << last << down << At(-kPage) << last;
        QTest::newRow("Up on row 0 scrolls back by one")
            << "dat" << 0 << up << At(Index("dat") - 1) << 0;
        QTest::newRow("Up inside the page moves the selection") << "dat" << 2 << up << "dat" << 1;
        QTest::newRow("Up on the first word stays") << "" << 0 << up << At(0) << 0;
        QTest::newRow("Page Down by a page")
            << "dat" << 0 << int(Qt::Key_PageDown) << At(Index("dat") + kPage) << -1;
        QTest::newRow("Page Up by a page")
            << "hat" << 0 << int(Qt::Key_PageUp) << At(Index("hat") - kPage) << -1;
        // A selected word that stays on the page stays selected.
        QTest::newRow("Page Up near the start: first page")
            << "bot" << 0 << int(Qt::Key_PageUp) << At(0) << Index("bot");
        QTest::newRow("Page Down on the last page stays")
            << "mat" << 0 << int(Qt::Key_PageDown) << At(-kPage) << 0;
    }

    void keys() {
        QFETCH(QString, start);
        QFETCH(int, selectRow);
        QFETCH(int, key);
        QFETCH(QString, top);
        QFETCH(int, selected);
        list_->SetTopWord(start.toStdU16String());
        list_->setCurrentRow(selectRow);
        QTest::keyClick(list_, static_cast<Qt::Key>(key));
        QCOMPARE(list_->count(), kPage);
        QCOMPARE(list_->item(0)->text(), top);
        QCOMPARE(list_->SelectedRow(), selected);
        QCOMPARE(Rows(*list_), Texts(words_, Index(top.toStdString()), kPage));
    }

    void handleKeyReportsWhatItHandled() {
        list_->SetTopWord(u"dat");
        list_->setCurrentRow(2);
        QVERIFY(!list_->HandleKey(Qt::Key_Up));
        QVERIFY(!list_->HandleKey(Qt::Key_Down));
        QVERIFY(!list_->HandleKey(Qt::Key_Home));
        QCOMPARE(list_->item(0)->text(), QString("dat"));
        QVERIFY(list_->HandleKey(Qt::Key_PageDown));
        list_->clear();
        QVERIFY(!list_->HandleKey(Qt::Key_PageDown));
    }

    void scrollBarActions_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("moveBy");
        QTest::newRow("line down") << int(QAbstractSlider::SliderSingleStepAdd) << 1;
        QTest::newRow("line up") << int(QAbstractSlider::SliderSingleStepSub) << -1;
        QTest::newRow("page down: a page less one")
            << int(QAbstractSlider::SliderPageStepAdd) << kPage - 1;
        QTest::newRow("page up: a page less one")
            << int(QAbstractSlider::SliderPageStepSub) << 1 - kPage;
    }

    void scrollBarActions() {
        QFETCH(int, action);
        QFETCH(int, moveBy);
        const int start = Index("hat");
        list_->SetTopWord(u"hat");
        list_->ScrollBar()->triggerAction(static_cast<QAbstractSlider::SliderAction>(action));
        QCOMPARE(Rows(*list_), Texts(words_, start + moveBy, kPage));
        // The bar shows the slot of the new first word, not its own step.
        QCOMPARE(list_->ScrollPosition(), database_.PrefixSlot(list_->RowWord(0).c_str()));
        QCOMPARE(list_->ScrollBar()->value(), list_->ScrollPosition());
    }

    void scrollBarTopAndBottom() {
        list_->SetTopWord(u"hat");
        list_->ScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(Rows(*list_), Texts(words_, words_.size() - kPage, kPage));
        list_->ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(Rows(*list_), Texts(words_, 0, kPage));
        QCOMPARE(list_->ScrollBar()->value(), 0);
    }

    void thumbDrag() {
        QScrollBar* bar = list_->ScrollBar();
        bar->setSliderDown(true);
        bar->setSliderPosition(CLookupList::SCROLL_RANGE);
        QCOMPARE(Rows(*list_), Texts(words_, words_.size() - kPage, kPage));
        QCOMPARE(list_->ScrollPosition(), CLookupList::SCROLL_RANGE);
        QCOMPARE(list_->SelectedRow(), -1);
        // Slot 512 starts at the word the prefix table put there: the middle of the fixture.
        bar->setSliderPosition(512);
        QCOMPARE(Rows(*list_), Texts(words_, 512 * words_.size() / 1024, kPage));
        bar->setSliderPosition(0);
        bar->setSliderDown(false);
        QCOMPARE(Rows(*list_), Texts(words_, 0, kPage));
        QCOMPARE(list_->ScrollPosition(), 0);
        QCOMPARE(bar->value(), 0);
    }

    // The bar's own context menu ("Scroll here") moves it by value, without an action.
    void barValueSetDirectlyMovesThePage() {
        list_->ScrollBar()->setValue(CLookupList::SCROLL_RANGE);
        QCOMPARE(Rows(*list_), Texts(words_, words_.size() - kPage, kPage));
        QCOMPARE(list_->ScrollPosition(), CLookupList::SCROLL_RANGE);
    }

    void scrollToTheSameSlotKeepsThePage() {
        list_->SetTopWord(u"hat");
        list_->setCurrentRow(1);
        list_->ScrollToSlot(list_->ScrollPosition());
        QCOMPARE(list_->item(0)->text(), QString("hat"));
        QCOMPARE(list_->SelectedRow(), 1);
    }

    void resize_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("more rows: topped up with the following words") << kPage + 3;
        QTest::newRow("fewer rows: dropped from the end") << kPage - 3;
        QTest::newRow("no whole row: nothing changes") << 0;
    }

    void resize() {
        QFETCH(int, rows);
        list_->SetTopWord(u"dat");
        ResizeToRows(list_, rows);
        QCOMPARE(list_->PageSize(), rows);
        QCOMPARE(list_->IsFilled(), rows == kPage);
        DeliverPosted(list_);
        // With room for no row, the page stays as it was.
        const int expect = rows == 0 ? kPage : rows;
        QCOMPARE(Rows(*list_), Texts(words_, Index("dat"), expect));
        QCOMPARE(list_->ScrollBar()->height(), list_->height());
    }

    void operationBeforeTheRefillWins() {
        ResizeToRows(list_, kPage + 2);
        list_->SetTopWord(u"mat");
        DeliverPosted(list_);
        QCOMPARE(list_->item(0)->text(), At(-(kPage + 2)));
        QCOMPARE(list_->SelectedRow(), 2);
    }

    void wheelScrollsTheList() {
        list_->SetTopWord(u"dat");
        const QPoint at = list_->viewport()->rect().center();
        QWheelEvent wheel(at, list_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list_->viewport(), &wheel);
        const int lines = QApplication::wheelScrollLines();
        QCOMPARE(list_->item(0)->text(), At(Index("dat") + lines));
    }

    void tapOnARowPostsToTheFrame() {
        list_->SetTopWord(u"dat");
        const QPoint point = list_->visualItemRect(list_->item(3)).center();
        QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, point);
        const auto posted = frame_->Received(WM_LIST_ITEM_ACTIVATED);
        QCOMPARE(posted.size(), size_t{1});
        QCOMPARE(posted[0].wParam, intptr_t{3});
        QCOMPARE(list_->ChildId(), CLookupList::LOOKUP_LIST_ID);
    }

    void realDictionary() {
        CDictionaryDatabase real;
        if (!real.Open(RealDatabasePath().c_str())) {
            QSKIP("no real database (LEXICOVE_HOME or LEXICOVE_DATABASE)");
        }
        frame_.reset();
        CPostedMessageRecorder frame;
        frame.resize(240, 320);
        auto* list = new CLookupList(&real, &frame);
        list->setGeometry(0, 0, 240, 320);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        DeliverPosted(list);
        const int page = list->PageSize();
        QVERIFY(page > 3);
        QCOMPARE(list->count(), page);

        list->SetTopWord(u"dictionary");
        QCOMPARE(list->item(0)->text(), QString("dictionary"));
        QCOMPARE(list->SelectedRow(), 0);
        QCOMPARE(list->item(0)->data(Qt::UserRole).toUInt(), real.FindWord("dictionary"));
        const QString second = list->item(1)->text();
        list->setCurrentRow(page - 1);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->item(0)->text(), second);
        QCOMPARE(list->SelectedRow(), page - 1);

        // The bottom of the bar and a text after every word give the same last page.
        list->ScrollBar()->setSliderPosition(CLookupList::SCROLL_RANGE);
        const QStringList bottom = Rows(*list);
        QCOMPARE(bottom.size(), page);
        list->SetTopWord(u"~~~");
        QCOMPARE(Rows(*list), bottom);
        QVERIFY(std::is_sorted(bottom.begin(), bottom.end()));
    }

  private:
    static int Index(const std::string& word) {
        const std::vector<std::string> words = FixtureWords();
        return static_cast<int>(std::find(words.begin(), words.end(), word) - words.begin());
    }
    // The fixture word at index (negative: from the end), as a row shows it.
    static QString At(int index) {
        const std::vector<std::string> words = FixtureWords();
        const size_t at = index < 0 ? words.size() + index : static_cast<size_t>(index);
        return QString::fromStdU16String(CodePageToUtf16(words[at]));
    }

    CTempDir dir_;
    std::string path_;
    std::vector<std::string> words_;
    CDictionaryDatabase database_;
    std::unique_ptr<CPostedMessageRecorder> frame_;
    CLookupList* list_ = nullptr;
};

QTEST_MAIN(LookupListTest)
#include "lookup_list_test.moc"
