#pragma once

// CWordIndex: reader of a word trie section (layout in db/FORMAT.md). The trie is read
// straight from the file a few array words at a time and never loaded. One index object
// serves one walk at a time; each thread has its own (CLookupIndex on the main thread,
// CSearchIndex on the search worker).

#include <cstdint>

class CDataFile;

// Receives each word of a walk: the NUL-terminated bytes (valid during the call) and the
// word number. True asks for the next word, false stops the walk.
using WordCallback = bool (*)(void* context, const char* word, uint32_t number);

// Status codes of an index; a search stores its own codes 1 to 4 here as well.
constexpr int INDEX_OK = 0;
constexpr int INDEX_DATA_ERROR = 5;

class CWordIndex {
  public:
    // Reads the array count and checks the trailer; either failing sets status 5. A plain
    // index (word-list files) has no entry references, so every array word is a node.
    CWordIndex(CDataFile* file, uint32_t sectionOffset, bool plain);
    virtual ~CWordIndex() = default;
    CWordIndex(const CWordIndex&) = delete;
    CWordIndex& operator=(const CWordIndex&) = delete;

    int Status() const { return status_; }
    uint32_t Count() const { return count_; }
    uint32_t SectionOffset() const { return sectionOffset_; }
    bool IsPlain() const { return plain_; }

    // Array word at index (1..N); 0 outside that range or when the read fails (status 5).
    uint32_t ReadTrieWord(uint32_t index);
    // Reads at *index and steps by step (+1 or -1), passing over entry references; returns
    // the node read (0 at either end or on failure). *index ends just past the node.
    uint32_t NextNode(uint32_t* index, int step);
    // Scans the sibling list from *index for the first node that is the last sibling or
    // whose character is >= c; sets *index to it and returns it, or 0.
    uint32_t FindSibling(uint32_t* index, uint8_t c);
    // Word number of text (up to a NUL or ":"), or 0 when it is not a word.
    uint32_t Find(const char* text);
    // Forward: every word >= prefix ascending; backward: every word < prefix descending.
    // False when the callback stopped the walk or a read failed.
    bool Enumerate(WordCallback callback, void* context, const char* prefix, bool forward);
    // Up to max entry references of word n (its terminal node or its first reference), in
    // stored order; returns how many were stored.
    int ReadEntryRefs(uint32_t n, uint32_t* out, int max);

  protected:
    static bool StopAtOnce(void*, const char*, uint32_t) { return false; }

    // NextNode for the enumeration walks, within the walk's read budget.
    uint32_t WalkNode(uint32_t* index, int step);
    bool Report(uint32_t depth, uint32_t number);
    bool WalkForward(uint32_t start, uint32_t depth);
    bool WalkBackward(uint32_t start, uint32_t depth);
    bool SeekForward(uint32_t start, const char* prefix, uint32_t depth);
    bool SeekBackward(uint32_t start, const char* prefix, uint32_t depth);

    WordCallback callback_ = StopAtOnce;
    void* context_ = nullptr;
    int status_ = INDEX_OK;
    uint32_t count_ = 0;
    CDataFile* file_;
    uint32_t sectionOffset_;
    bool plain_;
    uint64_t walkBudget_ = 0;
    char walk_[128 + 1] = {};
};

// The database's index on the main thread, and the index over a word-list file for random
// words.
class CLookupIndex : public CWordIndex {
  public:
    using CWordIndex::CWordIndex;
    ~CLookupIndex() override = default;
};
