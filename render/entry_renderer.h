#pragma once

// CEntryRenderer: turns one dictionary word's entry references into a page body delivered
// through a RenderSink. It owns the word-forms list: the headword first, then the forms found
// while rendering, each once (ignoring ASCII case).

#include <cstdint>

#include "lists/word_list.h"
#include "render/render_sink.h"

class CBlockStore;

class CEntryRenderer {
  public:
    CEntryRenderer(RenderSink sink, void* context, CBlockStore* blocks);
    virtual ~CEntryRenderer();
    CEntryRenderer(const CEntryRenderer&) = delete;
    CEntryRenderer& operator=(const CEntryRenderer&) = delete;

    // Renders the word whose count entry references are given. entryIndex 1..count asks for
    // the Word Links page of that reference, anything else for the word page. False when the
    // sink refused the page.
    virtual bool Render(const char* headword, const uint32_t* refs, int count, int entryIndex) = 0;

  protected:
    RenderSink sink_;
    void* context_;
    CBlockStore* blocks_;
    CWordList forms_;
};
