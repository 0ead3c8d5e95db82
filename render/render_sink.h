#pragma once

// The callback through which a rendered page is delivered, and its kinds.
//
// A sink receives (context, text, length, kind); a length of -1 means the text ends at its NUL.
// For every kind but RENDER_NOTE the result is non-zero to go on and 0 when the page can no
// longer be delivered. For RENDER_NOTE it is the note's 0-based number, or -1 when the note
// could not be stored.

enum RenderKind {
    RENDER_BEGIN = 1,          // sent by the caller of RenderEntry before the body
    RENDER_HTML = 2,           // append HTML text
    RENDER_NOTE = 3,           // store a note; the result is its number
    RENDER_PRONUNCIATION = 4,  // append a pronunciation block made from the text
    RENDER_END = 5,            // sent by the caller of RenderEntry after the body
};

using RenderSink = int (*)(void* context, const char* text, int length, int kind);

// The renderer reads at most this many entry references of a word, and a Word Links page
// lists the words of at most this many relation entries.
constexpr int RENDER_MAX_ENTRY_REFS = 128;
constexpr int RENDER_MAX_RELATIONS = 128;
