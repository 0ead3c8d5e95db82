// CLexicoveFrame: the command table, the menus and toolbar, and the list commands with the
// Back and Forward navigation over Recents.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/code_page.h"
#include "app/options_record.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "platform/clipboard.h"
#include "platform/help_window.h"
#include "platform/message_poster.h"
#include "platform/platform_info.h"
#include "platform/selection_source.h"
#include "render/render_worker.h"
#include "search/search_worker.h"
#include "ui/about_dialog.h"
#include "ui/content_view.h"
#include "ui/html_display.h"
#include "ui/html_hook.h"
#include "ui/resource_images.h"

namespace {

constexpr char16_t kHelpContents[] = u"file:lexicove.htm#main_contents";
constexpr char16_t kHelpPronunciation[] = u"file:lexicove.htm#pron";

bool IsStatusRow(const QString& text) {
    return text.startsWith('<');
}

}  // namespace

QAction* CLexicoveFrame::AddCommand(int command, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    actions_[command] = action;
    return action;
}

QAction* CLexicoveFrame::Action(int command) const {
    auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void CLexicoveFrame::CreateCommands() {
    AddCommand(ID_ABOUT, "About");
    AddCommand(ID_OPTIONS, "Options");
    AddCommand(ID_EXPORT, "Export...");
    AddCommand(ID_SPEECH_VOLUME, "Speech Volume");
    AddCommand(ID_SHOW_GLIMMERPAD, "Show Glimmerpad")->setCheckable(true);
    AddCommand(ID_EXIT, "Exit")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    AddCommand(ID_USE_CLEAR_TYPE, "Use ClearType")->setCheckable(true);
    const char* sizes[] = {"Smallest", "Smaller", "Medium", "Larger", "Largest"};
    auto* sizeGroup = new QActionGroup(this);
    for (int size = 0; size < 5; ++size) {
        QAction* action = AddCommand(ID_TEXT_SMALLEST + size, sizes[size]);
        action->setCheckable(true);
        sizeGroup->addAction(action);
    }
    AddCommand(ID_SELECT_ALL, "Select All");
    AddCommand(ID_LOOKUP_SELECTED_TEXT, "Lookup Selected Text");
    AddCommand(ID_LOOKUP_VIEW, "Lookup View")->setCheckable(true);
    AddCommand(ID_CONTENT_VIEW, "Content View")->setCheckable(true);
    AddCommand(ID_SEARCH_VIEW, "Search View")->setCheckable(true);
    AddCommand(ID_STOP_SEARCHING, "Stop Searching");
    AddCommand(ID_EDIT_COPY, "Copy");
    AddCommand(ID_ADD_TO_FAVORITES, "Add to Favorites");
    AddCommand(ID_ADD_TO_STUDY_LIST, "Add to Study List");
    AddCommand(ID_DELETE, "Delete");
    AddCommand(ID_DELETE_ALL, "Delete All");
    AddCommand(ID_BACK, "Back");
    AddCommand(ID_FORWARD, "Forward");
    AddCommand(ID_READ, "Read");
    AddCommand(ID_HELP, "Help");
    AddCommand(ID_WORD_OF_THE_DAY, "Word Of The Day");
    // Ctrl+C gives the frame's Copy whatever child has the focus.
    auto* copyKey = new QAction(this);
    copyKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copyKey->setShortcutContext(Qt::WindowShortcut);
    connect(copyKey, &QAction::triggered, this, [this] { RunCommand(ID_EDIT_COPY); });
    addAction(copyKey);
    addAction(Action(ID_EXIT));
    CreateKeys();
}

void CLexicoveFrame::CreateCommandBar() {
    commandBar_ = new QWidget(this);
    commandBar_->setObjectName("commandBar");
    auto* row = new QHBoxLayout(commandBar_);
    row->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(commandBar_);
    menuBar->setNativeMenuBar(false);
    toolsMenu_ = menuBar->addMenu("Tools");
    toolsMenu_->addAction(Action(ID_ABOUT));
    toolsMenu_->addSeparator();
    toolsMenu_->addAction(Action(ID_OPTIONS));
    toolsMenu_->addAction(Action(ID_EXPORT));
    toolsMenu_->addAction(Action(ID_SPEECH_VOLUME));
    toolsMenu_->addAction(Action(ID_SHOW_GLIMMERPAD));
    toolsMenu_->addSeparator();
    toolsMenu_->addAction(Action(ID_EXIT));
    textMenu_ = menuBar->addMenu("Text");
    textMenu_->addAction(Action(ID_USE_CLEAR_TYPE));
    textMenu_->addSeparator();
    for (int command = ID_TEXT_LARGEST; command >= ID_TEXT_SMALLEST; --command) {
        textMenu_->addAction(Action(command));
    }
    textMenu_->addAction(Action(ID_TEXT_LARGER));
    textMenu_->addAction(Action(ID_TEXT_SMALLER));
    textMenu_->addSeparator();
    textMenu_->addAction(Action(ID_SELECT_ALL));
    connect(toolsMenu_, &QMenu::aboutToShow, this, &CLexicoveFrame::UpdateCommandStates);
    connect(textMenu_, &QMenu::aboutToShow, this, &CLexicoveFrame::UpdateCommandStates);
    AddViewMenu(menuBar);
    row->addWidget(menuBar);

    auto* toolBar = new QToolBar(commandBar_);
    toolBar->setObjectName("toolBar");
    int scale = GetDisplayScale();
    toolBar->setIconSize(QSize(16 * scale, 16 * scale));
    const int buttons[] = {ID_LOOKUP_SELECTED_TEXT, 0,
                           ID_LOOKUP_VIEW,          ID_CONTENT_VIEW,
                           ID_SEARCH_VIEW,          ID_STOP_SEARCHING};
    for (int command : buttons) {
        if (command == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(command);
        action->setIcon(LoadToolbarIcon(command));
        action->setToolTip(action->text());
        toolBar->addAction(action);
    }
    row->addWidget(toolBar, 1);
}

void CLexicoveFrame::UpdateCommandStates() {
    if (actions_.empty()) {
        return;
    }
    bool searching = searchWorker_->IsSearching();
    Action(ID_LOOKUP_VIEW)->setChecked(currentView_ == VIEW_LOOKUP);
    Action(ID_CONTENT_VIEW)->setChecked(BandView() == VIEW_CONTENT);
    Action(ID_SEARCH_VIEW)->setChecked(BandView() == VIEW_SEARCH);
    Action(ID_SEARCH_VIEW)->setEnabled(!searching);
    Action(ID_STOP_SEARCHING)->setEnabled(searching);
    UpdateSelectionCommand();
    Action(ID_TEXT_SMALLEST + textSize_)->setChecked(true);
    Action(ID_USE_CLEAR_TYPE)->setChecked(clearType_ != 0);
    UpdatePickerCommand();
    UpdateSpeechCommands();
    Action(ID_ADD_TO_FAVORITES)->setCheckable(true);
    Action(ID_ADD_TO_STUDY_LIST)->setCheckable(true);
    Action(ID_ADD_TO_FAVORITES)->setChecked(CurrentWordIn(favorites_));
    Action(ID_ADD_TO_STUDY_LIST)->setChecked(CurrentWordIn(studyList_));
}

bool CLexicoveFrame::CurrentWordIn(const CWordList& list) const {
    // Without a current word no item is checked, so no mark is left over from an earlier one.
    std::string word = CurrentWord();
    return !word.empty() && list.IndexOf(word.c_str()) >= 0;
}

void CLexicoveFrame::UpdateSelectionCommand() {
    bool selection = false;
    if (BandView() == VIEW_CONTENT && contentView_ != nullptr) {
        std::u16string text;
        selection = contentView_->Display()->GetSelectionText(&text) && !text.empty();
    }
    Action(ID_LOOKUP_SELECTED_TEXT)->setEnabled(selection);
}

void CLexicoveFrame::RunCommand(int command, int code) {
    if (command >= ID_TEXT_SMALLEST && command <= ID_TEXT_LARGEST) {
        SetTextSize(command - ID_TEXT_SMALLEST);
        return;
    }
    // The search modes and the Search button go to the Search view's panel.
    if (searchTabs_ != nullptr && searchTabs_->Panel()->RunCommand(command)) {
        return;
    }
    switch (command) {
        case ID_LOOKUP_VIEW:
            FocusLookupBox();
            break;
        case ID_CONTENT_VIEW:
            SetView(VIEW_CONTENT);
            break;
        case ID_SEARCH_VIEW:
            if (!searchWorker_->IsBusy()) {
                SetView(VIEW_SEARCH);
            }
            break;
        case ID_STOP_SEARCHING:
            if (searchWorker_->IsBusy()) {
                database_->StopSearch();
            }
            break;
        case ID_LOOKUP_SELECTED_TEXT:
            LookupSelectedText();
            break;
        case ID_USE_CLEAR_TYPE:
            ToggleClearType();
            break;
        case ID_TEXT_LARGER:
            StepTextSize(1);
            break;
        case ID_TEXT_SMALLER:
            StepTextSize(-1);
            break;
        case ID_SELECT_ALL:
            contentView_->Display()->SelectAll();
            break;
        case ID_EDIT_COPY:
            Copy();
            break;
        case ID_SHOW_GLIMMERPAD:
            ShowGlimmerpad();
            break;
        case ID_HELP:
            RunHelp(kHelpContents);
            break;
        case ID_ABOUT:
            ShowAbout();
            break;
        case ID_OPTIONS:
            ShowOptions();
            break;
        case ID_EXPORT:
            ShowExport();
            break;
        case ID_EXIT:
            close();
            break;
        case ID_WORD_OF_THE_DAY:
            if (GetOptionsRecord().ShowRandomWords()) {
                NextRandomWord(code != COMMAND_HELD);
            }
            break;
        case ID_ADD_TO_FAVORITES:
            AddToList(favorites_, LIST_FAVORITES, true);
            break;
        case ID_ADD_TO_STUDY_LIST:
            AddToList(studyList_, LIST_STUDY, false);
            break;
        case ID_DELETE:
            DeleteSelected();
            break;
        case ID_DELETE_ALL:
            DeleteAll();
            break;
        case ID_BACK:
            Back();
            break;
        case ID_FORWARD:
            Forward();
            break;
        case ID_READ:
            ReadAloud();
            break;
        case ID_SPEECH_VOLUME:
            ShowSpeechVolume();
            break;
        default:
            break;
    }
    UpdateCommandStates();
}

void CLexicoveFrame::SetTextSize(int size) {
    textSize_ = size;
    contentView_->Display()->SetZoom(size);
}

void CLexicoveFrame::ToggleClearType() {
    clearType_ = clearType_ != 0 ? 0 : 1;
    contentView_->Display()->SetClearType(clearType_ != 0);
    if (renderWorker_->IsBusy()) {
        renderWorker_->RequestCancel();
    } else {
        renderWorker_->RerenderWord();
    }
}

void CLexicoveFrame::Copy() {
    QApplication::clipboard()->clear();
    contentView_->Hook()->CopySelection();
    if (!ClipboardHasText()) {
        SetClipboardText(QString::fromStdU16String(CodePageToUtf16(CurrentWord())));
    }
}

void CLexicoveFrame::LookupSelectedText() {
    std::u16string text;
    if (!contentView_->Display()->GetSelectionText(&text) || text.empty()) {
        return;
    }
    const QString word = CSelectionSource::Cut(QString::fromStdU16String(text));
    if (!word.isEmpty()) {
        OpenWord(word.toStdU16String(), false);
    }
}

void CLexicoveFrame::ShowAbout() {
    CAboutDialog dialog(IsLandscape(this), this);
    dialog.exec();
}

void CLexicoveFrame::RunHelp(const std::u16string& target) {
    QString file;
    QString anchor;
    if (!CHelpWindow::ParseHelpTarget(QString::fromStdU16String(target), &file, &anchor)) {
        return;
    }
    if (helpWindow_.isNull()) {
        helpWindow_ = new CHelpWindow(this);
    }
    helpWindow_->ShowHelp(file, anchor);
}

int CLexicoveFrame::OnHotSpot(const QByteArray& target) {
    QByteArray lower = target.toLower();
    if (lower == ":pron") {
        RunHelp(kHelpPronunciation);
        return 0;
    }
    if (lower == ":help") {
        CMessagePoster(this).Post(WM_COMMAND, ID_HELP, 0);
        return 1;
    }
    if (lower.startsWith("http:") || lower.startsWith(':') || target.isEmpty()) {
        return 0;
    }
    OpenWord(target.toStdString(), true);
    return 1;
}

CWordListBox* CLexicoveFrame::ActiveList() const {
    return currentTab_ == LIST_DICTIONARY ? lookupList_ : listBox_;
}

CWordList* CLexicoveFrame::ShownList() {
    switch (currentTab_) {
        case LIST_STUDY:
            return &studyList_;
        case LIST_FAVORITES:
            return &favorites_;
        case LIST_RECENTS:
            return &recents_;
        case LIST_SEARCHED:
            return &searched_;
        default:
            return nullptr;
    }
}

// A list file that is there but could not be read is left alone (CWordList never saves over
// it); the user learns once that the list's changes last only until the program ends.
void CLexicoveFrame::ReportUnreadableLists() {
    QStringList files;
    for (const CWordList* list : {&favorites_, &studyList_, &recents_}) {
        if (list->FileStatus() == LIST_FILE_UNREADABLE) {
            files << QFile::decodeName(QByteArray::fromStdString(list->Path()));
        }
    }
    if (!files.isEmpty()) {
        ReportError("Lexicove could not read " + files.join(", ") +
                    ". The file is left as it is; changes to the list last until Lexicove "
                    "closes and are not saved.");
    }
}

void CLexicoveFrame::AddToList(CWordList& list, int listNumber, bool toFront) {
    // In two panes the box's keys (Ctrl+D) act on the page shown beside it, as in the Content
    // view; a list that has the focus (its row held, or reached with Tab) gives its row.
    const bool page = currentView_ == VIEW_CONTENT ||
                      (twoPanes_ && lookupEdit_->hasFocus() && BandView() == VIEW_CONTENT);
    if (currentView_ == VIEW_LOOKUP && !page) {
        CWordListBox* active = ActiveList();
        QListWidgetItem* item = active->item(active->SelectedRow());
        if (item != nullptr && !item->text().isEmpty() && !IsStatusRow(item->text())) {
            std::string word = Utf16ToCodePage(item->text().toStdU16String());
            if (toFront) {
                list.InsertAt(0, word.c_str());
            } else {
                list.Add(word.c_str());
            }
            list.Save();
        }
    } else if (page) {
        std::string word = CurrentWord();
        if (!word.empty()) {
            int position = list.IndexOf(word.c_str());
            if (position >= 0) {
                list.Remove(position, 1);
            } else if (toFront) {
                list.InsertAt(0, word.c_str());
            } else {
                list.Add(word.c_str());
            }
            list.Save();
        }
    }
    CMessagePoster(this).Post(WM_LIST_CHANGED, listNumber, 0);
}

void CLexicoveFrame::DeleteSelected() {
    int row = listBox_->SelectedRow();
    CWordList* list = ShownList();
    if (row < 0 || list == nullptr || list == &searched_) {
        return;
    }
    list->Remove(row, 1);
    if (list != &recents_) {
        list->Save();
    }
    delete listBox_->takeItem(row);
}

void CLexicoveFrame::DeleteAll() {
    CWordList* list = ShownList();
    if (list == nullptr || list == &searched_) {
        return;
    }
    list->Clear();
    if (list != &recents_) {
        list->Save();
    }
    listBox_->clear();
}

void CLexicoveFrame::SetHistoryPosition(int position) {
    historyPosition_ = position;
    backButton_.Enable(position + 1 < recents_.Count());
    forwardButton_.Enable(position > 0);
    if (client_ != nullptr) {
        client_->update(backButton_.Rect());
        client_->update(forwardButton_.Rect());
    }
}

void CLexicoveFrame::Back() {
    if (historyPosition_ + 1 >= recents_.Count()) {
        return;
    }
    std::string word;
    if (recents_.CopyAt(historyPosition_ + 1, &word)) {
        ShowWord(word.c_str(), false);
    }
    SetHistoryPosition(historyPosition_ + 1);
}

void CLexicoveFrame::Forward() {
    std::string word;
    if (historyPosition_ <= 0 || !recents_.CopyAt(historyPosition_ - 1, &word)) {
        return;
    }
    ShowWord(word.c_str(), false);
    SetHistoryPosition(historyPosition_ - 1);
}

std::unique_ptr<QMenu> CLexicoveFrame::CreateListMenu(int childId, const QPoint& position) {
    CWordListBox* box = nullptr;
    if (childId == CLookupList::LOOKUP_LIST_ID) {
        box = lookupList_;
    } else if (childId == ID_LIST_BOX) {
        box = listBox_;
    } else {
        return nullptr;
    }
    QListWidgetItem* item = box->itemAt(position);
    if (item == nullptr || IsStatusRow(item->text())) {
        return nullptr;
    }
    box->setCurrentItem(item);
    if (twoPanes_) {
        // The menu's commands act on the Lookup view's row, wherever the focus was.
        box->setFocus(Qt::PopupFocusReason);
    }
    auto menu = std::make_unique<QMenu>(this);
    if (box == lookupList_ || currentTab_ == LIST_SEARCHED) {
        menu->addAction(Action(ID_ADD_TO_FAVORITES));
        menu->addAction(Action(ID_ADD_TO_STUDY_LIST));
    } else {
        menu->addAction(Action(ID_DELETE));
        menu->addAction(Action(ID_DELETE_ALL));
    }
    UpdateCommandStates();
    return menu;
}

void CLexicoveFrame::OnListHeld(int childId, QPoint position) {
    std::unique_ptr<QMenu> menu = CreateListMenu(childId, position);
    if (menu == nullptr) {
        return;
    }
    CWordListBox* box = childId == ID_LIST_BOX ? listBox_ : lookupList_;
    QRect row = box->visualItemRect(box->currentItem());
    menu->exec(box->viewport()->mapToGlobal(row.bottomLeft()));
}
