#include "ui/context_edit.h"

#include <QAction>
#include <QMenu>

#include "platform/clipboard.h"
#include "platform/tap_and_hold.h"

CContextEdit::CContextEdit(QWidget* parent)
    : QLineEdit(parent), tapAndHold_(new CTapAndHold(this)) {
    connect(tapAndHold_, &CTapAndHold::held, this, &CContextEdit::ShowMenu);
}

std::unique_ptr<QMenu> CContextEdit::CreateMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [this, &menu](const QString& text, int command, bool enabled) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    };
    add("Cut", ID_EDIT_CUT, hasSelectedText());
    add("Copy", ID_EDIT_COPY, hasSelectedText());
    add("Paste", ID_EDIT_PASTE, ClipboardHasText());
    menu->addSeparator();
    add("Select All", ID_EDIT_SELECT_ALL, true);
    return menu;
}

void CContextEdit::RunCommand(int command) {
    switch (command) {
        case ID_EDIT_CUT:
            cut();
            break;
        case ID_EDIT_COPY:
            copy();
            break;
        case ID_EDIT_PASTE:
            paste();
            break;
        case ID_EDIT_SELECT_ALL:
            selectAll();  // the caret goes to the end, which scrolls it into view
            break;
        default:
            break;
    }
}

void CContextEdit::ShowMenu(QPoint position) {
    std::unique_ptr<QMenu> menu = CreateMenu();
    emit menuShown(position);
    menu->exec(mapToGlobal(position));
}
