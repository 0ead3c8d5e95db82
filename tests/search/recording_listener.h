#pragma once

// A stand-in for the main window in the search worker tests. It records what the worker
// posts, and builds the Searched tab's rows as the main window does: a word row for each
// WM_LIST_ITEM_ADDED whose position is not less than the rows shown, and the status row on
// WM_SEARCH_DONE. It can hold the worker inside its next post until the test lets it go.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "app/messages.h"
#include "lists/word_list.h"
#include "search/search_listener.h"
#include "search/search_status.h"

class CRecordingListener : public ISearchListener {
  public:
    explicit CRecordingListener(const CWordList* searched) : searched_(searched) {}

    struct Message {
        uint32_t message;
        intptr_t wParam;
        intptr_t lParam;
    };

    void PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) override {
        std::unique_lock<std::mutex> lock(lock_);
        messages_.push_back({message, wParam, lParam});
        // The main thread's handling, done here in posting order.
        if (message == WM_LIST_ITEM_ADDED && wParam == LIST_SEARCHED &&
            lParam >= static_cast<intptr_t>(rows_.size())) {
            std::string word;
            if (searched_->CopyAt(static_cast<int>(lParam), &word)) {
                rows_.push_back(word);
            }
        } else if (message == WM_SEARCH_DONE) {
            rows_.push_back(SearchStatusRow(static_cast<int>(lParam), searched_->Count() > 0));
            done_ = true;
        }
        changed_.notify_all();
        if (holdIn_ > 0 && --holdIn_ == 0) {
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return !held_; });
        }
    }
    void ClearSearchedRows() override {
        std::lock_guard<std::mutex> guard(lock_);
        rows_.clear();
        ++clears_;
    }
    void ShowError(const char* text) override {
        std::lock_guard<std::mutex> guard(lock_);
        errors_.push_back(text);
    }

    // Makes the n-th post from now (1: the next) wait until Release; WaitHeld returns once
    // the worker waits there.
    void HoldPost(int n) {
        std::lock_guard<std::mutex> guard(lock_);
        holdIn_ = n;
    }
    bool WaitHeld() {
        std::unique_lock<std::mutex> lock(lock_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return held_; });
    }
    void Release() {
        std::lock_guard<std::mutex> guard(lock_);
        held_ = false;
        changed_.notify_all();
    }
    // Waits for WM_SEARCH_DONE; false after a generous time.
    bool WaitDone() {
        std::unique_lock<std::mutex> lock(lock_);
        return changed_.wait_for(lock, std::chrono::seconds(60), [this] { return done_; });
    }

    std::vector<std::string> Rows() const {
        std::lock_guard<std::mutex> guard(lock_);
        return rows_;
    }
    std::vector<Message> Messages() const {
        std::lock_guard<std::mutex> guard(lock_);
        return messages_;
    }
    std::vector<std::string> Errors() const {
        std::lock_guard<std::mutex> guard(lock_);
        return errors_;
    }
    int Clears() const {
        std::lock_guard<std::mutex> guard(lock_);
        return clears_;
    }

  private:
    const CWordList* searched_;
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
    std::vector<std::string> rows_;
    std::vector<std::string> errors_;
    int clears_ = 0;
    bool done_ = false;
    int holdIn_ = 0;
    bool held_ = false;
};
