#pragma once

// The set-up shared by the tests of the Search view's panel in its tab control: a window
// holding the tab control above a second focusable widget, an owner that records what the
// panel asks of it, settings in memory, and helpers that type keys and choose from the
// word-list menu.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/memory_settings_store.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "frame/search_panel.h"
#include "frame/search_panel_owner.h"
#include "frame/search_tab_ctrl.h"
#include "support/recording_search_owner.h"
#include "ui/context_edit.h"
#include "ui/html_display.h"
#include "ui/resource_images.h"

inline constexpr int kPortraitWidth = 240;
inline constexpr int kLandscapeWidth = 320;
inline constexpr int kHeight = 294;

inline QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// Types the text into the widget: "\b" is Backspace, "\r" Enter, "<" Left, ">" Right and "~"
// Delete; other characters are typed as they are.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'\b':
                QTest::keyClick(widget, Qt::Key_Backspace);
                break;
            case u'\r':
                QTest::keyClick(widget, Qt::Key_Return);
                break;
            case u'<':
                QTest::keyClick(widget, Qt::Key_Left);
                break;
            case u'>':
                QTest::keyClick(widget, Qt::Key_Right);
                break;
            case u'~':
                QTest::keyClick(widget, Qt::Key_Delete);
                break;
            default:
                if (c.unicode() < 128) {
                    QTest::keyClicks(widget, QString(c));
                } else {
                    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
                }
                break;
        }
    }
}

// The action of the open popup menu with the given command; null when there is none.
inline QAction* MenuAction(int command) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return nullptr;
    }
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == command) {
            return action;
        }
    }
    return nullptr;
}

class CSearchPanelFixture {
  protected:
    // Points the program folder at a scratch folder for the whole test.
    void SetUpHome() {
        QVERIFY(home_.isValid());
        qputenv("LEXICOVE_HOME", home_.path().toLocal8Bit());
    }

    // A fresh window and settings before each test.
    void SetUp() {
        GetOptionsRecord() = COptionsRecord();
        owner_ = CRecordingOwner();
        settings_ = std::make_unique<CMemorySettingsStore>();
        window_ = std::make_unique<QWidget>();
        window_->resize(kPortraitWidth, kHeight + 30);
        other_ = new QWidget(window_.get());
        other_->setFocusPolicy(Qt::StrongFocus);
        other_->setGeometry(0, kHeight, kPortraitWidth, 30);
    }
    void TearDown() { window_.reset(); }

    void Create(int width) {
        tabs_ = new CSearchTabCtrl(&owner_, settings_.get(), true, window_.get());
        tabs_->setGeometry(0, 0, width, kHeight);
        panel_ = tabs_->Panel();
        window_->resize(std::max(width, kPortraitWidth), kHeight + 30);
        window_->show();
        QApplication::setActiveWindow(window_.get());
    }

    // Opens the word-list menu by its link and chooses the command (0: closes the menu);
    // offered receives the texts of the menu's items.
    void ChooseFromMenu(int command, QStringList* offered) {
        bool seen = false;
        QTimer::singleShot(0, window_.get(), [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            seen = true;
            if (offered != nullptr) {
                for (const QAction* action : menu->actions()) {
                    offered->append(action->text());
                }
            }
            if (QAction* action = MenuAction(command)) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        emit panel_->HtmlArea()->linkTapped("?wordlist");
        QVERIFY(seen);
    }

    static bool Contains(const QImage& image, const QRect& rect, const QColor& colour) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (image.pixelColor(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }

    QTemporaryDir home_;
    CRecordingOwner owner_;
    std::unique_ptr<CMemorySettingsStore> settings_;
    std::unique_ptr<QWidget> window_;
    QWidget* other_ = nullptr;
    CSearchTabCtrl* tabs_ = nullptr;
    CSearchPanel* panel_ = nullptr;
};
