#include "frame/lookup_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "app/code_page.h"
#include "app/messages.h"
#include "db/dictionary_database.h"
#include "platform/message_poster.h"
#include "platform/platform_info.h"

namespace {

// Space above and below the text of a row, in units of the display scale.
constexpr int kRowMargin = 1;
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

}  // namespace

CLookupList::CLookupList(CDictionaryDatabase* database, QWidget* parent)
    : CWordListBox(LOOKUP_LIST_ID, parent),
      scrollBar_(new QScrollBar(Qt::Vertical, this)),
      database_(database) {
    setObjectName("lookupList");
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    UpdateRowHeight();

    scrollBar_->setObjectName("lookupScrollBar");
    scrollBar_->setRange(0, SCROLL_RANGE);
    scrollBar_->setPageStep(1);
    scrollBar_->setSingleStep(1);
    // The rows stop where the scroll bar begins.
    setViewportMargins(0, 0, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_),
                       0);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CLookupList::OnScrollAction);
    // The bar's own context menu ("Scroll here") sets its value without an action.
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != scrollPosition_) {
            ScrollToSlot(value);
        }
    });
    scrollBar_->show();
    CMessagePoster(this).Post(WM_LIST_CHANGED, 0, 0);
}

void CLookupList::SetTopWord(const std::u16string& text) {
    const std::string converted = Utf16ToCodePage(text);
    clear();
    fillCounter_ = pageSize_;
    Enumerate(converted, true);
    if (count() > 0) {
        setCurrentRow(0);
    }
    if (count() < pageSize_) {
        // Near the end: the words before the text fill the page from the top; the selected
        // row keeps its word.
        fillCounter_ = count() - pageSize_;
        Enumerate(converted, false);
    }
    filled_ = true;
    SetScrollPosition(database_->PrefixSlot(converted.c_str()));
}

void CLookupList::ScrollBy(int delta) {
    if (pageSize_ == 0) {
        return;
    }
    const int n = count();
    fillCounter_ = delta;
    if (delta == 0) {
        DropRowsFromEnd();
        if (n < pageSize_) {
            // The word followed by 0x01 sorts after the word and before every longer word
            // that starts with it: the walk yields exactly the words after the last row.
            fillCounter_ = pageSize_ - n;
            Enumerate((n > 0 ? RowWord(n - 1) : std::string(" ")) + '\x01', true);
        }
    } else if (delta > 0) {
        if (n == 0) {
            return;
        }
        Enumerate(RowWord(n - 1) + '\x01', true);
        while (count() > pageSize_) {
            DeleteRow(0);
        }
    } else {
        const std::string first = RowWord(0);
        if (first.empty()) {
            return;
        }
        Enumerate(first, false);
        DropRowsFromEnd();
    }
    filled_ = true;
    if (count() > 0) {
        SetScrollPosition(database_->PrefixSlot(RowWord(0).c_str()));
    }
}

void CLookupList::ScrollToSlot(int slot) {
    slot = std::clamp(slot, 0, SCROLL_RANGE);
    if (slot == scrollPosition_) {
        return;
    }
    fillCounter_ = pageSize_;
    clear();
    database_->EnumerateFromSlot(PageWordCallback, this, slot);
    if (count() == 0) {
        SetTopWord(u"~");  // beyond the last word: the last page
    }
    filled_ = true;
    SetScrollPosition(slot);
}

bool CLookupList::HandleKey(int qtKey) {
    const int n = count();
    if (n == 0) {
        return false;
    }
    switch (qtKey) {
        case Qt::Key_PageUp:
            ScrollBy(-pageSize_);
            return true;
        case Qt::Key_PageDown:
            ScrollBy(pageSize_);
            return true;
        case Qt::Key_Up:
            if (SelectedRow() != 0) {
                return false;
            }
            ScrollBy(-1);
            setCurrentRow(0);
            return true;
        case Qt::Key_Down:
            if (SelectedRow() != n - 1) {
                return false;
            }
            ScrollBy(1);
            setCurrentRow(n - 1);
            return true;
        default:
            return false;
    }
}

