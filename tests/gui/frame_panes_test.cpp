// The main window at a desktop's size: two panes side by side, the handheld layout below the
// size, live switching between them keeping what the user had, the focus left in the box when
// a word is chosen, the view buttons, and the splitter's place kept between runs.
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "frame/pane_layout.h"
#include "frame/pane_splitter.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "platform/platform_info.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/context_edit.h"

namespace {

const QSize kDesktop(1000, 700);
const QSize kHandheld(240, 320);

// Sends a mouse event with the left button held, as a drag does.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
    const QPointF local(at);
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class FramePanesTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    void MakeFrame(QSize size = kDesktop) {
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        frame_->SetMessageBoxHook([](const QString&) {});
        QVERIFY(ShowFrame(frame_.get(), size));
    }

    void WaitIdle() { QTRY_VERIFY(!frame_->RenderWorker()->IsBusy()); }

    // Resizes the frame so that its client area gets the size.
    void ResizeClient(QSize client) {
        const int bar = frame_->height() - frame_->Client()->height();
        frame_->resize(client.width(), client.height() + bar);
        QCoreApplication::processEvents();
        QCOMPARE(frame_->Client()->size(), client);
    }

    void Resize(QSize size) {
        frame_->resize(size);
        QCoreApplication::processEvents();
    }

    void TypeAndEnter(const char* text) {
        CLookupEdit* edit = frame_->LookupEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        WaitIdle();
    }

    int Scale() const { return GetDisplayScale(); }

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

