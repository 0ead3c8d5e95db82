#pragma once
// CLexicoveFrame: the program's one top-level window. It owns the three views (Lookup: the
// "Look up:" box, the dictionary's word list and the list box of the user lists; Content: the
// word's page; Search: the search panel), the four user lists, the render worker and the
// search worker, and turns commands, taps, keys and the workers' posted messages into calls
// on them.
//
// Its client area (below it the command bar with the menus "Tools", "Text" and "View" and the
// toolbar) is laid out by CFrameLayout; the frame paints the Lookup view's left panel and the
// header bands itself. A client area of the desktop's size shows two panes (CPaneLayout): the
// Lookup view on the left, the Content or the Search view on the right; there the current
// view is the pane that holds the keyboard focus. Settings are values of SETTINGS_KEY in the
// given store; the lists are files in the program folder.
//
// All of its code runs on the main thread. The search worker reaches it only through the
// ISearchListener calls (posted messages, and one synchronous clearing of the rows), so the
// main thread never waits for the search worker.
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "frame/frame_layout.h"
#include "frame/glimmerpad_tool.h"
#include "frame/painted_control.h"
#include "frame/pane_layout.h"
#include "frame/search_panel_owner.h"
#include "lists/list_exporter.h"
#include "lists/word_list.h"
#include "options/study_assistant.h"
#include "search/search_listener.h"
#include "search/search_result_sink.h"
#include "ui/colour_scheme.h"
#include "ui/header_button.h"
#include "ui/themed_bitmap.h"

class CContentView;
class CDictionaryDatabase;
class CHelpWindow;
class CHotKeyService;
class CLookupEdit;
class CLookupList;
class CPaneSplitter;
class CRenderWorker;
class CSearchPanel;
class CSearchTabCtrl;
class CSearchWorker;
class CSpeechEngine;
class CWordListBox;
class ISettingsStore;
class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

