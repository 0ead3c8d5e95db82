#pragma once

// CHtmlEntryRenderer: the HTML body of a word page or of a sense's Word Links page.
//
// The word page holds the pronunciation(s), then every sense grouped by part of speech as
// numbered lists, each with its gloss, the samples that contain the word or one of its forms,
// a link to its Word Links page and its synonyms; the word's forms and verb samples become
// notes. The Word Links page of one sense holds its gloss, its synonyms and the words of its
// relations grouped by relation label. Database text is copied to the page unchanged.
//
// Every HTML piece handed to the sink holds whole tags only, so a page cut between two pieces
// never ends inside a tag. Created for one rendering; not re-entrant.

#include <cstddef>
#include <cstdint>

#include "render/entry_renderer.h"
#include "render/text_buffer.h"

class CHtmlEntryRenderer : public CEntryRenderer {
  public:
    CHtmlEntryRenderer(RenderSink sink, void* context, CBlockStore* blocks);
    ~CHtmlEntryRenderer() override;

    bool Render(const char* headword, const uint32_t* refs, int count, int entryIndex) override;

    // The label of an entry kind (part of speech) or relation kind; "Other" for the rest.
    static const char* KindLabel(uint8_t kind);

    // Refuses working-text blocks (the note texts) above this many bytes as if memory had
    // run out (tests). A note that cannot grow keeps its whole items and drops the rest.
    void SetTextByteCeiling(size_t bytes) { textCeiling_ = bytes; }

  private:
    struct Relation {
        uint8_t kind;
        uint32_t target;     // record position of the target synset
        uint8_t targetWord;  // word position in the target; 0 = all its words
        uint8_t sourceWord;  // word position in this synset; 0 = every word
    };

    bool RenderWordPage(const uint32_t* refs, int count);
    bool RenderLinksPage(uint32_t position);
    void RenderInflections(const uint32_t* refs, int count);
    void StoreNotes(CTextBuffer* plural, CTextBuffer* tensesA, CTextBuffer* tensesB,
                    CTextBuffer* samples, CTextBuffer* adjective, CTextBuffer* adverb);
    bool RenderSense(uint32_t position, int entryIndex);
    bool RenderHeading(uint8_t kind);
    bool RenderSynonyms(const CWordList& synonyms);
    void RenderRelationGroups(const Relation* relations, int count);

    // Reads the word fields of the synset at position. With target 0 every field is
    // considered, else only the one at that word position. The headword's position goes to
    // *headword (0 when absent); every other considered word is added to list, after the
    // prefix byte when it is not 0. At most 255 fields are read. Returns the position just
    // after the last field read, which is the gloss field's when the list was read to its end.
    uint32_t ReadSynsetWords(uint32_t position, uint32_t target, uint8_t prefix, CWordList* list,
                             uint32_t* headword);
    // Reads up to max relation entries from position that hold for the word at source (or
    // for every word); returns how many were stored.
    int ReadRelations(uint32_t position, uint32_t source, Relation* out, int max);
    bool RenderGloss(const char* text, size_t length, bool showSamples);
    // Emits gloss text with every literal-dollar byte shown as "$".
    bool EmitGlossText(const char* text, size_t length);
    bool ContainsForm(const char* text, size_t length) const;
    bool EmitWordLink(const char* word, bool last);

    bool Emit(const char* text);
    bool Emit(const char* text, size_t length);
    bool OpenList(bool ordered);
    bool OpenItem();
    void CloseList();
    int NoteFor(uint8_t kind) const;

    const char* headword_ = "";
    int nounNote_ = -1;
    int verbNote_ = -1;
    int adjectiveNote_ = -1;
    int adverbNote_ = -1;
    bool listOrdered_ = false;
    bool listOpen_ = false;
    int listItems_ = 0;
    CTextBuffer scratch_;  // one composed piece at a time: a link, a prefixed word
    size_t textCeiling_ = static_cast<size_t>(-1);
};
