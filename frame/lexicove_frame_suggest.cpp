// CLexicoveFrame: the suggestions for a word that is not in the dictionary, shown as the
// Searched tab's rows, and the Enter rule of the "Look up:" box that leads to them.

#include <QListWidgetItem>
#include <QMetaObject>

#include "app/code_page.h"
#include "app/messages.h"
#include "db/dictionary_database.h"
#include "frame/lexicove_frame.h"
#include "frame/lookup_edit.h"
#include "frame/lookup_list.h"
#include "platform/message_poster.h"
#include "search/search_status.h"
#include "search/search_worker.h"

bool CLexicoveFrame::ShowSuggestions(const char* text) {
    if (searchWorker_->IsBusy()) {
        return false;
    }
    searched_.Clear();
    for (const Suggestion& s : database_->SuggestWords(text)) {
        searched_.Add(s.word.c_str());
    }
    // The rows come as a search's do: the list refilled, then the status row.
    if (currentTab_ == LIST_SEARCHED) {
        CMessagePoster(this).Post(WM_LIST_CHANGED, LIST_SEARCHED, 0);
        CMessagePoster(this).Post(WM_SEARCH_DONE, 0, SEARCH_OK);
    }
    return true;
}

void CLexicoveFrame::ShowSuggestedTab() {
    if (currentTab_ != LIST_SEARCHED) {
        SelectTab(LIST_SEARCHED);
        CMessagePoster(this).Post(WM_SEARCH_DONE, 0, SEARCH_OK);
    }
}

bool CLexicoveFrame::EnterOpensTypedText(CWordListBox* active) {
    if (active != lookupList_ || !lookupEdit_->hasFocus()) {
        return false;
    }
    QString typed = lookupEdit_->text().trimmed();
    QListWidgetItem* item = active->item(active->SelectedRow());
    if (typed.isEmpty() ||
        (item != nullptr && item->text().startsWith(typed, Qt::CaseInsensitive))) {
        return false;
    }
    std::string text = Utf16ToCodePage(typed.toStdU16String());
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            // In two panes the page shows on the right and the box keeps the focus.
            if (OpenWord(text, true) && twoPanes_) {
                SetView(VIEW_LOOKUP);
            }
        },
        Qt::QueuedConnection);
    return true;
}
