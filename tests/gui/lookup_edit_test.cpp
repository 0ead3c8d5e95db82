#include "frame/lookup_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/tap_and_hold.h"

namespace {

constexpr int kHoldInterval = 40;  // the tests' hold interval, in place of 600 ms

// The action of the open menu with the given command id; null when there is none.
QAction* MenuAction(int command) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return nullptr;
    }
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->data().toInt() == command) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

class LookupEditTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        window_->resize(240, 100);
        edit_ = new CLookupEdit(window_.get());
        edit_->setGeometry(10, 10, 200, 24);
        other_ = new QWidget(window_.get());
        other_->setFocusPolicy(Qt::StrongFocus);
        other_->setGeometry(10, 50, 200, 24);
        edit_->TapAndHold()->SetHoldInterval(kHoldInterval);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QApplication::setActiveWindow(window_.get());
        other_->setFocus();
    }
    void cleanup() { window_.reset(); }

    void typedCapitalsBecomeSmallLetters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("capitals") << "Apple PIE"
                                  << "apple pie";
        QTest::newRow("small letters stay") << "dictionary"
                                            << "dictionary";
        QTest::newRow("letters beyond ASCII")
            << QString::fromUtf8("\u00c9COLE") << QString::fromUtf8("\u00e9cole");
        QTest::newRow("digits and marks stay") << "A-1'S"
                                               << "a-1's";
    }

    void typedCapitalsBecomeSmallLetters() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        edit_->setFocus();
        QSignalSpy edited(edit_, &QLineEdit::textEdited);
        QTest::keyClicks(edit_, typed);
        QCOMPARE(edit_->text(), shown);
        QCOMPARE(edited.last().at(0).toString(), shown);
    }

    void pastedCapitalsBecomeSmallLetters() {
        QApplication::clipboard()->setText("Big Word");
        edit_->setFocus();
        edit_->paste();
        QCOMPARE(edit_->text(), QString("big word"));
    }

    void inputStopsAt127Characters() {
        edit_->setFocus();
        QTest::keyClicks(edit_, QString(130, 'x'));
        QCOMPARE(edit_->text().size(), 127);
        QCOMPARE(edit_->maxLength(), CLookupEdit::MAX_LENGTH);
    }

    void focusSelectsAllText() {
        edit_->setText("old word");
        edit_->setCursorPosition(2);
        edit_->setFocus(Qt::TabFocusReason);
        QVERIFY(edit_->hasFocus());
        QCOMPARE(edit_->selectedText(), QString("old word"));
        // Typing replaces the old word.
        QTest::keyClicks(edit_, "new");
        QCOMPARE(edit_->text(), QString("new"));
        // Coming back to the box by any other way selects all again.
        other_->setFocus();
        edit_->setFocus(Qt::OtherFocusReason);
        QCOMPARE(edit_->selectedText(), QString("new"));
    }

    void pressEmitsPressed_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("tap") << int(Qt::LeftButton);
        QTest::newRow("right click") << int(Qt::RightButton);
    }

    void pressEmitsPressed() {
        QFETCH(int, button);
        QSignalSpy pressed(edit_, &CLookupEdit::pressed);
        QSignalSpy menu(edit_, &CContextEdit::menuShown);
        CloseMenuWhenShown();
        QTest::mouseClick(edit_, static_cast<Qt::MouseButton>(button), {}, QPoint(20, 12));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(menu.count(), button == Qt::RightButton ? 1 : 0);
    }

    void menuGreysWhatCannotBeDone_data() {
        QTest::addColumn<bool>("selection");
        QTest::addColumn<bool>("clipboardText");
        QTest::newRow("nothing selected, empty clipboard") << false << false;
        QTest::newRow("text selected, text on the clipboard") << true << true;
    }

    void menuGreysWhatCannotBeDone() {
        QFETCH(bool, selection);
        QFETCH(bool, clipboardText);
        edit_->setText("sample");
        edit_->setSelection(0, selection ? 3 : 0);
        if (clipboardText) {
            QApplication::clipboard()->setText("x");
        } else {
            QApplication::clipboard()->clear();
        }
        std::unique_ptr<QMenu> menu = edit_->CreateMenu();
        QStringList texts;
        for (QAction* action : menu->actions()) {
            texts << (action->isSeparator() ? "-" : action->text());
        }
        QCOMPARE(texts, (QStringList{"Cut", "Copy", "Paste", "-", "Select All"}));
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions[0]->isEnabled(), selection);
        QCOMPARE(actions[1]->isEnabled(), selection);
        QCOMPARE(actions[2]->isEnabled(), clipboardText);
        QVERIFY(actions[4]->isEnabled());
    }

    void holdOpensTheMenuAndRunsTheChosenCommand_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("text");       // the box's text afterwards
        QTest::addColumn<QString>("selected");   // its selection afterwards
        QTest::addColumn<QString>("clipboard");  // the clipboard afterwards
        QTest::newRow("Copy") << int(CContextEdit::ID_EDIT_COPY) << "one two"
                              << "two"
                              << "two";
        QTest::newRow("Cut") << int(CContextEdit::ID_EDIT_CUT) << "one "
                             << ""
                             << "two";
        QTest::newRow("Paste") << int(CContextEdit::ID_EDIT_PASTE) << "one clip"
                               << ""
                               << "clip";
        QTest::newRow("Select All") << int(CContextEdit::ID_EDIT_SELECT_ALL) << "one two"
                                    << "one two"
                                    << "clip";
    }

    void holdOpensTheMenuAndRunsTheChosenCommand() {
        QFETCH(int, command);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(QString, clipboard);
        edit_->setFocus();
        edit_->setText("one two");
        QApplication::clipboard()->setText("clip");
        bool chosen = false;
        connect(edit_, &CContextEdit::menuShown, this, [&] {
            QTimer::singleShot(0, this, [&] {
                QAction* action = MenuAction(command);
                QVERIFY(action != nullptr && action->isEnabled());
                QApplication::activePopupWidget()->close();
                action->trigger();
                chosen = true;
            });
        });
        // The hold itself selects "two" first: the press places the caret, the menu then acts
        // on the selection.
        edit_->setSelection(4, 3);
        QTest::mousePress(edit_, Qt::LeftButton, {}, QPoint(20, 12));
        edit_->setSelection(4, 3);
        QTRY_VERIFY(chosen);
        QTest::mouseRelease(edit_, Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(edit_->text(), text);
        QCOMPARE(edit_->selectedText(), selected);
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
    }

  private:
    // Closes the next menu the box opens as soon as it shows.
    void CloseMenuWhenShown() {
        connect(edit_, &CContextEdit::menuShown, this, [] {
            QTimer::singleShot(0, [] {
                if (QWidget* popup = QApplication::activePopupWidget()) {
                    popup->close();
                }
            });
        });
    }

    std::unique_ptr<QWidget> window_;
    CLookupEdit* edit_ = nullptr;
    QWidget* other_ = nullptr;
};

QTEST_MAIN(LookupEditTest)
#include "lookup_edit_test.moc"
