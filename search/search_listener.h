#pragma once

// ISearchListener: how a search reaches the main window. The desktop program implements it
// over its own window and message queue; tests use a recording fake. PostMessage is called
// from the search worker thread and must only queue (the main thread handles the message
// later, in posting order); ClearSearchedRows is a synchronous call into the main thread, so
// the main thread must never wait for the worker.

#include <cstdint>

class ISearchListener {
  public:
    virtual ~ISearchListener() = default;

    // Queues an internal message (WM_LIST_ITEM_ADDED, WM_SEARCH_DONE) for the main window.
    virtual void PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) = 0;
    // Empties the rows the main window shows for the Searched list, before returning.
    virtual void ClearSearchedRows() = 0;
    // Shows an error message box (caption "Lexicove", error icon) on the main window; called
    // on the main thread.
    virtual void ShowError(const char* text) = 0;
};
