#include "ui/html_hook.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "app/messages.h"
#include "platform/clipboard.h"
#include "platform/message_poster.h"
#include "ui/html_display.h"

CHtmlHook::CHtmlHook(CHtmlDisplay* display)
    : QObject(display), display_(display), viewport_(display->viewport()) {
    setObjectName(QStringLiteral("htmlHook"));
    viewport_->installEventFilter(this);
    connect(display_, &CHtmlDisplay::held, this, [this](QPoint position) { ShowMenu(position); });
}

bool CHtmlHook::GetSelectionText(std::u16string* text) const {
    return display_->GetSelectionText(text);
}

bool CHtmlHook::CopySelection() const {
    std::u16string text;
    if (!GetSelectionText(&text) || text.empty()) {
        return false;
    }
    return SetClipboardText(QString::fromStdU16String(text));
}

std::unique_ptr<QMenu> CHtmlHook::CreateMenu() const {
    std::u16string text;
    const bool selected = GetSelectionText(&text) && !text.empty();
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(QStringLiteral("selectionMenu"));
    const auto add = [&menu](const char* label, int command, bool enabled) {
        QAction* action = menu->addAction(QString::fromLatin1(label));
        action->setData(command);
        action->setEnabled(enabled);
    };
    add("Lookup", ID_LOOKUP_SELECTED_TEXT, selected);
    if (speech_ && speech_()) {
        add("Read", ID_READ, selected);
    }
    add("Copy", ID_EDIT_COPY, selected);
    menu->addSeparator();
    add("Select All", ID_EDIT_SELECT_ALL, true);
    return menu;
}

void CHtmlHook::RunCommand(int command) const {
    switch (command) {
        case ID_LOOKUP_SELECTED_TEXT:
        case ID_READ:
            if (receiver_ != nullptr) {
                CMessagePoster(receiver_).Post(WM_COMMAND, command, 0);
            }
            break;
        case ID_EDIT_COPY:
            CopySelection();
            break;
        case ID_EDIT_SELECT_ALL:
            display_->SelectAll();
            break;
        default:
            break;
    }
}

bool CHtmlHook::eventFilter(QObject* watched, QEvent* event) {
    // Compared with the viewport kept at the start: while the display is being destroyed its
    // children still send events here, and the display can no longer be asked for anything.
    if (watched != viewport_) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        selecting_ = true;
    } else if (event->type() == QEvent::MouseButtonRelease && selecting_) {
        // The display finishes the selection with this release; look at it afterwards.
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        QTimer::singleShot(0, this, [this, position] {
            std::u16string text;
            if (selecting_ && GetSelectionText(&text) && !text.empty()) {
                ShowMenu(position);
            }
            selecting_ = false;
        });
    }
    return false;
}

void CHtmlHook::ShowMenu(QPoint position) {
    selecting_ = false;
    menu_ = CreateMenu();
    connect(menu_.get(), &QMenu::triggered, this,
            [this](QAction* action) { RunCommand(action->data().toInt()); });
    emit menuShown(position);
    menu_->popup(display_->viewport()->mapToGlobal(position));
}
