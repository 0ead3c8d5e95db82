#include "ui/content_view.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include "app/messages.h"
#include "db/dictionary_database.h"
#include "platform/clipboard.h"
#include "platform/platform_info.h"
#include "platform/tap_and_hold.h"
#include "render/render_worker.h"
#include "support/posted_message_recorder.h"
#include "support/real_database.h"
#include "ui/html_display.h"
#include "ui/html_hook.h"

namespace {

constexpr int kHoldInterval = 40;  // the tests' tap-and-hold interval, in place of 600 ms

constexpr char kPage[] =
    "<html><body bgcolor=#FFFFFF><p>the first line of the page</p>"
    "<p><a href=\":pron\"><img src=pron.gif border=0></a> and <a href=\"run:3\"><img "
    "src=link.gif border=0></a> and <img src=pixel.gif width=1 height=2></p>"
    "<p>the last line of the page</p></body></html>";

// The colours of the inline images' artwork.
constexpr QRgb kLinkColour = 0xFF007070;
constexpr QRgb kPronColour = 0xFF800080;

// The menu's actions by command id: enabled or not; absent commands are missing.
QMap<int, bool> Items(const QMenu& menu) {
    QMap<int, bool> items;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator()) {
            items.insert(action->data().toInt(), action->isEnabled());
        }
    }
    return items;
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

QPoint PointOf(CHtmlDisplay* display, const QString& text, bool end) {
    const QTextCursor found = display->document()->find(text);
    QTextCursor at(display->document());
    at.setPosition(end ? found.selectionEnd() : found.selectionStart());
    return display->cursorRect(at).center();
}

void MoveTo(QWidget* widget, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

}  // namespace

class ContentViewTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        view_ = std::make_unique<CContentView>();
        view_->resize(240, 200);
        view_->Display()->TapAndHold()->SetHoldInterval(kHoldInterval);
        view_->Hook()->SetCommandReceiver(&receiver_);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        QSignalSpy shown(view_->Display(), &CHtmlDisplay::pageShown);
        view_->Display()->Clear();
        view_->Display()->AddText(kPage);
        view_->Display()->EndOfSource();
        QTRY_COMPARE(shown.count(), 1);
    }
    void cleanup() {
        view_.reset();
        receiver_.Clear();
    }

    void inlineImages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("pixel") << "pixel.gif" << QSize(1, 2);
        QTest::newRow("link") << "link.gif" << QSize(19, 7);
        QTest::newRow("pron") << "pron.gif" << QSize(10, 9);
        QTest::newRow("another name") << "c_quest.gif" << QSize();
        QTest::newRow("a different case") << "Link.gif" << QSize();
        QTest::newRow("no name") << "" << QSize();
    }

    void inlineImages() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image = CContentView::InlineImage(name.toStdString());
        QCOMPARE(image.isNull(), size.isEmpty());
        if (!size.isEmpty()) {
            QCOMPARE(image.size(), size * GetDisplayScale());
        }
    }

    // The page shows the artwork of its images.
    void pageShowsTheImages() {
        const QImage shot =
            view_->Display()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(CountPixels(shot, kLinkColour) > 10);
        QVERIFY(CountPixels(shot, kPronColour) > 10);
    }

    // A word of the real dictionary, through the render worker: its page shows the
    // pronunciation and sense-link images.
    void realWordShowsItsImages() {
        CDictionaryDatabase database;
        if (!database.Open(RealDatabasePath().c_str())) {
            QSKIP("no real database (LEXICOVE_HOME or LEXICOVE_DATABASE)");
        }
        view_->resize(240 * GetDisplayScale(), 800 * GetDisplayScale());  // the first senses
        CRenderWorker worker(&database, true);
        worker.SetDisplay(view_->Display());
        QSignalSpy shown(view_->Display(), &CHtmlDisplay::pageShown);
        const uint32_t number = database.FindWord("cat");
        QVERIFY(number != 0);
        QVERIFY(worker.RenderWord("cat", number));
        QTRY_COMPARE(shown.count(), 1);
        QTRY_VERIFY(!worker.IsBusy());
        const QImage shot =
            view_->Display()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(CountPixels(shot, kPronColour) > 10);
        QVERIFY(CountPixels(shot, kLinkColour) > 10);
    }

    void linkTapsGoOn() {
        QSignalSpy tapped(view_.get(), &CContentView::linkTapped);
        emit view_->Display()->linkTapped(QByteArray("run:3"));
        QCOMPARE(tapped.count(), 1);
        QCOMPARE(tapped.at(0).at(0).toByteArray(), QByteArray("run:3"));
    }

    void focusGoesToTheDisplay() {
        view_->activateWindow();
        view_->setFocus();
        QTRY_VERIFY(view_->Display()->hasFocus());
    }

    void menuWithoutSelection() {
        const auto menu = view_->Hook()->CreateMenu();
        const QMap<int, bool> expected{{CHtmlHook::ID_LOOKUP_SELECTED_TEXT, false},
                                       {CHtmlHook::ID_EDIT_COPY, false},
                                       {CHtmlHook::ID_EDIT_SELECT_ALL, true}};
        QCOMPARE(Items(*menu), expected);     // and no Read without the speech engine
        QCOMPARE(menu->actions().size(), 4);  // with the separator
    }

    void menuWithSelectionAndSpeech() {
        view_->Hook()->SetSpeechCheck([] { return true; });
        view_->Display()->SelectAll();
        const auto menu = view_->Hook()->CreateMenu();
        const QMap<int, bool> expected{{CHtmlHook::ID_LOOKUP_SELECTED_TEXT, true},
                                       {CHtmlHook::ID_READ, true},
                                       {CHtmlHook::ID_EDIT_COPY, true},
                                       {CHtmlHook::ID_EDIT_SELECT_ALL, true}};
        QCOMPARE(Items(*menu), expected);
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("Read"));
    }

    void commands() {
        view_->Hook()->RunCommand(CHtmlHook::ID_EDIT_SELECT_ALL);
        QVERIFY(view_->Display()->SelectionText().contains(QStringLiteral("last line")));
        view_->Hook()->RunCommand(CHtmlHook::ID_EDIT_COPY);
        QCOMPARE(GetClipboardText(), view_->Display()->SelectionText());
        view_->Hook()->RunCommand(CHtmlHook::ID_LOOKUP_SELECTED_TEXT);
        view_->Hook()->RunCommand(CHtmlHook::ID_READ);
        const auto commands = receiver_.Received(WM_COMMAND);
        QCOMPARE(commands.size(), size_t{2});
        QCOMPARE(commands[0].wParam, intptr_t{CHtmlHook::ID_LOOKUP_SELECTED_TEXT});
        QCOMPARE(commands[1].wParam, intptr_t{CHtmlHook::ID_READ});
    }

    void copyWithoutSelectionLeavesTheClipboard() {
        QVERIFY(SetClipboardText(QStringLiteral("kept")));
        QVERIFY(!view_->Hook()->CopySelection());
        QCOMPARE(GetClipboardText(), QStringLiteral("kept"));
    }

    // A drag that selects text opens the menu when the button is lifted.
    void dragThatSelectsOpensTheMenu() {
        QSignalSpy menu(view_->Hook(), &CHtmlHook::menuShown);
        QWidget* viewport = view_->Display()->viewport();
        const QPoint from = PointOf(view_->Display(), QStringLiteral("first"), false);
        const QPoint to = PointOf(view_->Display(), QStringLiteral("line"), true);
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        MoveTo(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        QTRY_COMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), to);
        QVERIFY(!view_->Display()->SelectionText().isEmpty());
        QVERIFY(view_->Hook()->ShownMenu() != nullptr);
        QVERIFY(Items(*view_->Hook()->ShownMenu()).value(CHtmlHook::ID_EDIT_COPY));
    }

    void plainTapOpensNoMenu() {
        QSignalSpy menu(view_->Hook(), &CHtmlHook::menuShown);
        const QPoint at = PointOf(view_->Display(), QStringLiteral("first"), false);
        QTest::mouseClick(view_->Display()->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(20);
        QCOMPARE(menu.count(), 0);
    }

    // A tap-and-hold opens the menu at once and selects nothing.
    void holdOpensTheMenuAtOnce() {
        QSignalSpy menu(view_->Hook(), &CHtmlHook::menuShown);
        QWidget* viewport = view_->Display()->viewport();
        const QPoint at = PointOf(view_->Display(), QStringLiteral("first"), false);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTRY_COMPARE(menu.count(), 1);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        QTest::qWait(20);
        QCOMPARE(menu.count(), 1);
        QVERIFY(view_->Display()->SelectionText().isEmpty());
        QVERIFY(!Items(*view_->Hook()->ShownMenu()).value(CHtmlHook::ID_EDIT_COPY));
    }

  private:
    std::unique_ptr<CContentView> view_;
    CPostedMessageRecorder receiver_;
};

QTEST_MAIN(ContentViewTest)
#include "content_view_test.moc"
