#pragma once

// CRenderWorker: builds a word's whole page (header, the renderer's body with pronunciation
// blocks, the notes table, footer) in one buffer on the calling thread, then hands it to the
// display: by two posted calls, or from a short-lived transfer thread in 256-byte pieces that
// a cancel request cuts short between pieces. While a page is handed over the worker is busy
// and refuses new requests.
//
// A page that cannot grow for lack of memory loses the text that did not fit but stays a
// well-formed page: what was stored is kept, every element it opened is closed, the footer
// always follows.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

#include "lists/word_list.h"
#include "render/text_buffer.h"

class CDictionaryDatabase;
class IHtmlDisplay;

class CRenderWorker {
  public:
    using SleepFunction = void (*)(int milliseconds);

    // useThread: hand pages over on the transfer thread (true) or by posted calls (false);
    // chosen once for the platform.
    CRenderWorker(CDictionaryDatabase* database, bool useThread);
    // Cancels a running transfer and waits for its thread to end.
    virtual ~CRenderWorker();
    CRenderWorker(const CRenderWorker&) = delete;
    CRenderWorker& operator=(const CRenderWorker&) = delete;

    // The display the pages go to (not owned); set once the display exists.
    void SetDisplay(IHtmlDisplay* display) { display_ = display; }

    // Renders text (a word, or a word, ":" and an entry index for a Word Links page) with
    // its word number and hands the page over. False, and nothing shown, when the number is
    // 0, the text null or empty, the worker busy, or its working copy cannot be made.
    bool RenderWord(const char* text, uint32_t number);
    // RenderWord with the current word and its number; false when there is none.
    bool RerenderWord();

    // The RenderSink given to RenderEntry; context is the worker.
    static int RenderSinkProc(void* context, const char* text, int length, int kind);
    // Hands the finished page to the display (called by the sink at RENDER_END).
    void StartTransfer();
    // The transfer thread's procedure.
    static void TransferThreadProc(CRenderWorker* worker);

    bool IsBusy() const { return busy_.load() != 0; }
    // Asks a running transfer to stop after its current piece.
    void RequestCancel() { cancel_.store(1); }
    // The text of the last accepted request (null before the first) and its word number.
    const char* CurrentWord() const { return currentWord_.get(); }
    uint32_t WordNumber() const { return wordNumber_; }
    // The page last built; not to be read while busy.
    const CTextBuffer& Page() const { return page_; }

    // Replaces the transfer thread's sleep (tests).
    void SetSleepFunction(SleepFunction sleep) { sleep_ = sleep; }
    // Refuses page blocks above this many bytes as if memory had run out (tests).
    void SetPageByteCeiling(size_t bytes) { page_.SetByteCeiling(bytes); }

  private:
    bool DisplayAlive() const;
    bool KeepCurrentWord(const char* text);
    void BeginPage();
    void EndPage();
    // Makes room for total more bytes and the reserve after them. When the page cannot grow
    // it is marked cut, after which only the closing parts are added.
    bool ReservePage(size_t total);
    void AppendPage(const char* text, size_t length);
    void AppendPronunciation(const char* text, size_t length);
    void AppendNotesTable();
    void ClosePage();
    void SendPiece(const char* at, size_t length);

    CWordList notes_;
    CDictionaryDatabase* database_;
    IHtmlDisplay* display_ = nullptr;
    std::atomic<int> busy_{0};
    std::atomic<int> cancel_{0};
    uint32_t wordNumber_ = 0;
    std::unique_ptr<char[]> currentWord_;
    CTextBuffer page_;
    bool useThread_;
    bool pageCut_ = false;  // some text did not fit; only the closing parts are added now
    size_t bodyStart_ = 0;  // where the renderer's output begins in the page
    std::thread thread_;
    SleepFunction sleep_;
};
