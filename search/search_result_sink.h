#pragma once

// SearchResultSink: the main window's result callback for a search, run on the search worker
// thread. It keeps the Searched list and tells the main window about every change:
//   start call (word null, number SEARCH_STARTED): empties the list and the window's rows;
//   word call (number 0): adds the word (a word already listed keeps its position);
//   end call (word null, number the status): posts WM_SEARCH_DONE (0, status).
// After every call it posts WM_LIST_ITEM_ADDED (LIST_SEARCHED, the word's position, or -1
// for the start and end calls). It answers true while the list holds fewer words than the
// result limit, so the word that fills the list is the last one listed.
//
// The Searched list is appended on the worker while the main thread reads it: CWordList
// locks each operation, and since the worker only adds at the end during a search, the
// position in a WM_LIST_ITEM_ADDED names that word for the rest of the search. The main
// thread reads entries with CopyAt.

#include <atomic>
#include <cstdint>

#include "app/options_record.h"

class CWordList;
class ISearchListener;

struct SearchSinkContext {
    CWordList* searched = nullptr;
    ISearchListener* listener = nullptr;
    // The "Stop at:" value; CSearchWorker::Start copies it from the options record.
    std::atomic<int> resultLimit{RESULT_LIMIT_DEFAULT};
};

// A WordCallback; context is a SearchSinkContext.
bool SearchResultSink(void* context, const char* word, uint32_t number);
