#pragma once

// CSearchPanel: the panel of the Search view ("Word Search"), under the five search tabs. For
// Puzzle and Anagram it paints a row of letter boxes, with a slider and a number label below;
// for Wildcard and Phonetic it shows an upper-case edit box in their place; for Meaning a
// description box with a pattern box below (CMeaningSearchBox). The Search button
// sits at the top right, and the HTML area below shows which word list is searched and the
// tab's help text, whose symbols can be tapped to insert pattern characters. A search sends
// the query to the owner (ISearchPanelOwner::SendSearch, SendMeaningSearch). Meaning can be
// switched off (a database without the meaning index): the panel then refuses that mode.
//
// Keys: while the panel has the focus it handles its own keys. While the Search view is shown
// and the focus is elsewhere, the main window passes every key press through RouteKey first;
// a key that a focused child then leaves unused is not handled a second time on its way up.
//
// Commands (posted WM_COMMAND, or RunCommand): 1 and 32855 start a search; 32834 to 32838 set
// the mode to 0 to 4 without touching the tabs.

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>

#include "frame/painted_control.h"
#include "frame/search_panel_text.h"
#include "ui/header_button.h"
#include "ui/themed_bitmap.h"

class CContextEdit;
class CHtmlDisplay;
class CMeaningSearchBox;
class ISearchPanelOwner;
class QKeyEvent;
class QLabel;
class QMenu;
class QSlider;

class CSearchPanel : public QWidget, public IPaintedControls {
    Q_OBJECT

  public:
    static constexpr int ID_OK = 1;
    static constexpr int ID_SEARCH = 32855;
    static constexpr int ID_MODE_PUZZLE = 32834;  // to 32838 for Meaning
    static constexpr int ID_BUILT_IN_DICTIONARY = 32844;
    static constexpr int ID_FIRST_WORD_LIST = 32845;
    // The most letters a row holds, and so the most boxes.
    static constexpr int MAX_LETTERS = 63;
    static constexpr int MAX_QUERY_LENGTH = 127;
    // The distance from one letter box to the next, in units.
    static constexpr int BOX_PITCH = 16;
    // The letter of a box left open.
    static constexpr char16_t OPEN_BOX = u'?';
    // The box count before the first size change.
    static constexpr int INITIAL_BOX_COUNT = 12;
    static constexpr char16_t HELP_TARGET[] = u"file:lexicove.htm#symbol";

    CSearchPanel(ISearchPanelOwner* owner, QWidget* parent);
    ~CSearchPanel() override;

    // Step into a mode (SEARCH_TAB_PUZZLE ...); the same mode again does nothing unless forced,
    // and Meaning nothing while it is switched off.
    void SetMode(int mode, bool force = false);
    int Mode() const { return mode_; }
    // Whether the Meaning mode may be chosen (on at first). Switching it off while in it goes
    // to Puzzle.
    void SetMeaningAvailable(bool available);
    bool MeaningAvailable() const { return meaningAvailable_; }

    // The main window's key routing while the Search view is shown: when the panel itself does
    // not have the focus, its key handling runs and true is returned for a key it consumed; a
    // typed character also reaches the boxes but is not consumed. False when the panel has the
    // focus (its own handling then runs) or the key is not one it uses.
    bool RouteKey(QKeyEvent* event);
    // A typed character in Puzzle and Anagram (other modes ignore it): Enter (13) starts a
    // search, Backspace (8) deletes the letter left of the cursor, a letter goes into the box
    // at the cursor.
    void HandleChar(char16_t ch);
    // Left, Right and Delete in Puzzle and Anagram; true when the key was consumed.
    bool HandleKey(int qtKey);
    // A panel made narrower clears its letters, the length criterion and the query (a rotated
    // screen). With keep on, a narrower panel that still has a box for every letter keeps
    // them: the main window's panes narrow it as the window is resized.
    void SetKeepLettersThatFit(bool keep) { keepLettersThatFit_ = keep; }
    // Carries out a command id; false for an id the panel does not know.
    bool RunCommand(int command);
    // Starts a search with the current contents; false when there is nothing to search or the
    // owner did not start it.
    bool StartSearch();

