#include "frame/lexicove_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <cstring>

#include "app/code_page.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "db/dictionary_database.h"
#include "frame/command_ids.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "frame/painted_area_accessible.h"
#include "frame/pane_splitter.h"
#include "frame/search_panel.h"
#include "frame/search_tab_ctrl.h"
#include "lists/gui/word_list_box.h"
#include "platform/message_box.h"
#include "platform/message_poster.h"
#include "platform/platform_info.h"
#include "render/render_worker.h"
#include "search/search_status.h"
#include "search/search_worker.h"
#include "ui/content_view.h"
#include "ui/html_display.h"
#include "ui/html_hook.h"
#include "ui/resource_images.h"
#include "ui/theme_colour.h"

namespace {

constexpr char kNotFound[] = "Lexicove could not locate the word definition in current data file.";
constexpr char kBusy[] =
    "Lexicove is busy rendering current word content, please try again after it finished.";
constexpr int kRenderWaitMs = 500;
constexpr int kCloseRetryMs = 10;

}  // namespace

CLexicoveFrame::CLexicoveFrame(CDictionaryDatabase* database, ISettingsStore* settings,
                               QWidget* parent)
    : QWidget(parent),
      database_(database),
      settings_(settings),
      panel_(IDB_PANEL, GetThemeColour().rgb(), GetDisplayScale() == 2),
      highlight_(IDB_TAB_HIGHLIGHT, GetThemeColour().rgb(), GetDisplayScale() == 2),
      boxFrame_(IDB_BOX_FRAME, GetThemeColour().rgb(), GetDisplayScale() == 2),
      layout_(GetDisplayScale(), panel_.Width(), boxFrame_.Width()),
      panes_(GetDisplayScale(), CPaneSplitter::HandleWidth(this)) {
    setObjectName("LexicoveFrame");
    setWindowTitle("Lexicove");
    sinkContext_.searched = &searched_;
    sinkContext_.listener = this;
    searchWorker_ = std::make_unique<CSearchWorker>(database_, &sinkContext_, &GetOptionsRecord());
    renderWorker_ = std::make_unique<CRenderWorker>(database_, !IsPocketPC());
    LoadLists();
    ReadDisplaySettings();
    ApplyColourScheme();
}

CLexicoveFrame::~CLexicoveFrame() {
    if (created_) {
        SaveState();
    }
    qApp->removeEventFilter(this);
    // The children go before the frame's base object, which would end the connection.
    disconnect(focusWatch_);
    delete searchTabs_;
    searchTabs_ = nullptr;
    recents_.Save();
    settings_->WriteInteger(SETTINGS_KEY, SETTING_CLEAR_TYPE, clearType_);
    settings_->WriteInteger(SETTINGS_KEY, SETTING_TEXT_SIZE, textSize_);
    // The workers go before the lists and the display they write to.
    searchWorker_.reset();
    renderWorker_.reset();
}

bool CLexicoveFrame::Create() {
    if (created_) {
        return false;
    }
    CreateCommands();
    CreateCommandBar();
    LoadIcons();
    if (!CreateChildren()) {
        return false;
    }
    CreateHeaderButtons();
    NameControls();
    InstallPaintedAreaAccessibility(client_);
    pickerShown_ = false;  // the word-picker reports itself over the instance channel
    created_ = true;
    RestoreGeometry();
    RestoreState();
    std::u16string pickerWord = TakePickerStartWord();
    if (!pickerWord.empty()) {
        OpenWord(pickerWord, true);
    }
    if (renderWorker_->CurrentWord() == nullptr) {
        std::u16string start =
            ReadStringOr(*settings_, SETTINGS_KEY, SETTING_START_WORD, SETTING_START_WORD_DEFAULT);
        OpenWord(start.empty() ? wordOfTheDay_ : start, false);
    }
    dailyTimer_.setInterval(DAILY_TIMER_MS);
    connect(&dailyTimer_, &QTimer::timeout, this, &CLexicoveFrame::CheckDay);
    dailyTimer_.start();
    CreateHotKey();
    qApp->installEventFilter(this);
    return true;
}