class CLexicoveFrame : public QWidget,
                       public ISearchListener,
                       public ISearchPanelOwner,
                       public IPaintedControls {
    Q_OBJECT

  public:
    // Recents keeps this many entries before a recorded word goes to its front.
    static constexpr int RECENTS_KEPT = 64;
    // The most characters of a start word.
    static constexpr int MAX_START_WORD = 64;

    // Shows an error the user must see; by default the program's error box.
    using MessageBoxHook = std::function<void(const QString& text)>;
    // The first window's size, or 90% of the screen's free area when that is smaller; centred.
    static constexpr int FIRST_WINDOW_WIDTH = 1000;
    static constexpr int FIRST_WINDOW_HEIGHT = 700;
    // The daily timer runs the day check once a minute from window creation to destruction.
    static constexpr int DAILY_TIMER_MS = 60000;

    // Loads the three list files and the display settings; the database and the store are
    // not owned and must outlive the frame.
    CLexicoveFrame(CDictionaryDatabase* database, ISettingsStore* settings,
                   QWidget* parent = nullptr);
    // Writes Recents to "History.txt" and the display settings.
    ~CLexicoveFrame() override;

    // Creates the children in order, restores the stored window geometry, view, tab and word;
    // false when a step failed (the frame is then not usable).
    bool Create();

    void SetView(int view);
    void SelectTab(int tab);
    // Looks text up and has its page rendered; records it in Recents when asked.
    bool ShowWord(const char* text, bool record);
    // Puts the words the user may have meant by text into the Searched list, as a search's
    // results (the rows with their status row when the Searched tab is on show). False,
    // changing nothing, while a search runs: the Searched list is the search's.
    bool ShowSuggestions(const char* text);
    // ShowWord with recording; switches to the Content view on success when asked. On failure
    // (ShowWord has put the suggestions into the Searched list) it switches, when asked, to
    // the Lookup view and its Searched tab (the dictionary tab when no suggestions could be
    // given), and puts the text into the "Look up:" box.
    bool OpenWord(const std::string& text, bool switchView);
    bool OpenWord(const std::u16string& text, bool switchView);
    // Another program's request: COPYDATA_LOOKUP (look text up), COPYDATA_PICKER_SHOWN and
    // COPYDATA_PICKER_HIDDEN; always 1.
    intptr_t OnCopyData(int code, const std::u16string& text);
    // Shows the window in front, restored when it was minimised or hidden; an open modal
    // dialog comes to the front above it.
    void BringToFront();
    // The single-instance socket this program listens on, handed to the word-picker.
    void SetInstanceName(const QString& name);
    bool IsWorkerBusy() const;
    // A termination request: stops a running search, then closes as Exit does once the
    // workers are idle, so that every list and value is saved.
    void StopSearchAndClose();
    // The command dispatcher: menus, toolbar, header buttons, popup menus and accelerators.
    void RunCommand(int command, int code = 0);
    // Answers a tapped link of the page: 1 when the frame handled it, 0 when the display
    // does.
    int OnHotSpot(const QByteArray& target);
    void SetHistoryPosition(int position);
    // A sent internal message (WM_CLEAR_LIST and the others of app/messages.h): handled
    // before the call returns, as the posted ones are in their turn.
    void SendMessage(uint32_t message, intptr_t wParam, intptr_t lParam);
    // Adds count random words to the Study List from the word-list file source of the program
    // folder (empty: the dictionary), saves it and has a shown Study List refilled. Nothing
    // happens when the list holds more than 256 entries or the file cannot be read as a word
    // list.
    void AddStudyWords(int count, const std::u16string& source);
    // The word of the day: with showCurrent (a tap) the current one is opened first; then a
    // new one is drawn from the random word source and stored. Without showCurrent (held, or
    // a new day) its area is repainted at once.
    void NextRandomWord(bool showCurrent);
    // The daily timer's tick: on a new day posts the day's study words (when asked for) and a
    // new word of the day, then stores the day and saves the options record.
    void CheckDay();

    // The list context menus: 157 ("Add to Favorites", "Add to Study List") for the word list
    // and the Searched tab, 158 ("Delete", "Delete All") for the other tabs; null for another
    // child. Selects the row under position (viewport coordinates) first; null when there is
    // none or it is a status row.
    std::unique_ptr<QMenu> CreateListMenu(int childId, const QPoint& position);

    void SetMessageBoxHook(MessageBoxHook hook) { messageBox_ = std::move(hook); }

    // Writes one of the user's lists (LIST_FAVORITES, LIST_STUDY or LIST_RECENTS, as held in
    // memory) to path as Tools > Export... does: false, with a message, when the file cannot
    // be written; an empty list gives the format's header alone and a message saying so.
    bool ExportList(int listNumber, ExportFormat format, const QString& path);
    // The engine that reads aloud; not owned, it must outlive the frame. Set before Create;
    // without one, Read and "Speech Volume" stay disabled.
    void SetSpeechEngine(CSpeechEngine* engine) { speech_ = engine; }
    // True when a speech engine is registered: Read and "Speech Volume" are enabled.
    bool SpeechAvailable();
    // The day check's clock and word source; tests give it their own day stamps.
    CStudyAssistant& StudyAssistant() { return study_; }
    const QTimer& DailyTimer() const { return dailyTimer_; }

    // ISearchListener.
    void PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) override;
    void ClearSearchedRows() override;
    void ShowError(const char* text) override;
    // ISearchPanelOwner.
    bool SendSearch(uint32_t message, const std::u16string& wordListPath,
                    const std::u16string& query) override;
    bool SendMeaningSearch(const std::u16string& description,
                           const std::u16string& pattern) override;
    void RunHelp(const std::u16string& target) override;

    int CurrentView() const { return currentView_; }
    int CurrentTab() const { return currentTab_; }
    int HistoryPosition() const { return historyPosition_; }
    bool PickerShown() const { return pickerShown_; }
    int TextSize() const { return textSize_; }
    bool ClearType() const { return clearType_ != 0; }
    const std::u16string& WordOfTheDay() const { return wordOfTheDay_; }
    // The word last handed to the renderer; empty before the first page.
    std::string CurrentWord() const;
    CWordList& Favorites() { return favorites_; }
    CWordList& StudyList() { return studyList_; }
    CWordList& Recents() { return recents_; }
    CWordList& Searched() { return searched_; }
    CLookupEdit* LookupEdit() const { return lookupEdit_; }
    CLookupList* LookupList() const { return lookupList_; }
    CWordListBox* ListBox() const { return listBox_; }
    CContentView* ContentView() const { return contentView_; }
    CSearchTabCtrl* SearchTabs() const { return searchTabs_; }
    // The global hot key; null before Create.
    CHotKeyService* HotKeyService() const { return hotKey_; }
    // The Search view's panel; null before the first switch to the Search view.
    CSearchPanel* SearchPanel() const;
    QWidget* Client() const { return client_; }
    CRenderWorker* RenderWorker() const { return renderWorker_.get(); }
    CSearchWorker* SearchWorker() const { return searchWorker_.get(); }
    QAction* Action(int command) const;
    const CFrameLayout& Layout() const { return layout_; }
    // Whether the client area shows two panes; the splitter between them, null before Create.
    bool TwoPanes() const { return twoPanes_; }
    const CPaneLayout& Panes() const { return panes_; }
    CPaneSplitter* Splitter() const { return splitter_; }
    // The view the right pane shows in two panes: VIEW_CONTENT or VIEW_SEARCH.
    int RightView() const { return rightView_; }
    // The colours the panel and the bands are painted in: the application palette's.
    const CColourScheme& ColourScheme() const { return scheme_; }
    CHeaderButton& WordOfTheDayButton() { return wordOfDayButton_; }
    CHeaderButton& ReadButton() { return readButton_; }
    CHeaderButton& BackButton() { return backButton_; }
    CHeaderButton& ForwardButton() { return forwardButton_; }
    // Refreshes the enabled, checked and pressed states of every command.
    void UpdateCommandStates();
    // IPaintedControls: the client area's painted controls, for screen readers: the five
    // list tabs in tab order, the word-of-the-day area, then Read, Back and Forward. A press
    // selects a tab or gives a button's command.
    QWidget* PaintingWidget() override { return client_; }
    std::vector<CPaintedControl> PaintedControls() const override;
    void PressPaintedControl(size_t index) override;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Construction and creation.
    void LoadLists();
    void ReportUnreadableLists();
    void ReadDisplaySettings();
    void CreateCommands();
    QAction* AddCommand(int command, const QString& text);
    void CreateCommandBar();
    void LoadIcons();
    bool CreateChildren();
    void CreateHeaderButtons();
    std::u16string TakePickerStartWord();
    // The global hot key, bound to the stored key.
    void CreateHotKey();
    // A press of the hot key with the selection's text (empty: nothing selected).
    void OnHotKey(const QString& text);
    // The stored size, place and maximised state, else the first window's size, centred.
    void RestoreGeometry();
    void RestoreState();
    void SaveState();

    // Messages.
    void OnPostedMessage(uint32_t message, intptr_t wParam, intptr_t lParam);
    void OnListChanged(int list);
    void OnListItemAdded(int list, intptr_t position);
    void OnSearchDone(int status);
    void OnClearList(int list);
    void ChooseRow(int row, CWordListBox* box);
    // Enter in the "Look up:" box when the word list's highlighted row does not begin with the
    // typed text: that row is only the text's alphabetical neighbour, so the typed text itself
    // is opened (with the suggestions when it is not found). False when the row is the one
    // to open.
    bool EnterOpensTypedText(CWordListBox* active);
    // Shows the Searched tab with the suggestions and their status row.
    void ShowSuggestedTab();
    bool StartSearch(const std::u16string& query, int mode, const std::u16string& path,
                     const std::u16string& pattern = std::u16string());
    bool RouteKey(QObject* watched, QKeyEvent* event);

    // The keys of the commands, the "View" menu and the mouse's back and forward buttons.
    void CreateKeys();
    void AddViewMenu(QMenuBar* menuBar);
    bool OnNavigationButton(QObject* watched, QEvent* event);
    // Ctrl+L, F6 and the Lookup View command: the focus into the box, its text selected.
    void FocusLookupBox();

    // Commands.
    void SetTextSize(int size);
    void StepTextSize(int step);
    void ToggleClearType();
    void Copy();
    void LookupSelectedText();
    void ShowGlimmerpad();
    // Offered only while a picker is installed; checked while its window is up.
    void UpdatePickerCommand();
    void ShowAbout();
    void ShowOptions();
    void ShowExport();
    void ReadAloud();
    void ShowSpeechVolume();
    void UpdateSpeechCommands();
    // Lookup Selected Text is enabled exactly while the shown page has a selection.
    void UpdateSelectionCommand();
    // Whether the current word is in the list; false when there is none.
    bool CurrentWordIn(const CWordList& list) const;
    void AddToList(CWordList& list, int listNumber, bool toFront);
    void DeleteSelected();
    void DeleteAll();
    void Back();
    void Forward();
    CWordList* ShownList();
    CWordListBox* ActiveList() const;
    void OnListHeld(int childId, QPoint position);
    void OnHeaderHeld(QPoint position);

    // Accessible names of the controls that have no label of their own; the list box is
    // named after the shown list.
    void NameControls();
    void NameListBox();

    // Re-tints the three bitmaps with the application palette's colour scheme.
    void ApplyColourScheme();
    // The colour of a text painted on the panel in area: on the tab highlight or on the
    // panel's background.
    QColor PanelTextColour(const QRect& area, bool onHighlight) const;
    // The Content view's title colour, readable on the band.
    QColor ContentTitleColour() const;

    // The two panes and the handheld layout.
    void CreateSplitter();
    // The layout for the client area's size, chosen here alone; a change of layout keeps the
    // word, the list's page, the tab and the search panel, and the focus where it can.
    void OnClientResize();
    void SwitchLayout(bool twoPanes);
    void PlaceChildren();
    void OnSplitterDragged(int x);
    // Shows and hides the children for the layout, the current view and the tab.
    void ShowViews();
    // The focus for the current view when the widget that held it is no longer shown.
    void FocusCurrentView();
    // The page of a chosen word: the Content view in the handheld layout; in two panes the
    // right pane shows it and the focus stays where it is.
    void ShowContent();
    // In two panes the view follows the focus.
    void OnFocusChanged(QWidget* now);
    bool LookupShown() const { return twoPanes_ || currentView_ == VIEW_LOOKUP; }
    // The view whose header band is shown (VIEW_CONTENT or VIEW_SEARCH), or -1.
    int BandView() const;
    // The client rectangles of the Lookup view and of the Content and Search views.
    QRect LookupArea() const;
    QRect PageArea() const;

    // Layout and painting.
    void PlaceHeaderButtons();
    void PaintClient(QPaintEvent* event);
    void PaintLookupPanel(QPainter& painter, int height);
    void PaintContentBand(QPainter& painter, const QRect& area);
    void PaintSearchBand(QPainter& painter);
    void DrawHeaderButton(QPainter& painter, const CHeaderButton& button, int icon) const;
    bool OnClientMouse(QMouseEvent* event);

    void ReportError(const QString& text);
    // ReportError in a box that does not wait for the user.
    void ReportNotice(const QString& text);

    CDictionaryDatabase* database_;
    ISettingsStore* settings_;
    std::map<int, QAction*> actions_;
    QMenu* toolsMenu_ = nullptr;
    QMenu* textMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;  // on the menu bar in two panes only
    QWidget* client_ = nullptr;
    QWidget* commandBar_ = nullptr;
    CLookupEdit* lookupEdit_ = nullptr;
    CWordListBox* listBox_ = nullptr;
    CLookupList* lookupList_ = nullptr;
    CContentView* contentView_ = nullptr;
    CColourScheme scheme_ = CColourScheme::Current();
    CThemedBitmap panel_;
    CThemedBitmap highlight_;
    CThemedBitmap boxFrame_;
    CFrameLayout layout_;
    CPaneLayout panes_;
    CPaneSplitter* splitter_ = nullptr;
    QMetaObject::Connection focusWatch_;  // the application's focus changes, in two panes
    bool twoPanes_ = false;
    int rightView_ = VIEW_CONTENT;
    int currentTab_ = LIST_DICTIONARY;
    // Tab icons in tab order, "Random Word:", then Read, Back, Forward each normal, disabled
    // and pressed.
    std::array<QPixmap, 15> icons_;
    CWordList favorites_;
    CWordList recents_;
    CWordList studyList_;
    CWordList searched_;
    bool suggested_ = false;  // the last ShowWord missed and put suggestions into searched_
    CHeaderButton wordOfDayButton_;
    CHeaderButton readButton_;
    CHeaderButton backButton_;
    CHeaderButton forwardButton_;
    CHeaderButton* capturedButton_ = nullptr;
    int currentView_ = VIEW_LOOKUP;
    std::u16string wordOfTheDay_;
    bool pickerShown_ = false;
    CGlimmerpadTool glimmerpad_;
    int clearType_ = 1;
    int textSize_ = 2;
    SearchSinkContext sinkContext_;
    std::unique_ptr<CSearchWorker> searchWorker_;
    std::unique_ptr<CRenderWorker> renderWorker_;
    int historyPosition_ = 0;
    CSearchTabCtrl* searchTabs_ = nullptr;
    QPointer<CHelpWindow> helpWindow_;
    bool created_ = false;
    bool closePending_ = false;  // StopSearchAndClose waits for the workers
    MessageBoxHook messageBox_;
    CSpeechEngine* speech_ = nullptr;
    CStudyAssistant study_{database_};
    CHotKeyService* hotKey_ = nullptr;  // a child object
    QTimer dailyTimer_;
};
