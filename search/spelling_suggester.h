#pragma once

// CSpellingSuggester: the words a user may have meant by a text that is not in the
// dictionary. One depth-first walk of the trie carries, per prefix, a row of the restricted
// Damerau-Levenshtein distance (insertions, deletions, substitutions and swapped neighbours)
// between the text and the prefix, and the Double Metaphone state of the prefix against the
// text's sound keys. A subtree is dropped as soon as the row's least value passes the bound
// and no word below it can still sound like the text, so the walk never visits the whole
// word list. Words within the bound (2, or 1 for texts of up to 4 letters) and words that
// sound like the text are collected, then ranked: by distance, then same sound, then use
// count, then a shared first letter, then the number of senses, then length.
//
// One object serves one walk at a time; the database keeps one for the main thread.

#include <cstdint>
#include <string>
#include <vector>

#include "db/word_index.h"

class CPhoneticKey;
class CUseCounts;

struct Suggestion {
    std::string word;
    uint32_t number = 0;
    int distance = 0;
    bool sameSound = false;
    uint32_t useCount = 0;
    int senses = 0;
};

// The most suggestions one query returns.
constexpr int SUGGEST_MAX_RESULTS = 10;
// Texts longer than this get no suggestions (no word is near them).
constexpr int SUGGEST_MAX_TEXT = 64;

class CSpellingSuggester : public CWordIndex {
  public:
    // useCounts may be null or empty: the ranking then goes by senses and length.
    CSpellingSuggester(CDataFile* file, uint32_t sectionOffset, const CUseCounts* useCounts);
    ~CSpellingSuggester() override = default;

    // The best suggestions for text (lower-cased here), at most max, best first. Empty for an
    // empty or over-long text and when nothing is near.
    std::vector<Suggestion> Suggest(const char* text, int max = SUGGEST_MAX_RESULTS);

    // Every word within the edit bound or of the same sound, unranked, in trie order.
    std::vector<Suggestion> Candidates(const char* text);

    // The edit bound for a text of length letters.
    static int Bound(size_t length) { return length <= 4 ? 1 : 2; }

  private:
    struct Sound {
        int position = 0;
        const char* primary = nullptr;
        const char* alternate = nullptr;
    };

    void Walk(uint32_t list, int depth, Sound sound);
    // Places the node (array word node at index) at depth and takes or drops its word and its
    // subtree.
    void Visit(uint32_t index, uint32_t node, int depth, const Sound& parentSound);
    uint32_t Node(uint32_t index);
    // Fills row depth + 1 from the rows above for the character just placed at depth.
    int FillRow(int depth);

    const CUseCounts* useCounts_;
    std::string text_;
    int bound_ = 0;
    const CPhoneticKey* key_ = nullptr;
    std::vector<Suggestion>* found_ = nullptr;
    uint64_t steps_ = 0;
    const uint8_t* array_ = nullptr;  // the mapped array, word 1 first; null: read the file
    char word_[128 + 1] = {};
    // rows_[d][j]: distance between the first d characters of word_ and of text_.
    uint8_t rows_[128 + 2][SUGGEST_MAX_TEXT + 1] = {};
};