bool CLexicoveFrame::CreateChildren() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setAttribute(Qt::WA_OpaquePaintEvent);
    outer->addWidget(client_, 1);
    outer->addWidget(commandBar_);

    lookupEdit_ = new CLookupEdit(client_);
    lookupEdit_->setObjectName("lookupEdit");
    lookupEdit_->setGeometry(layout_.LookupEdit());
    connect(lookupEdit_, &CLookupEdit::pressed, this, [this] { SelectTab(LIST_DICTIONARY); });
    // The word list follows every text of the box, also one the frame puts there; what the
    // user types there shows the dictionary's list, whatever tab was shown.
    connect(lookupEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        lookupList_->SetTopWord(text.trimmed().toStdU16String());
    });
    connect(lookupEdit_, &QLineEdit::textEdited, this, [this] {
        SetView(VIEW_LOOKUP);
        SelectTab(LIST_DICTIONARY);
    });

    lookupList_ = new CLookupList(database_, client_);
    lookupList_->setObjectName("lookupList");
    lookupList_->SetReceiver(this);
    listBox_ = new CWordListBox(ID_LIST_BOX, client_);
    listBox_->setObjectName("listBox");
    listBox_->SetReceiver(this);
    listBox_->hide();
    connect(lookupList_, &CWordListBox::held, this, &CLexicoveFrame::OnListHeld);
    connect(listBox_, &CWordListBox::held, this, &CLexicoveFrame::OnListHeld);

    contentView_ = new CContentView(client_);
    contentView_->setObjectName("contentView");
    contentView_->hide();
    CHtmlDisplay* display = contentView_->Display();
    if (display == nullptr) {
        return false;
    }
    display->SetClearType(clearType_ != 0);
    display->SetZoom(textSize_);
    display->SetErrorReporter([this](const QString& text) { ReportError(text); });
    contentView_->Hook()->SetCommandReceiver(this);
    contentView_->Hook()->SetSpeechCheck([this] { return SpeechAvailable(); });
    connect(display, &QTextEdit::selectionChanged, this, &CLexicoveFrame::UpdateSelectionCommand);
    connect(contentView_, &CContentView::linkTapped, this,
            [this](const QByteArray& target) { OnHotSpot(target); });
    renderWorker_->SetDisplay(display);
    CreateSplitter();
    return true;
}

CSearchPanel* CLexicoveFrame::SearchPanel() const {
    return searchTabs_ == nullptr ? nullptr : searchTabs_->Panel();
}

std::string CLexicoveFrame::CurrentWord() const {
    const char* word = renderWorker_->CurrentWord();
    return word == nullptr ? std::string() : std::string(word);
}

void CLexicoveFrame::SetView(int view) {
    // In two panes a view already current still takes the focus (the Lookup view's button
    // puts it into the box).
    if (view != currentView_ || twoPanes_) {
        int previous = currentView_;
        currentView_ = view;
        if (view != VIEW_LOOKUP) {
            rightView_ = view;
        }
        if (view == VIEW_SEARCH && searchTabs_ == nullptr) {
            searchTabs_ =
                new CSearchTabCtrl(this, settings_, database_->MeaningIndex().Available(), client_);
            searchTabs_->setObjectName("searchTabs");
            searchTabs_->Panel()->SetKeepLettersThatFit(true);
            PlaceChildren();
        }
        ShowViews();
        if (view == VIEW_LOOKUP) {
            lookupEdit_->setFocus();
        } else if (view == VIEW_CONTENT) {
            contentView_->setFocus();
        } else if (searchTabs_ != nullptr) {
            searchTabs_->Panel()->setFocus();
        }
        if (previous != -1) {
            client_->update();
        }
    }
    UpdateCommandStates();
}

