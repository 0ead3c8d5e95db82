#pragma once

// CLookupList: the Lookup view's word list (child id 2). It never holds more than one page of
// dictionary words: every operation asks the database's word index for just the words it
// needs, through PageWordCallback, and stops the enumeration once the page is full. Its own
// vertical scroll bar along the right edge maps onto the prefix table: positions 0 to 1024,
// each a prefix-table slot (1024: the end of the dictionary).
//
// Rows hold the words in dictionary order, converted from the 8-bit code page, and the word
// number as item data under Qt::UserRole. Taps, Enter and tap-and-hold are CWordListBox's.
//
// The page size is the number of whole rows that fit the viewport. A change of it, and the
// creation, post WM_LIST_CHANGED (0, 0) to the list itself, whose handling refills the page
// unless an operation has filled it since.

#include <cstdint>
#include <string>

#include "lists/gui/word_list_box.h"

class CDictionaryDatabase;
class QScrollBar;

class CLookupList : public CWordListBox {
    Q_OBJECT

  public:
    static constexpr int LOOKUP_LIST_ID = 2;
    // The scroll bar's range is 0 to this; a page of the bar is 1.
    static constexpr int SCROLL_RANGE = 1024;

    // The database is not owned and must be open.
    CLookupList(CDictionaryDatabase* database, QWidget* parent);

    // Shows the page that starts at the first word not smaller than text, that word selected.
    // Near the end of the dictionary the page is filled up with the words before text; a text
    // after every word gives the last page with no row selected.
    void SetTopWord(const std::u16string& text);
    // Moves the page by delta words (negative: towards the start); 0 only fits the rows to the
    // page size, topping the page up with the words after the last row.
    void ScrollBy(int delta);
    // Shows the page that starts at the prefix of a prefix-table slot (SCROLL_RANGE and above:
    // the last page). Nothing happens when slot is the scroll position already.
    void ScrollToSlot(int slot);

    // Page Up and Page Down move by a page, Up on row 0 and Down on the last row scroll by one
    // word keeping the selection on that row; true when the key was handled so. Other keys,
    // and these when their condition is not met, are the list's default handling: the frame
    // forwards keys typed in the "Look up:" box as key events to the list, which come here.
    bool HandleKey(int qtKey);

    // The WordCallback of the enumerations, with the list as context: takes words while the
    // fill counter is not 0, appending (counter above 0, counting down) or inserting at the
    // top (counter below 0, counting up).
    static bool PageWordCallback(void* context, const char* word, uint32_t number);

    int PageSize() const { return pageSize_; }
    int ScrollPosition() const { return scrollPosition_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    // Whether the rows have been fitted to the current page size.
    bool IsFilled() const { return filled_; }
    // The height of every row, from the list's font.
    int RowHeight() const { return rowHeight_; }
    // The 8-bit word of a row; empty when there is no such row.
    std::string RowWord(int row) const;

  protected:
    void customEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void OnScrollAction(int action);
    void UpdateRowHeight();
    void UpdatePageSize();
    void SetScrollPosition(int position);
    void Enumerate(const std::string& prefix, bool forward);
    void DropRowsFromEnd();
    void DeleteRow(int row);

    QScrollBar* scrollBar_;
    CDictionaryDatabase* database_;
    int fillCounter_ = 0;
    int pageSize_ = 1;
    bool filled_ = false;
    int scrollPosition_ = 0;
    int rowHeight_ = 0;
    int wheelDelta_ = 0;  // wheel angle not yet turned into whole steps
};
