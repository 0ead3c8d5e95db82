#include "lists/gui/word_list_box.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/messages.h"
#include "lists/word_list.h"
#include "platform/tap_and_hold.h"
#include "support/posted_message_recorder.h"

namespace {

constexpr int kChildId = 3002;
constexpr int kHoldInterval = 40;  // the tests' hold interval, in place of 600 ms

void FillList(CWordList* list, const std::vector<const char*>& items) {
    for (const char* item : items) {
        list->Add(item);
    }
}

}  // namespace

class WordListBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        parent_ = std::make_unique<CPostedMessageRecorder>();
        parent_->resize(240, 320);
        box_ = new CWordListBox(kChildId, parent_.get());
        box_->setGeometry(0, 0, 240, 320);
        box_->TapAndHold()->SetHoldInterval(kHoldInterval);
        CWordList words;
        FillList(&words, {"alpha", "beta", "gamma", "delta"});
        box_->Fill(words);
        parent_->show();
        QVERIFY(QTest::qWaitForWindowExposed(parent_.get()));
        parent_->Clear();
    }
    void cleanup() { parent_.reset(); }

    void tapOnARowSelectsItAndPostsOnce() {
        QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, RowCentre(2));
        QCOMPARE(box_->SelectedRow(), 2);
        const auto posted = parent_->Received(WM_LIST_ITEM_ACTIVATED);
        QCOMPARE(posted.size(), size_t{1});
        QCOMPARE(posted[0].wParam, intptr_t{2});
        QCOMPARE(posted[0].lParam, reinterpret_cast<intptr_t>(box_));
        QCOMPARE(parent_->Received().size(), size_t{1});
    }

    void tapBelowTheLastRowPostsNothing() {
        const QRect last = box_->visualItemRect(box_->item(3));
        QVERIFY(last.bottom() + 20 < box_->viewport()->height());
        QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, QPoint(20, last.bottom() + 20));
        QVERIFY(parent_->Received().empty());
    }

    void postsGoToTheReceiverGiven() {
        CPostedMessageRecorder frame;
        box_->SetReceiver(&frame);
        QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, RowCentre(1));
        QCOMPARE(frame.Received(WM_LIST_ITEM_ACTIVATED).size(), size_t{1});
        QVERIFY(parent_->Received().empty());
    }

    void enter_data() {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<int>("selectRow");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expectRow");  // -1: nothing posted
        QTest::newRow("selected row, Return") << false << 1 << int(Qt::Key_Return) << 1;
        QTest::newRow("selected row, keypad Enter") << false << 3 << int(Qt::Key_Enter) << 3;
        QTest::newRow("no row selected") << false << -1 << int(Qt::Key_Return) << -1;
        QTest::newRow("empty list") << true << -1 << int(Qt::Key_Return) << -1;
    }

    void enter() {
        QFETCH(bool, empty);
        QFETCH(int, selectRow);
        QFETCH(int, key);
        QFETCH(int, expectRow);
        if (empty) {
            box_->Fill(CWordList());
        }
        box_->clearSelection();
        if (selectRow >= 0) {
            box_->setCurrentRow(selectRow);
        }
        QTest::keyClick(box_, static_cast<Qt::Key>(key));
        const auto posted = parent_->Received(WM_LIST_ITEM_ACTIVATED);
        if (expectRow < 0) {
            QVERIFY(posted.empty());
            return;
        }
        QCOMPARE(posted.size(), size_t{1});
        QCOMPARE(posted[0].wParam, intptr_t{expectRow});
        QCOMPARE(posted[0].lParam, reinterpret_cast<intptr_t>(box_));
    }

    void otherKeysMoveTheSelection() {
        box_->setCurrentRow(1);
        QTest::keyClick(box_, Qt::Key_Down);
        QCOMPARE(box_->SelectedRow(), 2);
        QVERIFY(parent_->Received().empty());
    }

    void holdPostsNothingAndEmitsHeld() {
        QSignalSpy held(box_, &CWordListBox::held);
        const QPoint point = RowCentre(1);
        QTest::mousePress(box_->viewport(), Qt::LeftButton, {}, point);
        QTRY_COMPARE(held.count(), 1);
        QTest::mouseRelease(box_->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(held.at(0).at(0).toInt(), kChildId);
        QCOMPARE(held.at(0).at(1).toPoint(), point);
        QVERIFY(parent_->Received().empty());
    }

    void rightClickIsAHold() {
        QSignalSpy held(box_, &CWordListBox::held);
        QTest::mouseClick(box_->viewport(), Qt::RightButton, {}, RowCentre(3));
        QCOMPARE(held.count(), 1);
        QCOMPARE(held.at(0).at(1).toPoint(), RowCentre(3));
        QVERIFY(parent_->Received().empty());
    }

    void fill_data() {
        QTest::addColumn<QStringList>("second");
        QTest::newRow("another list") << QStringList{"one", "two"};
        QTest::newRow("the same list") << QStringList{"alpha", "beta", "gamma", "delta"};
        QTest::newRow("an empty list") << QStringList{};
    }

    // Every Fill replaces the rows: each item shows once, in list order.
    void fill() {
        QFETCH(QStringList, second);
        CWordList list;
        for (const QString& item : second) {
            list.Add(item.toLatin1().constData());
        }
        box_->Fill(list);
        QStringList shown;
        for (int row = 0; row < box_->count(); ++row) {
            shown << box_->item(row)->text();
        }
        QCOMPARE(shown, second);
    }

    void fillConvertsFromTheCodePage() {
        CWordList list;
        FillList(&list, {"caf\xe9", "\x95 bullet"});
        box_->Fill(list);
        QCOMPARE(box_->count(), 2);
        QCOMPARE(box_->item(0)->text(), QString::fromUtf8("caf\u00e9"));
        QCOMPARE(box_->item(1)->text(), QString::fromUtf8("\u2022 bullet"));
    }

  private:
    QPoint RowCentre(int row) const { return box_->visualItemRect(box_->item(row)).center(); }

    std::unique_ptr<CPostedMessageRecorder> parent_;
    CWordListBox* box_ = nullptr;
};

QTEST_MAIN(WordListBoxTest)
#include "word_list_box_test.moc"