void CLexicoveFrame::SelectTab(int tab) {
    if (tab == currentTab_ || tab < LIST_DICTIONARY || tab > LIST_SEARCHED) {
        return;
    }
    client_->update(layout_.TabBand(currentTab_));
    if (currentTab_ == LIST_DICTIONARY || tab == LIST_DICTIONARY) {
        bool lookup = LookupShown();
        lookupList_->setVisible(lookup && tab == LIST_DICTIONARY);
        listBox_->setVisible(lookup && tab != LIST_DICTIONARY);
        // The box frame is drawn only beside a user list.
        client_->update(layout_.TabBand(LIST_DICTIONARY));
    }
    currentTab_ = tab;
    NameListBox();
    client_->update(layout_.TabBand(tab));
    CMessagePoster(this).Post(WM_LIST_CHANGED, tab, 0);
}

bool CLexicoveFrame::ShowWord(const char* text, bool record) {
    // The lookup works in a buffer of LOOKUP_BUFFER_SIZE bytes: a longer text is cut to what
    // fits (every byte of the 8-bit code page is one character).
    char buffer[LOOKUP_BUFFER_SIZE] = {};
    std::strncpy(buffer, text, LOOKUP_BUFFER_SIZE - 1);
    uint32_t number = 0;
    suggested_ = false;
    if (!database_->LookupWord(buffer, &number) || number == 0) {
        ReportError(kNotFound);
        suggested_ = ShowSuggestions(buffer);
        return false;
    }
    if (renderWorker_->IsBusy()) {
        // Only the render worker's transfer is waited for, never the search worker.
        renderWorker_->RequestCancel();
        QElapsedTimer waited;
        waited.start();
        while (renderWorker_->IsBusy() && waited.elapsed() < kRenderWaitMs) {
            QThread::msleep(2);
        }
        if (renderWorker_->IsBusy()) {
            ReportError(kBusy);
            return false;
        }
    }
    if (renderWorker_->RenderWord(buffer, number)) {
        if (record) {
            if (recents_.Count() > RECENTS_KEPT) {
                recents_.Remove(RECENTS_KEPT, recents_.Count() - RECENTS_KEPT);
            }
            int position = recents_.InsertAt(0, buffer);
            if (position >= 0) {
                CMessagePoster(this).Post(WM_LIST_ITEM_ADDED, LIST_RECENTS, position);
            }
            SetHistoryPosition(0);
        }
        if (BandView() == VIEW_CONTENT) {
            // The header band shows the new current word; the display paints the page.
            client_->update(PageArea().intersected(layout_.HeaderBand(client_->width())));
        }
    }
    return true;
}

bool CLexicoveFrame::OpenWord(const std::string& text, bool switchView) {
    if (ShowWord(text.c_str(), true)) {
        if (switchView) {
            SetView(VIEW_CONTENT);
        }
        return true;
    }
    if (switchView) {
        SetView(VIEW_LOOKUP);
        if (suggested_) {
            ShowSuggestedTab();
        } else {
            SelectTab(LIST_DICTIONARY);
        }
    }
    lookupEdit_->setText(QString::fromStdU16String(CodePageToUtf16(text)));
    return false;
}

bool CLexicoveFrame::OpenWord(const std::u16string& text, bool switchView) {
    return OpenWord(Utf16ToCodePage(text), switchView);
}

bool CLexicoveFrame::IsWorkerBusy() const {
    return searchWorker_->IsBusy() || renderWorker_->IsBusy();
}

void CLexicoveFrame::StopSearchAndClose() {
    closePending_ = true;
    if (searchWorker_->IsBusy()) {
        database_->StopSearch();
    }
    if (!close()) {
        // The worker ends at its next step; try again until it has.
        QTimer::singleShot(kCloseRetryMs, this, [this] {
            if (closePending_) {
                StopSearchAndClose();
            }
        });
    }
}

void CLexicoveFrame::closeEvent(QCloseEvent* event) {
    if (IsWorkerBusy()) {
        event->ignore();
        return;
    }
    closePending_ = false;
    dailyTimer_.stop();
    SaveState();
    created_ = false;  // the state is saved; the destructor keeps it
    event->accept();
}

