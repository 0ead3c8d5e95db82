#include "search/search_result_sink.h"

#include "app/messages.h"
#include "lists/word_list.h"
#include "search/search_listener.h"
#include "search/search_status.h"

bool SearchResultSink(void* context, const char* word, uint32_t number) {
    auto* sink = static_cast<SearchSinkContext*>(context);
    if (word == nullptr && number == SEARCH_STARTED) {
        sink->searched->Clear();
        sink->listener->ClearSearchedRows();
    } else if (word == nullptr) {
        sink->listener->PostMessage(WM_SEARCH_DONE, 0, static_cast<intptr_t>(number));
    }
    int position = word != nullptr ? sink->searched->Add(word) : -1;
    sink->listener->PostMessage(WM_LIST_ITEM_ADDED, LIST_SEARCHED, position);
    return sink->searched->Count() < sink->resultLimit.load(std::memory_order_relaxed);
}
