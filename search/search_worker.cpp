#include "search/search_worker.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "app/code_page.h"
#include "app/options_record.h"
#include "db/dictionary_database.h"
#include "search/search_listener.h"
#include "search/search_result_sink.h"
#include "search/search_status.h"

CSearchWorker::CSearchWorker(CDictionaryDatabase* database, SearchSinkContext* results,
                             const COptionsRecord* options)
    : database_(database),
      context_(results),
      callback_(SearchResultSink),
      results_(results),
      options_(options) {}

CSearchWorker::~CSearchWorker() {
    if (IsBusy()) {
        database_->StopSearch();
        while (IsBusy()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

bool CSearchWorker::StartDetachedThread(void (*proc)(CSearchWorker*), CSearchWorker* worker) {
    try {
        std::thread(proc, worker).detach();  // nobody waits for the thread
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

bool CSearchWorker::Accept(std::u16string_view query, int mode, std::string_view path,
                           std::u16string_view pattern) {
    if (IsBusy() || query.empty()) {
        return false;
    }
    reported_.store(false, std::memory_order_release);
    busy_.store(true, std::memory_order_release);
    query_.assign(query);
    pattern_.assign(pattern);
    path_.assign(path);
    mode_ = mode;
    database_->SetSearchFlags(!options_->KeepSpaces(), !options_->KeepNonAlphanumerics());
    results_->resultLimit.store(options_->ResultLimit(), std::memory_order_relaxed);
    // A stop asked for from here on belongs to this search, even before its thread runs.
    CSearchIndex::ClearStop();
    return true;
}

bool CSearchWorker::Start(std::u16string_view query, int mode, std::string_view path,
                          std::u16string_view pattern) {
    if (!Accept(query, mode, path, pattern)) {
        return false;
    }
    if (!startThread_(SearchThreadProc, this)) {
        busy_.store(false, std::memory_order_release);
        results_->listener->ShowError(SEARCH_THREAD_FAILED);
    }
    return true;
}

int CSearchWorker::SearchHere(std::u16string_view query, int mode, std::string_view path,
                              std::u16string_view pattern) {
    if (!Accept(query, mode, path, pattern)) {
        return SEARCH_INVALID_QUERY;
    }
    return Run();
}

void CSearchWorker::SearchThreadProc(CSearchWorker* worker) {
    // The pause before a window's search starts; SearchHere makes none.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    worker->Run();
}

int CSearchWorker::Run() {
    callback_(context_, nullptr, SEARCH_STARTED);
    bool lossy = false, lossyPattern = false;
    std::string query = Utf16ToCodePage(query_, &lossy);
    std::string pattern = Utf16ToCodePage(pattern_, &lossyPattern);
    // A character the word index cannot hold would turn into "?", a wildcard: refuse it.
    int status = lossy || lossyPattern
                     ? SEARCH_INVALID_QUERY
                     : database_->SearchWords(callback_, context_, query.c_str(), mode_,
                                              path_.c_str(), pattern.c_str());
    reported_.store(true, std::memory_order_release);
    callback_(context_, nullptr, static_cast<uint32_t>(status));
    // The last touch of the worker: after this the main thread may start another search or
    // destroy it.
    busy_.store(false, std::memory_order_release);
    return status;
}