void CLexicoveFrame::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (currentView_ == VIEW_LOOKUP) {
        lookupEdit_->setFocus();
    } else if (currentView_ == VIEW_CONTENT) {
        contentView_->setFocus();
    } else if (searchTabs_ != nullptr) {
        searchTabs_->Panel()->setFocus();
    }
}

void CLexicoveFrame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        UpdateCommandStates();
    } else if (event->type() == QEvent::PaletteChange && client_ != nullptr) {
        ApplyColourScheme();
        client_->update();
    }
}

bool CLexicoveFrame::event(QEvent* event) {
    if (event->type() == CPostedMessage::EventType()) {
        auto* message = static_cast<CPostedMessage*>(event);
        OnPostedMessage(message->Message(), message->WParam(), message->LParam());
        return true;
    }
    return QWidget::event(event);
}

bool CLexicoveFrame::eventFilter(QObject* watched, QEvent* event) {
    if (OnNavigationButton(watched, event)) {
        return true;
    }
    // The frame filters the whole application (installed by Create), so the client's events
    // come here once, before the client's own press-and-hold gesture sees them.
    if (watched == client_) {
        switch (event->type()) {
            case QEvent::Paint:
                PaintClient(static_cast<QPaintEvent*>(event));
                return true;
            case QEvent::Resize:
                OnClientResize();
                return false;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseMove:
                return OnClientMouse(static_cast<QMouseEvent*>(event));
            default:
                break;
        }
        if (event->type() == CPostedMessage::EventType()) {
            // The header buttons post their commands to the client they are drawn on.
            auto* message = static_cast<CPostedMessage*>(event);
            OnPostedMessage(message->Message(), message->WParam(), message->LParam());
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        // Only at the first receiver (the focus widget, else the window): a key a child
        // leaves unused travels on up to its parents and must not be routed again at each.
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* first =
            QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : this;
        if (widget != nullptr && widget == first && (widget == this || isAncestorOf(widget))) {
            return RouteKey(watched, static_cast<QKeyEvent*>(event));
        }
    }
    return false;
}

bool CLexicoveFrame::RouteKey(QObject* watched, QKeyEvent* event) {
    if (currentView_ == VIEW_SEARCH && searchTabs_ != nullptr) {
        return searchTabs_->Panel()->RouteKey(event);
    }
    if (currentView_ != VIEW_LOOKUP) {
        return false;
    }
    CWordListBox* active = ActiveList();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            int row = active->SelectedRow();
            if (EnterOpensTypedText(active)) {
                row = -1;
            }
            if (row >= 0) {
                CMessagePoster(this).Post(WM_LIST_ITEM_ACTIVATED, row,
                                          reinterpret_cast<intptr_t>(active));
            }
            if (lookupEdit_->hasFocus()) {
                lookupEdit_->selectAll();
            }
            return true;
        }
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (watched != lookupEdit_) {
                return false;
            }
            QCoreApplication::postEvent(
                active, new QKeyEvent(QEvent::KeyPress, event->key(), event->modifiers()));
            return true;
        default:
            return false;
    }
}

void CLexicoveFrame::OnPostedMessage(uint32_t message, intptr_t wParam, intptr_t lParam) {
    switch (message) {
        case WM_COMMAND:
            RunCommand(static_cast<int>(wParam), static_cast<int>(lParam));
            break;
        case WM_LIST_CHANGED:
            OnListChanged(static_cast<int>(wParam));
            break;
        case WM_LIST_ITEM_ADDED:
            OnListItemAdded(static_cast<int>(wParam), lParam);
            break;
        case WM_SEARCH_DONE:
            OnSearchDone(static_cast<int>(lParam));
            break;
        case WM_CLEAR_LIST:
            OnClearList(static_cast<int>(wParam));
            break;
        case WM_ADD_STUDY_WORDS:
            // lParam: the NUL-terminated UTF-16 name of a word-list file, or "" (or none) for
            // the dictionary.
            AddStudyWords(static_cast<int>(wParam),
                          lParam != 0 ? std::u16string(reinterpret_cast<const char16_t*>(lParam))
                                      : std::u16string());
            break;
        case WM_LIST_ITEM_ACTIVATED:
            ChooseRow(static_cast<int>(wParam), reinterpret_cast<CWordListBox*>(lParam));
            break;
        default:
            break;
    }
}

