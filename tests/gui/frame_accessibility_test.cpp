// What a screen reader finds in the main window: every control it can reach has a name and a
// role, the painted list tabs and header buttons are there as tabs and buttons that can be
// pressed, and the page's text can be read.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

#include "app/settings_store.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "support/frame_test_support.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

// Every interface under root, root included, depth first.
void Walk(QAccessibleInterface* root, QList<QAccessibleInterface*>* out) {
    if (root == nullptr || out->contains(root)) {
        return;
    }
    out->append(root);
    for (int i = 0; i < root->childCount(); ++i) {
        Walk(root->child(i), out);
    }
}

QList<QAccessibleInterface*> Interfaces(QWidget* window) {
    QList<QAccessibleInterface*> all;
    Walk(QAccessible::queryAccessibleInterface(window), &all);
    return all;
}

QString Describe(QAccessibleInterface* iface) {
    QObject* object = iface->object();
    return QStringLiteral("%1 \"%2\" (role %3)")
        .arg(object != nullptr ? QString::fromLatin1(object->metaObject()->className()) +
                                     QLatin1Char(' ') + object->objectName()
                               : QStringLiteral("painted"),
             iface->text(QAccessible::Name))
        .arg(static_cast<int>(iface->role()));
}

QAccessibleInterface* Painted(QWidget* window, const QString& name) {
    for (QAccessibleInterface* iface : Interfaces(window)) {
        if (iface->object() == nullptr && iface->text(QAccessible::Name) == name) {
            return iface;
        }
    }
    return nullptr;
}

}  // namespace

class FrameAccessibilityTest : public QObject, public CFrameFixture {
    Q_OBJECT

  private:
    // Every focusable widget and every painted control on show has a name and a role.
    void CheckNamed() {
        int focusable = 0;
        for (QAccessibleInterface* iface : Interfaces(frame_.get())) {
            auto* widget = qobject_cast<QWidget*>(iface->object());
            const bool painted = iface->object() == nullptr && !iface->state().invisible;
            if (!painted && (widget == nullptr || !widget->isVisible() ||
                             widget->focusPolicy() == Qt::NoFocus)) {
                continue;
            }
            ++focusable;
            QVERIFY2(!iface->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(Describe(iface)));
            QVERIFY2(iface->role() != QAccessible::NoRole, qPrintable(Describe(iface)));
        }
        QVERIFY(focusable >= 2);
    }

  private slots:
    void initTestCase() {
        SetUpHome();
        database_ = OpenGlossedDictionary(home_.Path());
        QVERIFY(database_);
    }

    void init() {
        settings_.WriteString(SETTINGS_KEY, SETTING_START_WORD, u"hat");
        frame_ = std::make_unique<CLexicoveFrame>(database_.get(), &settings_);
        QVERIFY(ShowFrame(frame_.get()));
    }

    void cleanup() { CloseFrame(); }

