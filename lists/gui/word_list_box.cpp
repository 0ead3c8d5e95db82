#include "lists/gui/word_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <string>

#include "app/code_page.h"
#include "app/messages.h"
#include "lists/word_list.h"
#include "platform/message_poster.h"
#include "platform/tap_and_hold.h"

CWordListBox::CWordListBox(int childId, QWidget* parent)
    : QListWidget(parent),
      childId_(childId),
      receiver_(parent),
      tapAndHold_(new CTapAndHold(viewport(), this)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(tapAndHold_, &CTapAndHold::held, this,
            [this](QPoint position) { emit held(childId_, position); });
}

void CWordListBox::Fill(const CWordList& list) {
    clear();
    // CopyAt, not At: the Searched list is appended to by the search worker while it is shown.
    std::string item;
    const int count = list.Count();
    for (int i = 0; i < count && list.CopyAt(i, &item); ++i) {
        addItem(QString::fromStdU16String(CodePageToUtf16(item)));
    }
}

int CWordListBox::SelectedRow() const {
    const QModelIndexList selected = selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void CWordListBox::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    // The view's own release ends its press state; the choice is ours, so its clicked and
    // activated signals are not what the frame listens to.
    QListWidget::mouseReleaseEvent(event);
    setCurrentRow(index.row());
    PostActivated(index.row());
}

void CWordListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QListWidget::keyPressEvent(event);
        return;
    }
    const int row = SelectedRow();
    if (row >= 0) {
        PostActivated(row);
    }
    event->accept();
}

void CWordListBox::PostActivated(int row) const {
    CMessagePoster(receiver_).Post(WM_LIST_ITEM_ACTIVATED, row, reinterpret_cast<intptr_t>(this));
}