void CLexicoveFrame::SendMessage(uint32_t message, intptr_t wParam, intptr_t lParam) {
    OnPostedMessage(message, wParam, lParam);
}

void CLexicoveFrame::OnListChanged(int list) {
    if (list != currentTab_ || list < LIST_STUDY || list > LIST_SEARCHED) {
        return;
    }
    listBox_->Fill(*ShownList());
}

void CLexicoveFrame::OnListItemAdded(int list, intptr_t position) {
    if (list != currentTab_) {
        return;
    }
    if (list == LIST_SEARCHED) {
        std::string word;
        if (position >= listBox_->count() && searched_.CopyAt(static_cast<int>(position), &word)) {
            listBox_->addItem(QString::fromStdU16String(CodePageToUtf16(word)));
        }
    } else if (list == LIST_RECENTS) {
        listBox_->Fill(recents_);
    }
}

void CLexicoveFrame::OnSearchDone(int status) {
    if (currentTab_ == LIST_SEARCHED) {
        listBox_->addItem(QString::fromLatin1(SearchStatusRow(status, searched_.Count() > 0)));
    }
    UpdateCommandStates();
}

void CLexicoveFrame::OnClearList(int list) {
    if (list != LIST_STUDY) {
        return;
    }
    studyList_.Clear();
    studyList_.Save();
    if (currentTab_ == LIST_STUDY) {
        listBox_->clear();
    }
}

void CLexicoveFrame::ChooseRow(int row, CWordListBox* box) {
    if (box != listBox_ && box != lookupList_) {
        return;
    }
    QListWidgetItem* item = box->item(row);
    if (item == nullptr || item->text().isEmpty() || item->text().startsWith('<')) {
        return;
    }
    bool recents = currentTab_ == LIST_RECENTS && box == listBox_;
    if (ShowWord(Utf16ToCodePage(item->text().toStdU16String()).c_str(), !recents)) {
        if (recents) {
            SetHistoryPosition(row);
        }
        ShowContent();
    }
}

bool CLexicoveFrame::StartSearch(const std::u16string& query, int mode, const std::u16string& path,
                                 const std::u16string& pattern) {
    if (!searchWorker_->Start(query, mode, QString::fromStdU16String(path).toStdString(),
                              pattern)) {
        return false;
    }
    SetView(VIEW_LOOKUP);
    SelectTab(LIST_SEARCHED);
    UpdateCommandStates();
    return true;
}

bool CLexicoveFrame::SendSearch(uint32_t message, const std::u16string& wordListPath,
                                const std::u16string& query) {
    if (message == WM_SEARCH_PATTERN) {
        return StartSearch(query, SEARCH_MODE_PATTERN, wordListPath);
    }
    if (message == WM_SEARCH_PHONETIC) {
        return StartSearch(query, SEARCH_MODE_PHONETIC, wordListPath);
    }
    return false;
}

bool CLexicoveFrame::SendMeaningSearch(const std::u16string& description,
                                       const std::u16string& pattern) {
    return StartSearch(description, SEARCH_MODE_MEANING, std::u16string(), pattern);
}

void CLexicoveFrame::PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) {
    CMessagePoster(this).Post(message, wParam, lParam);
}

void CLexicoveFrame::ClearSearchedRows() {
    auto clear = [this] {
        // Only the rows of the Searched list: another list on show keeps its rows.
        if (currentTab_ == LIST_SEARCHED) {
            listBox_->clear();
        }
    };
    if (QThread::currentThread() == thread()) {
        clear();
    } else {
        QMetaObject::invokeMethod(this, clear, Qt::BlockingQueuedConnection);
    }
}

void CLexicoveFrame::ShowError(const char* text) {
    ReportError(QString::fromLatin1(text));
}

void CLexicoveFrame::ReportError(const QString& text) {
    if (messageBox_) {
        messageBox_(text);
    } else {
        ShowErrorBox(this, text);
    }
}
