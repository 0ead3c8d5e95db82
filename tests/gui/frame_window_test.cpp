// The main window as a user first meets it, on a small fixture dictionary: the first window's
// size and the stored one, typing into the "Look up:" box from any tab, presses held on the
// header band, the check marks of the title's menu, and Lookup Selected Text following the
// page's selection.
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "lists/gui/word_list_box.h"
#include "platform/tap_and_hold.h"
#include "render/render_worker.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

constexpr int kHoldInterval = 20;  // the tests' hold interval, in place of 600 ms

std::vector<uint8_t> Bytes(const QByteArray& data) {
    return std::vector<uint8_t>(data.begin(), data.end());
}

}  // namespace

class FrameWindowTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    // A frame shown at the handheld's size, or with ownSize at the size it chooses itself.
    void MakeFrame(bool ownSize = false) {
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([](const QString&) {});
        QVERIFY(ownSize ? ShowFrame(frame_.get(), QSize()) : ShowFrame(frame_.get()));
    }

    void WaitIdle() { QTRY_VERIFY(!frame_->RenderWorker()->IsBusy()); }

    void Open(const char* word) {
        WaitIdle();
        QVERIFY(frame_->OpenWord(std::string(word), true));
        WaitIdle();
    }

    static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

  private slots:
    void initTestCase() {
        SetUpHome();
        database_ = OpenFixtureDictionary(home_.Path() + "/wordnet.lcv", ThreeLetterWords());
        QVERIFY(database_ != nullptr);
    }

    void init() {
        ClearSettings();
        RemoveListFiles();
    }

    void cleanup() { CloseFrame(); }

    void theFirstWindowHasItsDefaultSizeCentred() {
        MakeFrame(true);
        const QRect available = Available();
        const QSize expected(std::min(1000, available.width() * 9 / 10),
                             std::min(700, available.height() * 9 / 10));
        QCOMPARE(frame_->size(), expected);
        const QPoint offset = frame_->geometry().center() - available.center();
        QVERIFY2(offset.manhattanLength() <= 2, "centred on the screen");
    }

    void theStoredGeometryComesBackOnAScreen_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("restored");
        const QRect available = Available();
        const QRect inside(available.topLeft() + QPoint(30, 40), QSize(300, 250));
        QTest::newRow("on the screen") << inside << inside;
        // A screen to the right that is gone: the window comes back onto the one that exists.
        const QRect gone(available.topRight() + QPoint(2000, 40), QSize(300, 250));
        QTest::newRow("on a screen that is gone") << gone << QRect();
    }

    void theStoredGeometryComesBackOnAScreen() {
        QFETCH(QRect, stored);
        QFETCH(QRect, restored);
        QWidget window;
        window.setGeometry(stored);
        settings_.WriteBinary(SETTINGS_KEY, SETTING_WINDOW_GEOMETRY, Bytes(window.saveGeometry()));
        MakeFrame(true);
        QCOMPARE(frame_->size(), stored.size());
        if (restored.isValid()) {
            QCOMPARE(frame_->geometry(), restored);
        } else {
            QVERIFY(Available().contains(frame_->geometry()));
        }
    }

    void theWindowsGeometryIsStoredAtExit() {
        MakeFrame(true);
        frame_->resize(420, 360);
        QCoreApplication::processEvents();
        CloseFrame();
        std::vector<uint8_t> stored;
        QVERIFY(settings_.ReadBinary(SETTINGS_KEY, SETTING_WINDOW_GEOMETRY, &stored));
        MakeFrame(true);
        QCOMPARE(frame_->size(), QSize(420, 360));
    }

    void typingShowsTheDictionaryList_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");
        QTest::newRow("dictionary, spaces around") << int{LIST_DICTIONARY} << "  dot "
                                                   << "dot";
        QTest::newRow("dictionary, a trailing space") << int{LIST_DICTIONARY} << "dot "
                                                      << "dot";
        QTest::newRow("from Study List") << int{LIST_STUDY} << "g"
                                         << "gat";
        QTest::newRow("from Favorites") << int{LIST_FAVORITES} << "dot"
                                        << "dot";
        QTest::newRow("from Recents") << int{LIST_RECENTS} << " hit"
                                      << "hit";
        QTest::newRow("from Searched") << int{LIST_SEARCHED} << "dox"
                                       << "dut";
    }

    void typingShowsTheDictionaryList() {
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        MakeFrame();
        frame_->SetView(VIEW_LOOKUP);
        frame_->SelectTab(tab);
        QCoreApplication::processEvents();
        QTest::keyClicks(frame_->LookupEdit(), typed);
        QCoreApplication::processEvents();
        QCOMPARE(frame_->CurrentView(), VIEW_LOOKUP);
        QCOMPARE(frame_->CurrentTab(), int{LIST_DICTIONARY});
        CLookupList* list = frame_->LookupList();
        QVERIFY(list->isVisible());
        QVERIFY(!frame_->ListBox()->isVisible());
        QCOMPARE(list->SelectedRow(), 0);
        QCOMPARE(list->item(0)->text(), selected);
    }

    void aTextTheFrameSetsMovesTheListButKeepsTheView() {
        // Lookup Selected Text on a word that is not there: the box takes the text and the
        // word list follows it, while the page stays shown.
        MakeFrame();
        Open("bat");
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QVERIFY(!frame_->OpenWord(std::string(" gxx "), false));
        QCOMPARE(frame_->CurrentView(), VIEW_CONTENT);
        QCOMPARE(frame_->LookupList()->item(0)->text(), QString("hat"));
    }

    void aPressHeldOnTheHeaderBand_data() {
        QTest::addColumn<int>("command");  // the button pressed; 0 for the title
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("menu");
        const QStringList none;
        QTest::newRow("title held")
            << 0 << true << "cat"
            << QStringList({"Copy", "Keep in Study List", "Keep in Favorites"});
        QTest::newRow("title tapped") << 0 << false << "cat" << none;
        QTest::newRow("Back tapped") << int{ID_BACK} << false << "bat" << none;
        QTest::newRow("Back held") << int{ID_BACK} << true << "bat" << none;
        QTest::newRow("Forward held") << int{ID_FORWARD} << true << "cat" << none;
    }

    void aPressHeldOnTheHeaderBand() {
        QFETCH(int, command);
        QFETCH(bool, held);
        QFETCH(QString, word);
        QFETCH(QStringList, menu);
        MakeFrame();
        Open("bat");
        Open("cat");
        if (command == ID_FORWARD) {
            frame_->RunCommand(ID_BACK);
            WaitIdle();
        }
        QWidget* client = frame_->Client();
        auto* hold = client->findChild<CTapAndHold*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(hold != nullptr);
        hold->SetHoldInterval(kHoldInterval);
        CHeaderButton* button = command == ID_BACK      ? &frame_->BackButton()
                                : command == ID_FORWARD ? &frame_->ForwardButton()
                                                        : nullptr;
        const QPoint point = button != nullptr ? button->Rect().center() : QPoint(10, 10);
        QStringList shown;
        QTimer::singleShot(4 * kHoldInterval, this, [&shown] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : popup->actions()) {
                    shown << action->text();
                }
                popup->close();
            }
        });
        QTest::mousePress(client, Qt::LeftButton, {}, point);
        QTest::qWait((held ? 8 : 1) * kHoldInterval);
        QTest::mouseRelease(client, Qt::LeftButton, {}, point);
        QTest::qWait(4 * kHoldInterval);
        WaitIdle();
        QCOMPARE(shown, menu);
        QCOMPARE(QString::fromStdString(frame_->CurrentWord()), word);
        if (button != nullptr) {
            QVERIFY(button->State() != CHeaderButton::STATE_PRESSED);
            QVERIFY(!button->IsTracking());
        }
    }

    void theTitleMenuChecksWhatTheWordIsKeptIn_data() {
        QTest::addColumn<bool>("inStudyList");
        QTest::addColumn<bool>("inFavorites");
        QTest::newRow("in neither") << false << false;
        QTest::newRow("in the Study List") << true << false;
        QTest::newRow("in Favorites") << false << true;
        QTest::newRow("in both") << true << true;
    }

    void theTitleMenuChecksWhatTheWordIsKeptIn() {
        QFETCH(bool, inStudyList);
        QFETCH(bool, inFavorites);
        MakeFrame();
        Open("bat");
        if (inStudyList) {
            frame_->StudyList().Add("bat");
        }
        if (inFavorites) {
            frame_->Favorites().Add("bat");
        }
        QMap<QString, bool> checks;
        QTimer::singleShot(0, this, [&checks] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (QAction* action : menu->actions()) {
                checks[action->text()] = action->isChecked();
            }
            menu->close();
        });
        // A right click on the title is the press-and-hold gesture.
        QTest::mouseClick(frame_->Client(), Qt::RightButton, {}, QPoint(10, 10));
        QTRY_VERIFY(!checks.isEmpty());
        QCOMPARE(checks.value("Keep in Study List", !inStudyList), inStudyList);
        QCOMPARE(checks.value("Keep in Favorites", !inFavorites), inFavorites);
    }

    void noCheckMarkWithoutACurrentWord() {
        // The start word is not in the dictionary: no page is shown.
        MakeFrame();
        QVERIFY(frame_->CurrentWord().empty());
        frame_->Action(ID_ADD_TO_FAVORITES)->setChecked(true);
        frame_->Action(ID_ADD_TO_STUDY_LIST)->setChecked(true);
        frame_->UpdateCommandStates();
        QVERIFY(!frame_->Action(ID_ADD_TO_FAVORITES)->isChecked());
        QVERIFY(!frame_->Action(ID_ADD_TO_STUDY_LIST)->isChecked());
    }

    void lookupSelectedTextFollowsTheSelection() {
        MakeFrame();
        Open("bat");
        QAction* lookup = frame_->Action(ID_LOOKUP_SELECTED_TEXT);
        CHtmlDisplay* display = frame_->ContentView()->Display();
        // The fixture's words have no senses: a page with text of its own.
        display->Clear();
        display->AddText("<html><body><p>a bat flies</p></body></html>");
        display->EndOfSource();
        QTRY_VERIFY(!display->toPlainText().isEmpty());
        QVERIFY(!lookup->isEnabled());
        QTextCursor cursor = display->textCursor();
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        display->setTextCursor(cursor);
        QVERIFY(lookup->isEnabled());
        cursor.clearSelection();
        display->setTextCursor(cursor);
        QVERIFY(!lookup->isEnabled());
    }
};

QTEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
