#pragma once

// CDictionaryDatabase: the open wordnet.lcv. Open builds one reader per section and owns
// them until the object is destroyed. Every operation but the search runs on the main
// thread; none may be called unless Open returned true.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/block_store.h"
#include "db/data_file.h"
#include "db/prefix_table.h"
#include "db/section_directory.h"
#include "db/use_counts.h"
#include "db/word_index.h"
#include "render/render_sink.h"
#include "search/meaning_index.h"
#include "search/search_index.h"
#include "search/spelling_suggester.h"

// Status of a database that could not be opened.
constexpr int DATABASE_OPEN_FAILED = 2;

// Size of the caller's buffer for LookupWord, and of the one for RandomWord.
constexpr int LOOKUP_BUFFER_SIZE = 256;
constexpr int RANDOM_WORD_BUFFER_SIZE = 129;

// Meaning hits asked for beyond the limit, to make up for the words SearchMeaning leaves out.
constexpr int kMeaningSpareHits = 64;
// The ranked words a pattern narrows down in a meaning search with a pattern.
constexpr int kMeaningPatternPool = 1000;

class CDictionaryDatabase {
  public:
    CDictionaryDatabase() = default;
    virtual ~CDictionaryDatabase();
    CDictionaryDatabase(const CDictionaryDatabase&) = delete;
    CDictionaryDatabase& operator=(const CDictionaryDatabase&) = delete;

    // Opens the file, checks the header and the trie. False (status 2) when the file is
    // missing, short, has the wrong magic or an unreadable trie. A damaged prefix table or
    // block directory is no failure: it shows up later as empty lists or missing entries.
    bool Open(const char* path);
    int Status() const { return status_; }

    uint32_t FindWord(const char* text) { return lookup_->Find(text); }
    bool EnumerateWords(WordCallback callback, void* context, const char* prefix, bool forward) {
        return lookup_->Enumerate(callback, context, prefix, forward);
    }
    int PrefixSlot(const char* text) const { return prefixes_->SlotOf(text); }
    bool EnumerateFromSlot(WordCallback callback, void* context, int slot);

    // The lookup as the user means it: lower-cases buffer (room for LOOKUP_BUFFER_SIZE
    // bytes) in place, follows a lone redirect to its base form and tries the plural and
    // past-tense fallbacks. On return buffer holds the form found (or the lower-cased text)
    // and *number the word number (0 when nothing was found).
    bool LookupWord(char* buffer, uint32_t* number);

    // Draws a word of index (the database's lookup index or one over a word-list file) into
    // buffer (room for RANDOM_WORD_BUFFER_SIZE bytes); "welcome" when none is drawn.
    bool RandomWord(char* buffer, CLookupIndex* index);
    // The milliseconds of the local time of day that RandomWord adds to its running seed;
    // tests replace it to draw reproducibly.
    using TimeSource = uint32_t (*)();
    void SetTimeSource(TimeSource source) { timeSource_ = source; }

    // Renders word number under the text headword into sink: the word page, or with
    // entryIndex 1..count the Word Links page of that entry reference. False when the word
    // has no entry references (the sink then receives nothing) or the sink refused the page.
    bool RenderEntry(RenderSink sink, void* context, const char* headword, uint32_t number,
                     int entryIndex);

    // Runs a whole word search on the calling thread (the search worker): over the word-list
    // file at path when one is given, else over the dictionary; SEARCH_MODE_MEANING reports
    // SearchMeaning's words best first (dictionary only), and with a pattern (the Wildcard
    // language) only those the pattern matches, the result limit counting only them. The
    // pattern plays no part in the other modes. Returns the search status; an invalid pattern
    // is SEARCH_INVALID_QUERY.
    int SearchWords(WordCallback callback, void* context, const char* query, int mode,
                    const char* path, const char* pattern = nullptr);
    // Asks the running search to stop (from any thread); it ends as SEARCH_CANCELLED. The
    // request holds until the next search is requested (CSearchIndex::ClearStop).
    void StopSearch() { CSearchIndex::RequestStop(); }
    // The matcher's flags for searches of the dictionary; set before the search starts.
    void SetSearchFlags(bool ignoreSpaces, bool ignoreNonAlphanumerics) {
        search_->SetFlags(ignoreSpaces, ignoreNonAlphanumerics);
    }

    // The words the user may have meant by text, best first, at most max (main thread).
    std::vector<Suggestion> SuggestWords(const char* text, int max = SUGGEST_MAX_RESULTS) {
        return suggester_->Suggest(text, max);
    }

    CDataFile* File() { return file_.get(); }
    CBlockStore* BlockStore() { return blocks_.get(); }
    CLookupIndex* LookupIndex() { return lookup_.get(); }
    CSearchIndex* SearchIndex() { return search_.get(); }
    const CPrefixTable* PrefixTable() const { return prefixes_.get(); }
    // The optional sections (none in an older file) and the use counts from theirs (every
    // word 0 when the section is absent or damaged).
    const CSectionDirectory* Sections() const { return sections_.get(); }
    const CUseCounts& UseCounts() const { return useCounts_; }
    // The text of word number into buffer (room for size bytes, at least 129): false when the
    // number is not a word's. It follows the writer's depth-first layout (the subtree holding
    // a node starts at the greatest child index not above it) and checks the result with
    // FindWord, so a trie laid out otherwise gives false rather than a wrong word.
    bool WordOf(uint32_t number, char* buffer, size_t size);
    // The reverse dictionary; not Available in a file without the meaning index.
    const CMeaningIndex& MeaningIndex() const { return meaning_; }
    // The words whose senses match a description best, at most limit; a search status. Stops
    // as SEARCH_CANCELLED once StopSearch is called. Each word of the description counts with
    // the words of the senses it names (its synonyms) at a lower weight. Words made only of the
    // description's own terms are left out, and words that repeat some of them rank lower.
    int SearchMeaning(const char* text, int limit, std::vector<CMeaningIndex::Hit>* hits);

  private:
    // Reads the optional section directory and the sections this object serves; a missing or
    // damaged section leaves its feature off and is no failure.
    void OpenSections(uint32_t directoryOffset);
    int ReportMeaning(WordCallback callback, void* context, const char* query, const char* pattern);
    // The meaning query of a description: a group per word, its own term and its synonyms'
    // (the other words of the senses whose words include it).
    std::vector<CMeaningIndex::TermGroup> MeaningQuery(const char* text);
    // The word number of word or of the word it is a regular inflection of; 0 for none.
    uint32_t BaseWordOf(const std::string& word);
    bool FollowRedirect(char* buffer, uint32_t* number);
    bool TryFallbacks(char* buffer, uint32_t* number);
    void Release();

    // Declared so that destruction runs the optional sections' readers, prefix table, lookup
    // index, search index, block store and last the file.
    std::unique_ptr<CDataFile> file_;
    std::unique_ptr<CBlockStore> blocks_;
    std::unique_ptr<CSearchIndex> search_;
    std::unique_ptr<CLookupIndex> lookup_;
    std::unique_ptr<CPrefixTable> prefixes_;
    std::unique_ptr<CSectionDirectory> sections_;
    CUseCounts useCounts_;
    CMeaningIndex meaning_;
    std::unique_ptr<CSpellingSuggester> suggester_;
    int status_ = 0;

    // Random-word state: a running seed that only grows, so that draws within the same
    // millisecond differ.
    uint32_t randomSeed_ = 0;
    uint32_t randomState_ = 0;
    TimeSource timeSource_ = nullptr;
};
