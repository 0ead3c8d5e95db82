// CLexicoveFrame: what screen readers are told of the window: the names of the controls
// that carry no label of their own, and the controls the frame paints itself.
#include <QAccessible>
#include <QToolBar>

#include "app/options_record.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "lists/gui/word_list_box.h"

namespace {

// A list tab's name: its label without the colon ("Look up:" names the dictionary's tab).
QString TabName(const CFrameLayout& layout, int tab) {
    QString name =
        QString::fromLatin1(layout.PanelLabels(tab, false)[static_cast<size_t>(tab)].text);
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    return name;
}

}  // namespace

void CLexicoveFrame::NameControls() {
    client_->setAccessibleName(QStringLiteral("Lexicove"));
    lookupEdit_->setAccessibleName(QStringLiteral("Look up"));
    lookupEdit_->setAccessibleDescription(
        QStringLiteral("Type a word; the word list follows, Enter shows its page"));
    lookupList_->setAccessibleName(QStringLiteral("Dictionary"));
    commandBar_->setAccessibleName(QStringLiteral("Command bar"));
    if (auto* toolBar = commandBar_->findChild<QToolBar*>(QStringLiteral("toolBar"))) {
        toolBar->setAccessibleName(QStringLiteral("Toolbar"));
    }
    NameListBox();
}

void CLexicoveFrame::NameListBox() {
    listBox_->setAccessibleName(TabName(layout_, currentTab_));
}

std::vector<CPaintedControl> CLexicoveFrame::PaintedControls() const {
    std::vector<CPaintedControl> controls;
    const bool lookup = currentView_ == VIEW_LOOKUP;
    for (int tab = 0; tab < CFrameLayout::TAB_COUNT; ++tab) {
        CPaintedControl control;
        control.rect = layout_.TabLabel(tab).united(layout_.TabIcon(tab));
        control.name = TabName(layout_, tab);
        control.role = QAccessible::PageTab;
        control.shown = lookup;
        control.selected = tab == currentTab_;
        controls.push_back(control);
    }
    CPaintedControl wordOfTheDay;
    wordOfTheDay.rect = wordOfDayButton_.Rect();
    wordOfTheDay.name =
        QStringLiteral("Word of the day: %1").arg(QString::fromStdU16String(wordOfTheDay_));
    wordOfTheDay.shown = lookup && GetOptionsRecord().ShowRandomWords();
    controls.push_back(wordOfTheDay);
    const std::pair<const CHeaderButton*, const char*> buttons[] = {
        {&readButton_, "Read"}, {&backButton_, "Back"}, {&forwardButton_, "Forward"}};
    for (const auto& [button, name] : buttons) {
        CPaintedControl control;
        control.rect = button->Rect();
        control.name = QString::fromLatin1(name);
        control.shown = currentView_ == VIEW_CONTENT;
        control.enabled = button->State() != CHeaderButton::STATE_DISABLED;
        controls.push_back(control);
    }
    return controls;
}

void CLexicoveFrame::PressPaintedControl(size_t index) {
    const std::vector<CPaintedControl> controls = PaintedControls();
    if (index >= controls.size() || !controls[index].shown || !controls[index].enabled) {
        return;
    }
    if (index < CFrameLayout::TAB_COUNT) {
        SelectTab(static_cast<int>(index));
        return;
    }
    const int commands[] = {ID_WORD_OF_THE_DAY, ID_READ, ID_BACK, ID_FORWARD};
    RunCommand(commands[index - CFrameLayout::TAB_COUNT]);
}