    void theLayoutFollowsTheClientAreasSize_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("twoPanes");
        const int s = GetDisplayScale();
        QTest::newRow("the handheld's screen") << QSize(240, 290) << false;
        QTest::newRow("exactly the desktop size") << QSize(600 * s, 400 * s) << true;
        QTest::newRow("a pixel too narrow") << QSize(600 * s - 1, 500 * s) << false;
        QTest::newRow("a pixel too low") << QSize(900 * s, 400 * s - 1) << false;
    }

    void theLayoutFollowsTheClientAreasSize() {
        QFETCH(QSize, client);
        QFETCH(bool, twoPanes);
        MakeFrame();
        ResizeClient(client);
        QCOMPARE(frame_->TwoPanes(), twoPanes);
        QCOMPARE(frame_->Splitter()->isVisible(), twoPanes);
        // Both layouts start in the stored view, the Lookup view.
        QVERIFY(frame_->LookupEdit()->isVisible());
        QCOMPARE(frame_->ContentView()->isVisible(), twoPanes);
    }

    void theHandheldCommandBarKeepsEveryToolbarButton() {
        MakeFrame(kHandheld);
        auto* toolBar = frame_->findChild<QToolBar*>("toolBar");
        QMenu* view = frame_->findChild<QMenu*>("viewMenu");
        auto buttonsShown = [toolBar] {
            for (QAction* action : toolBar->actions()) {
                QWidget* button = toolBar->widgetForAction(action);
                if (!action->isSeparator() && (button == nullptr || !button->isVisible())) {
                    return false;
                }
            }
            return true;
        };
        QVERIFY(!view->menuAction()->isVisible());
        QVERIFY(buttonsShown());
        Resize(kDesktop);
        QVERIFY(view->menuAction()->isVisible());
        QVERIFY(buttonsShown());
    }

    void theFirstWindowShowsTwoPanes() {
        MakeFrame(QSize());
        QVERIFY(frame_->TwoPanes());
    }

    void twoPanesPutTheLookupViewBesideThePage() {
        MakeFrame();
        const int s = Scale();
        QWidget* client = frame_->Client();
        const QRect handle = frame_->Splitter()->geometry();
        QCOMPARE(handle.left(), CPaneLayout::DEFAULT_LEFT_WIDTH * s);
        QCOMPARE(handle.height(), client->height());
        const QRect list = frame_->LookupList()->geometry();
        QCOMPARE(list.left(), frame_->Layout().PanelWidth());
        QCOMPARE(list.right() + 1, handle.left());
        const QRect page = frame_->ContentView()->geometry();
        QCOMPARE(page.left(), handle.right() + 1);
        QCOMPARE(page.right() + 1, client->width());
        QCOMPARE(page.top(), CFrameLayout::HEADER_HEIGHT * s);
        QVERIFY(frame_->LookupEdit()->isVisible());
        QVERIFY(frame_->LookupList()->isVisible());
        QVERIFY(frame_->ContentView()->isVisible());
        // The header buttons stay at the window's right edge, over the page.
        QVERIFY(frame_->ReadButton().Rect().left() > page.left());
        QCOMPARE(frame_->ForwardButton().Rect().right() + 1, client->width() - 2 * s);
    }

    void aChosenWordShowsOnTheRightWithTheFocusLeftInTheBox() {
        MakeFrame();
        TypeAndEnter("cat");
        QCOMPARE(frame_->CurrentWord(), std::string("cat"));
        QVERIFY(frame_->ContentView()->isVisible());
        QVERIFY(frame_->LookupEdit()->hasFocus());
        QCOMPARE(frame_->LookupEdit()->selectedText(), QString("cat"));
        QCOMPARE(frame_->CurrentView(), int{VIEW_LOOKUP});
        QVERIFY(frame_->Action(ID_CONTENT_VIEW)->isChecked());
        // The next word is typed at once, over the selected one.
        TypeAndEnter("dot");
        QCOMPARE(frame_->CurrentWord(), std::string("dot"));

        // A click on a row shows its word the same way.
        CLookupList* list = frame_->LookupList();
        QListWidgetItem* row = list->item(2);
        const std::string word = row->text().toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
        QCoreApplication::processEvents();
        WaitIdle();
        QCOMPARE(frame_->CurrentWord(), word);
        QVERIFY(frame_->LookupEdit()->hasFocus());
    }

    void theViewButtonsSwitchTheRightPane() {
        MakeFrame();
        TypeAndEnter("cat");
        frame_->RunCommand(ID_SEARCH_VIEW);
        QVERIFY(frame_->SearchTabs()->isVisible());
        QVERIFY(!frame_->ContentView()->isVisible());
        QVERIFY(frame_->LookupList()->isVisible());
        QVERIFY(frame_->SearchTabs()->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(frame_->CurrentView(), int{VIEW_SEARCH});
        QVERIFY(frame_->Action(ID_SEARCH_VIEW)->isChecked());
        QVERIFY(!frame_->Action(ID_LOOKUP_VIEW)->isChecked());

        frame_->RunCommand(ID_CONTENT_VIEW);
        QVERIFY(frame_->ContentView()->isVisible());
        QVERIFY(!frame_->SearchTabs()->isVisible());
        QVERIFY(frame_->ContentView()->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(frame_->CurrentView(), int{VIEW_CONTENT});

        // Lookup View puts the focus into the box, its text selected, and keeps the page.
        frame_->RunCommand(ID_LOOKUP_VIEW);
        QVERIFY(frame_->LookupEdit()->hasFocus());
        QCOMPARE(frame_->LookupEdit()->selectedText(), frame_->LookupEdit()->text());
        QVERIFY(frame_->ContentView()->isVisible());
        QCOMPARE(frame_->CurrentView(), int{VIEW_LOOKUP});
    }

    void switchingLayoutsLiveKeepsWhatTheUserHad_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("focus");  // the view that holds the focus when the size changes
        QTest::newRow("the box, dictionary") << int{LIST_DICTIONARY} << int{VIEW_LOOKUP};
        QTest::newRow("the box, Favorites") << int{LIST_FAVORITES} << int{VIEW_LOOKUP};
        QTest::newRow("the page") << int{LIST_DICTIONARY} << int{VIEW_CONTENT};
        QTest::newRow("the search panel, Recents") << int{LIST_RECENTS} << int{VIEW_SEARCH};
    }

    void switchingLayoutsLiveKeepsWhatTheUserHad() {
        QFETCH(int, tab);
        QFETCH(int, focus);
        MakeFrame();
        frame_->Favorites().Add("hot");
        TypeAndEnter("fat");
        // The search panel's boxes: an anagram and a wildcard pattern.
        frame_->RunCommand(ID_SEARCH_VIEW);
        CSearchPanel* panel = frame_->SearchPanel();
        frame_->SearchTabs()->SelectTab(SEARCH_TAB_WILDCARD);
        QTest::keyClicks(panel->EditBox(), "c*t");
        frame_->SearchTabs()->SelectTab(SEARCH_TAB_ANAGRAM);
        QTest::keyClicks(panel, "tea");
        // The word list's page moved on by a few rows, a row below the first selected.
        frame_->RunCommand(ID_LOOKUP_VIEW);
        QTest::keyClicks(frame_->LookupEdit(), "d");
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(frame_->LookupEdit(), Qt::Key_Down);
            QCoreApplication::processEvents();
        }
        CLookupList* list = frame_->LookupList();
        const int selected = list->SelectedRow();
        const QString top = list->item(0)->text();
        QVERIFY(selected > 0);
        frame_->SelectTab(tab);
        frame_->SetView(focus);

        auto check = [&](const char* when) {
            QCoreApplication::processEvents();
            QVERIFY2(frame_->CurrentWord() == "fat", when);
            QVERIFY2(frame_->CurrentTab() == tab, when);
            QVERIFY2(frame_->CurrentView() == focus, when);
            QVERIFY2(list->item(0)->text() == top, when);
            QVERIFY2(list->SelectedRow() == selected, when);
            QVERIFY2(panel->Letters() == u"TEA", when);
            QVERIFY2(panel->Mode() == SEARCH_TAB_ANAGRAM, when);
            frame_->SearchTabs()->SelectTab(SEARCH_TAB_WILDCARD);
            QVERIFY2(panel->EditBox()->text().toLower() == "c*t", when);
            frame_->SearchTabs()->SelectTab(SEARCH_TAB_ANAGRAM);
            frame_->SetView(focus);
        };
        check("in two panes");
        Resize(kHandheld);
        QVERIFY(!frame_->TwoPanes());
        // The handheld layout shows the view that held the focus.
        QCOMPARE(frame_->LookupEdit()->isVisible(), focus == VIEW_LOOKUP);
        QCOMPARE(frame_->ContentView()->isVisible(), focus == VIEW_CONTENT);
        QCOMPARE(frame_->SearchTabs()->isVisible(), focus == VIEW_SEARCH);
        check("in the handheld layout");
        Resize(kDesktop);
        QVERIFY(frame_->TwoPanes());
        // The right pane shows what it showed before: the search panel, unless the page was
        // chosen last.
        QVERIFY(frame_->LookupEdit()->isVisible());
        QCOMPARE(frame_->SearchTabs()->isVisible(), focus != VIEW_CONTENT);
        QCOMPARE(frame_->ContentView()->isVisible(), focus == VIEW_CONTENT);
        check("in two panes again");
    }

    void aRowHeldWhileThePageHasTheFocusIsTheOneAdded() {
        MakeFrame();
        TypeAndEnter("cat");
        frame_->SetView(VIEW_CONTENT);
        CLookupList* list = frame_->LookupList();
        QListWidgetItem* row = list->item(3);
        std::unique_ptr<QMenu> menu =
            frame_->CreateListMenu(CLookupList::LOOKUP_LIST_ID, list->visualItemRect(row).center());
        QVERIFY(menu != nullptr);
        frame_->RunCommand(ID_ADD_TO_FAVORITES);
        QCOMPARE(frame_->Favorites().Count(), 1);
        QCOMPARE(frame_->Favorites().IndexOf(row->text().toLatin1().constData()), 0);
        QVERIFY(frame_->ContentView()->isVisible());
    }

    void lettersTheHandheldLayoutHasNoBoxesForAreCleared() {
        MakeFrame();
        frame_->RunCommand(ID_SEARCH_VIEW);
        CSearchPanel* panel = frame_->SearchPanel();
        QVERIFY(panel->BoxCount() > 20);
        QTest::keyClicks(panel, "abcdefghijklmnopqrst");
        QCOMPARE(panel->Letters().size(), size_t{20});
        Resize(kHandheld);
        QVERIFY(panel->BoxCount() < 20);
        QVERIFY(panel->Letters().empty());
    }

    void theSplitterIsDraggedAndRemembered() {
        MakeFrame();
        const int s = Scale();
        CPaneSplitter* handle = frame_->Splitter();
        const QPoint grab(handle->width() / 2, 100);
        SendMouse(handle, QEvent::MouseButtonPress, grab);
        SendMouse(handle, QEvent::MouseMove, grab + QPoint(60, 0));
        SendMouse(handle, QEvent::MouseButtonRelease, grab + QPoint(60, 0));
        const int dragged = CPaneLayout::DEFAULT_LEFT_WIDTH * s + 60;
        QCOMPARE(handle->x(), dragged);
        QCOMPARE(frame_->LookupList()->geometry().right() + 1, dragged);
        QCOMPARE(frame_->ContentView()->x(), dragged + handle->width());
        int32_t stored = 0;
        QVERIFY(settings_.ReadInteger(SETTINGS_KEY, SETTING_PANE_WIDTH, &stored));
        QCOMPARE(stored, dragged);

        // Never narrower than the handheld's Lookup view, nor so wide that the page gets less.
        SendMouse(handle, QEvent::MouseButtonPress, grab);
        SendMouse(handle, QEvent::MouseMove, grab - QPoint(500, 0));
        QCOMPARE(handle->x(), CPaneLayout::MIN_PANE_WIDTH * s);
        SendMouse(handle, QEvent::MouseMove, grab + QPoint(2000, 0));
        QCOMPARE(handle->x(),
                 frame_->Client()->width() - handle->width() - CPaneLayout::MIN_PANE_WIDTH * s);
        SendMouse(handle, QEvent::MouseMove, grab - QPoint(100, 0));
        SendMouse(handle, QEvent::MouseButtonRelease, grab - QPoint(100, 0));

        // A new window takes the place back.
        const int kept = handle->x();
        CloseFrame();
        MakeFrame();
        QCOMPARE(frame_->Splitter()->x(), kept);
    }
};

QTEST_MAIN(FramePanesTest)
#include "frame_panes_test.moc"