    // The word-list menu: "Built-in Dictionary", then one item per word-list file of the
    // program folder; the chosen command, or 0 when cancelled.
    int RunWordListMenu();
    std::unique_ptr<QMenu> CreateWordListMenu();
    // A command of the word-list menu: the dictionary or a listed file becomes the word list
    // searched and the HTML area is rebuilt. False, changing nothing, for any other command.
    bool ChooseWordList(int command);

    // The image of a help symbol ("c_quest.gif" ...), 12 by 12 units; null for any other name.
    static QImage SymbolImage(const std::string& name);

    int BoxCount() const { return boxCount_; }
    int Cursor() const { return cursor_; }
    // The letters of the current mode's boxes (Puzzle or Anagram), upper case.
    const std::u16string& Letters() const;
    int LengthCriterion() const { return lengthCriterion_; }
    const std::u16string& Query() const { return query_; }
    const std::u16string& WordListPath() const { return wordListPath_; }
    // The rectangle of box i in the panel, in pixels.
    QRect BoxRect(int i) const;
    const CHeaderButton& SearchButton() const { return searchButton_; }

    // IPaintedControls: the Search button for screen readers, and the letters of the boxes
    // (Puzzle and Anagram) as the panel's value.
    QWidget* PaintingWidget() override { return this; }
    std::vector<CPaintedControl> PaintedControls() const override;
    void PressPaintedControl(size_t index) override;
    QString PaintedValue() const override;
    CContextEdit* EditBox() const { return edit_; }
    CMeaningSearchBox* MeaningBox() const { return meaningBox_; }
    QSlider* Slider() const { return slider_; }
    QLabel* Label() const { return label_; }
    CHtmlDisplay* HtmlArea() const { return html_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool IsBoxMode() const { return mode_ == SEARCH_TAB_PUZZLE || mode_ == SEARCH_TAB_ANAGRAM; }
    // Shows the input of the current mode (boxes, edit box or meaning boxes) and hides the rest.
    void ShowModeInput();
    bool StartMeaningSearch();
    std::u16string& MutableLetters();
    // The character of a key press as the boxes take it (13 Enter, 8 Backspace), or 0.
    static char16_t KeyChar(const QKeyEvent* event);
    void Layout();
    void OnSliderMoved(int position);
    void UpdateSlider();
    void UpdateHtmlArea();
    void OnLinkTapped(const QByteArray& target);
    void InsertPair(const QString& pair, int caretOffset);
    void TapBoxes(const QPoint& point);
    void PaintBoxes(QPainter& painter) const;
    // The panel's background: the band colour of the application's colour scheme.
    void ApplyBackground();

    ISearchPanelOwner* owner_;
    int mode_ = SEARCH_TAB_PUZZLE;
    std::u16string anagramLetters_;
    std::u16string puzzleLetters_;
    int cursor_ = 0;
    int lengthCriterion_ = SEARCH_LENGTH_ANY;
    int boxCount_ = INITIAL_BOX_COUNT;
    std::u16string query_;
    std::u16string wordListPath_;
    QStringList wordListFiles_;  // the files the word-list menu offered last
    CContextEdit* edit_;
    CMeaningSearchBox* meaningBox_;
    bool meaningAvailable_ = true;
    QSlider* slider_;
    QLabel* label_;
    CHtmlDisplay* html_;
    QFont boxFont_;
    CThemedBitmap buttonNormal_;
    CThemedBitmap buttonPressed_;
    CHeaderButton searchButton_;
    CHeaderButton* trackedButton_ = nullptr;
    bool updatingSlider_ = false;
    bool keepLettersThatFit_ = false;
};