    void everyReachableControlIsNamed_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("tab");
        QTest::newRow("Lookup, dictionary") << VIEW_LOOKUP << LIST_DICTIONARY;
        QTest::newRow("Lookup, Favorites") << VIEW_LOOKUP << LIST_FAVORITES;
        QTest::newRow("Content") << VIEW_CONTENT << LIST_DICTIONARY;
        QTest::newRow("Search") << VIEW_SEARCH << LIST_DICTIONARY;
    }

    void everyReachableControlIsNamed() {
        QFETCH(int, view);
        QFETCH(int, tab);
        frame_->SetView(view);
        frame_->SelectTab(tab);
        QCoreApplication::processEvents();
        CheckNamed();
        if (view == VIEW_SEARCH) {
            // The pattern box of the Wildcard tab too.
            frame_->SearchTabs()->SelectTab(2);
            QCoreApplication::processEvents();
            CheckNamed();
        }
    }

    // The list tabs the frame paints are page tabs, the current one selected; pressing one
    // selects it, as a tap does.
    void paintedTabsArePageTabs() {
        frame_->SetView(VIEW_LOOKUP);
        QAccessibleInterface* favorites = Painted(frame_.get(), "Favorites");
        QVERIFY(favorites != nullptr);
        QCOMPARE(favorites->role(), QAccessible::PageTab);
        QVERIFY(!favorites->state().selected);
        QVERIFY(!favorites->state().invisible);
        QVERIFY(favorites->rect().intersects(frame_->geometry()));
        QAccessibleActionInterface* action = favorites->actionInterface();
        QVERIFY(action != nullptr);
        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(frame_->CurrentTab(), static_cast<int>(LIST_FAVORITES));
        QVERIFY(favorites->state().selected);
        QCOMPARE(frame_->ListBox()->accessibleName(), QStringLiteral("Favorites"));
        QAccessibleInterface* lookup = Painted(frame_.get(), "Look up");
        QVERIFY(lookup != nullptr);
        QVERIFY(!lookup->state().selected);
        // The client area finds a tab by its place, as a screen reader's pointer does.
        QAccessibleInterface* client = QAccessible::queryAccessibleInterface(frame_->Client());
        const QPoint centre = favorites->rect().center();
        QCOMPARE(client->childAt(centre.x(), centre.y()), favorites);
    }

    // Read, Back and Forward are buttons of the Content view, disabled as they are drawn.
    void headerButtonsArePressable() {
        frame_->SetView(VIEW_LOOKUP);
        QAccessibleInterface* back = Painted(frame_.get(), "Back");
        QVERIFY(back != nullptr);
        QCOMPARE(back->role(), QAccessible::Button);
        QVERIFY(back->state().invisible);  // not in the Lookup view
        QVERIFY(frame_->OpenWord(std::string("hit"), true));
        QVERIFY(frame_->OpenWord(std::string("hot"), true));
        QCOMPARE(frame_->CurrentView(), static_cast<int>(VIEW_CONTENT));
        QVERIFY(!back->state().invisible);
        QVERIFY(!back->state().disabled);
        QVERIFY(Painted(frame_.get(), "Forward")->state().disabled);
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        back->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(frame_->CurrentWord(), std::string("hit"));
    }

    // The search panel's boxes give their letters as its value; its painted Search button is a
    // button that starts the search.
    void searchPanelIsReadableAndPressable() {
        frame_->SetView(VIEW_SEARCH);
        frame_->SearchTabs()->SelectTab(0);
        CSearchPanel* panel = frame_->SearchPanel();
        QTest::keyClicks(panel, "h?t");
        QAccessibleInterface* boxes = QAccessible::queryAccessibleInterface(panel);
        QCOMPARE(boxes->text(QAccessible::Name), QStringLiteral("Search letters"));
        QCOMPARE(boxes->text(QAccessible::Value), QStringLiteral("H?T"));
        QAccessibleInterface* search = Painted(frame_.get(), "Search");
        QVERIFY(search != nullptr);
        QCOMPARE(search->role(), QAccessible::Button);
        QVERIFY(!search->state().invisible);
        QVERIFY(boxes->rect().contains(search->rect()));
        search->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(frame_->CurrentTab(), static_cast<int>(LIST_SEARCHED));
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        QTRY_VERIFY(ListRows(frame_->ListBox()).contains("hat"));
    }

    // The page is text a screen reader can read, line by line.
    void pageIsReadable() {
        QVERIFY(frame_->OpenWord(std::string("hot"), true));
        QTRY_VERIFY(!frame_->IsWorkerBusy());
        CHtmlDisplay* display = frame_->ContentView()->Display();
        QTRY_VERIFY(!display->PageSource().empty());
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(display);
        QVERIFY(page != nullptr);
        QCOMPARE(page->text(QAccessible::Name), QStringLiteral("Definition"));
        QAccessibleTextInterface* text = page->textInterface();
        QVERIFY(text != nullptr);
        QVERIFY2(text->text(0, text->characterCount()).contains("the gloss of hot"),
                 qPrintable(text->text(0, text->characterCount())));
    }
};

QTEST_MAIN(FrameAccessibilityTest)
#include "frame_accessibility_test.moc"