bool CLookupList::PageWordCallback(void* context, const char* word, uint32_t number) {
    auto* list = static_cast<CLookupList*>(context);
    if (list->fillCounter_ == 0) {
        return false;
    }
    if (word != nullptr) {
        auto* item = new QListWidgetItem(QString::fromStdU16String(CodePageToUtf16(word)));
        item->setData(Qt::UserRole, QVariant::fromValue(number));
        item->setSizeHint(QSize(0, list->rowHeight_));
        if (list->fillCounter_ < 1) {
            list->insertItem(0, item);
            ++list->fillCounter_;
        } else {
            list->addItem(item);
            --list->fillCounter_;
        }
    }
    return list->fillCounter_ != 0;
}

std::string CLookupList::RowWord(int row) const {
    const QListWidgetItem* rowItem = item(row);
    return rowItem == nullptr ? std::string() : Utf16ToCodePage(rowItem->text().toStdU16String());
}

void CLookupList::customEvent(QEvent* event) {
    if (event->type() == CPostedMessage::EventType() &&
        static_cast<CPostedMessage*>(event)->Message() == WM_LIST_CHANGED) {
        if (!filled_) {
            ScrollBy(0);
        }
        return;
    }
    CWordListBox::customEvent(event);
}

void CLookupList::resizeEvent(QResizeEvent* event) {
    // The event is the viewport's, which already has its new size; the bar goes along the
    // right edge of the whole list.
    CWordListBox::resizeEvent(event);
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
    UpdatePageSize();
}

void CLookupList::changeEvent(QEvent* event) {
    CWordListBox::changeEvent(event);
    if (event->type() != QEvent::FontChange) {
        return;
    }
    UpdateRowHeight();
    for (int row = 0; row < count(); ++row) {
        item(row)->setSizeHint(QSize(0, rowHeight_));
    }
    UpdatePageSize();
}

void CLookupList::keyPressEvent(QKeyEvent* event) {
    if (HandleKey(event->key())) {
        event->accept();
        return;
    }
    CWordListBox::keyPressEvent(event);
}

void CLookupList::wheelEvent(QWheelEvent* event) {
    // The rows never scroll inside the view; the wheel moves the page instead, by the lines
    // per notch the desktop asks for.
    wheelDelta_ += event->angleDelta().y();
    const int notches = wheelDelta_ / kWheelNotch;
    wheelDelta_ -= notches * kWheelNotch;
    if (notches != 0) {
        ScrollBy(-notches * QApplication::wheelScrollLines());
    }
    event->accept();
}

void CLookupList::OnScrollAction(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            ScrollBy(-1);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            ScrollBy(1);
            break;
        case QAbstractSlider::SliderPageStepSub:
            ScrollBy(1 - pageSize_);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            ScrollBy(pageSize_ - 1);
            break;
        case QAbstractSlider::SliderMove:
            ScrollToSlot(scrollBar_->sliderPosition());
            break;
        case QAbstractSlider::SliderToMinimum:
            SetTopWord(u" ");
            break;
        case QAbstractSlider::SliderToMaximum:
            SetTopWord(u"~");
            break;
        default:
            break;
    }
}

void CLookupList::UpdateRowHeight() {
    rowHeight_ = fontMetrics().height() + 2 * kRowMargin * GetDisplayScale();
}

void CLookupList::UpdatePageSize() {
    if (height() <= 0) {
        return;
    }
    const int page = rowHeight_ > 0 ? viewport()->height() / rowHeight_ : 0;
    if (page != pageSize_) {
        pageSize_ = page;
        filled_ = false;
        CMessagePoster(this).Post(WM_LIST_CHANGED, 0, 0);
    }
}

void CLookupList::SetScrollPosition(int position) {
    // The position is stored before the bar is moved, so that the bar's valueChanged sees it
    // as no change. Inside an action the bar takes this value as the action's result.
    scrollPosition_ = position;
    scrollBar_->setValue(position);
}

void CLookupList::Enumerate(const std::string& prefix, bool forward) {
    database_->EnumerateWords(PageWordCallback, this, prefix.c_str(), forward);
}

void CLookupList::DropRowsFromEnd() {
    while (count() > pageSize_) {
        DeleteRow(count() - 1);
    }
}

void CLookupList::DeleteRow(int row) {
    // A deleted selected row leaves no row selected; the view would select a neighbour.
    if (row == currentRow()) {
        selectionModel()->clear();
    }
    delete takeItem(row);
}
