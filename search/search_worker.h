#pragma once

// CSearchWorker: runs one word search at a time on a thread of its own, so the main window
// stays responsive. The main thread calls Start; the worker thread reports through the result
// callback (SearchResultSink for the main window) and never waits for the main thread except
// inside the listener's ClearSearchedRows. Busy runs from an accepted Start until the worker
// thread has made its end call.

#include <atomic>
#include <string>
#include <string_view>

#include "db/word_index.h"

class CDictionaryDatabase;
class COptionsRecord;
struct SearchSinkContext;

constexpr char SEARCH_THREAD_FAILED[] = "Failed to create new thread to search.";

class CSearchWorker {
  public:
    // results: the main window's sink context (its listener shows the thread failure);
    // options: the record the matching flags and the result limit come from.
    CSearchWorker(CDictionaryDatabase* database, SearchSinkContext* results,
                  const COptionsRecord* options);
    // Asks a running search to stop and waits for its end call; never destroy the worker
    // on a thread the listener's ClearSearchedRows needs while a search runs.
    virtual ~CSearchWorker();
    CSearchWorker(const CSearchWorker&) = delete;
    CSearchWorker& operator=(const CSearchWorker&) = delete;

    // Starts a search (SEARCH_MODE_PATTERN, SEARCH_MODE_PHONETIC or SEARCH_MODE_MEANING) for
    // query over the word-list file at path (a file-system path; empty for the dictionary);
    // pattern narrows a meaning search to the words it matches (empty: no narrowing). False,
    // and the request dropped, when a search is running or the query is empty; true
    // otherwise, also when no thread could be made (the listener then shows
    // SEARCH_THREAD_FAILED).
    bool Start(std::u16string_view query, int mode, std::string_view path,
               std::u16string_view pattern = {});
    // Runs the same search on the calling thread, with the same calls to the result callback,
    // but at once: for a caller that has no window to keep responsive (the terminal tool).
    // Returns the search's status, or SEARCH_INVALID_QUERY without any call when refused as
    // Start refuses.
    int SearchHere(std::u16string_view query, int mode, std::string_view path,
                   std::u16string_view pattern = {});
    bool IsBusy() const { return busy_.load(std::memory_order_acquire); }
    // Busy with a search that has not yet handed over its final status. The worker marks
    // itself idle only just after that report, so a window updating its commands on the report
    // asks this rather than IsBusy.
    bool IsSearching() const { return IsBusy() && !reported_.load(std::memory_order_acquire); }

    // How the worker thread is made; tests replace it to see a failure.
    using ThreadStarter = bool (*)(void (*proc)(CSearchWorker*), CSearchWorker* worker);
    void SetThreadStarter(ThreadStarter starter) { startThread_ = starter; }
    static bool StartDetachedThread(void (*proc)(CSearchWorker*), CSearchWorker* worker);

  private:
    // Takes a request: false when a search is running or the query is empty; otherwise busy,
    // with the query, the options' flags and limit set and the stop flag cleared.
    bool Accept(std::u16string_view query, int mode, std::string_view path,
                std::u16string_view pattern);
    static void SearchThreadProc(CSearchWorker* worker);
    // The accepted search from the start call to the end call; clears busy last.
    int Run();

    CDictionaryDatabase* database_;
    void* context_;
    WordCallback callback_;
    SearchSinkContext* results_;
    const COptionsRecord* options_;
    ThreadStarter startThread_ = StartDetachedThread;
    std::atomic<bool> busy_{false};
    std::atomic<bool> reported_{false};  // the running search has handed over its status
    std::u16string query_;
    std::u16string pattern_;
    std::string path_;
    int mode_ = 0;
};
