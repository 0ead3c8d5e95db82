// CLexicoveFrame: the keyboard's way to every command. Each command with a key has it on its
// action, so the menus show it beside the command's text; the "View" menu holds the commands
// that are otherwise only on the toolbar and the header band. It is on the menu bar in two
// panes; the handheld's narrow command bar keeps its two menus and every toolbar button, and
// the keys work there all the same. The mouse's back and forward
// buttons go Back and Forward anywhere in the window.
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <algorithm>

#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "ui/html_display.h"

namespace {

struct CommandKeys {
    int command;
    QList<QKeySequence> keys;
};

const CommandKeys kCommandKeys[] = {
    {ID_LOOKUP_VIEW, {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)}},
    {ID_SEARCH_VIEW, {QKeySequence(Qt::CTRL | Qt::Key_F)}},
    {ID_STOP_SEARCHING, {QKeySequence(Qt::Key_Escape)}},
    {ID_BACK, {QKeySequence(Qt::ALT | Qt::Key_Left)}},
    {ID_FORWARD, {QKeySequence(Qt::ALT | Qt::Key_Right)}},
    {ID_ADD_TO_FAVORITES, {QKeySequence(Qt::CTRL | Qt::Key_D)}},
    {ID_READ, {QKeySequence(Qt::CTRL | Qt::Key_R)}},
    // Ctrl+= is the same key as Ctrl++ without Shift on most keyboards.
    {ID_TEXT_LARGER,
     {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
    {ID_TEXT_SMALLER, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
    {ID_TEXT_MEDIUM, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
};

}  // namespace

void CLexicoveFrame::CreateKeys() {
    AddCommand(ID_TEXT_LARGER, "Larger Text");
    AddCommand(ID_TEXT_SMALLER, "Smaller Text");
    for (const CommandKeys& entry : kCommandKeys) {
        QAction* action = Action(entry.command);
        action->setShortcuts(entry.keys);
        // The keys work wherever the focus is in the window, menus open or not.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void CLexicoveFrame::AddViewMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu("View");
    menu->setObjectName("viewMenu");
    menu->menuAction()->setVisible(false);
    viewMenu_ = menu;
    for (int command :
         {ID_LOOKUP_VIEW, ID_CONTENT_VIEW, ID_SEARCH_VIEW, ID_STOP_SEARCHING, 0, ID_BACK,
          ID_FORWARD, 0, ID_READ, ID_ADD_TO_FAVORITES, ID_ADD_TO_STUDY_LIST}) {
        if (command == 0) {
            menu->addSeparator();
        } else {
            menu->addAction(Action(command));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CLexicoveFrame::UpdateCommandStates);
}

void CLexicoveFrame::StepTextSize(int step) {
    SetTextSize(
        std::clamp(textSize_ + step, int{CHtmlDisplay::ZOOM_MIN}, int{CHtmlDisplay::ZOOM_MAX}));
}

void CLexicoveFrame::FocusLookupBox() {
    SetView(VIEW_LOOKUP);
    lookupEdit_->setFocus(Qt::ShortcutFocusReason);
    lookupEdit_->selectAll();
}

bool CLexicoveFrame::OnNavigationButton(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != this && !isAncestorOf(widget))) {
        return false;
    }
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button == Qt::BackButton) {
        RunCommand(ID_BACK);
        return true;
    }
    if (button == Qt::ForwardButton) {
        RunCommand(ID_FORWARD);
        return true;
    }
    return false;
}
