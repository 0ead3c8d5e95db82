#pragma once

// CWordListBox: the list box that shows a word list and tells its receiver (normally its parent,
// the main frame) which row the user chose. A tap on a row and Enter with a selected row both
// post WM_LIST_ITEM_ACTIVATED (wParam the row, lParam this list box as a CWordListBox*) through
// CMessagePoster, so the receiver handles the choice after the list box's own event. A
// press-and-hold (600 ms, or a right click) posts nothing: it is reported as held(), which the
// frame answers with the list context menu.
//
// Rows hold UTF-16 text; their item data is free for subclasses (CLookupList keeps the word
// number under Qt::UserRole).

#include <QListWidget>
#include <QPoint>

class CTapAndHold;
class CWordList;

class CWordListBox : public QListWidget {
    Q_OBJECT

  public:
    // The receiver of the posts is the parent until SetReceiver names another.
    CWordListBox(int childId, QWidget* parent);

    // The window that receives WM_LIST_ITEM_ACTIVATED (the frame, when it is not the parent).
    void SetReceiver(QObject* receiver) { receiver_ = receiver; }
    QObject* Receiver() const { return receiver_; }
    int ChildId() const { return childId_; }

    // Empties the box, then adds one row per item of list, in list order, each converted from
    // the 8-bit code page. The list may be one that another thread appends to.
    void Fill(const CWordList& list);

    // The selected row, or -1 when no row is selected.
    int SelectedRow() const;

    // The gesture recogniser on the viewport (tests shorten its interval).
    CTapAndHold* TapAndHold() const { return tapAndHold_; }

  signals:
    // A tap-and-hold at position, in viewport coordinates.
    void held(int childId, QPoint position);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PostActivated(int row) const;

    int childId_;
    QObject* receiver_;
    CTapAndHold* tapAndHold_;
};
