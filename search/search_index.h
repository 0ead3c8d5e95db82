#pragma once

// CSearchIndex: a word index on the search worker, carrying the state of one running
// pattern or phonetic search. The matcher descends the trie only along prefixes that the
// query can still accept and hands every matching word to the result callback.
//
// Pattern language (queries are lower-cased before they come here):
//   any other byte   that byte            ?          any one non-ignorable character
//   *                any run, also empty  [set]      one non-ignorable byte of the set
//   (letters)        some of the letters in any order, each at most once ("?" = any)
//   (n:letters)      exactly n of them    {p1,p2,..} one of at most ten sub-patterns
// A pattern matches whole words. Ignorable characters of a word (spaces and, when asked,
// everything but a-z and 0-9) are passed over; only "*" absorbs them.
//
// The stop flag is the only datum shared between threads: StopSearch sets it from the main
// thread, and every matching step reads it.

#include <atomic>
#include <chrono>
#include <cstdint>

#include "db/word_index.h"

class CPhoneticKey;

class CSearchIndex : public CWordIndex {
  public:
    // Keeps the status the base's checks set; ignores spaces and keeps other characters
    // until a search of the dictionary sets both flags from the options.
    CSearchIndex(CDataFile* file, uint32_t sectionOffset, bool plain);
    ~CSearchIndex() override = default;

    bool IgnoreSpaces() const { return ignoreSpaces_ != 0; }
    bool IgnoreNonAlphanumerics() const { return ignoreNonAlphanumerics_ != 0; }
    void SetFlags(bool ignoreSpaces, bool ignoreNonAlphanumerics) {
        ignoreSpaces_ = ignoreSpaces ? 1 : 0;
        ignoreNonAlphanumerics_ = ignoreNonAlphanumerics ? 1 : 0;
    }

    // Runs one whole search on the calling thread: a pattern (SEARCH_MODE_PATTERN) or a
    // sounds-like search (SEARCH_MODE_PHONETIC) over the trie. Each word found goes to
    // callback with number 0; a false answer ends the search as SEARCH_TRUNCATED. Returns the
    // search status. A query longer than SEARCH_MAX_QUERY bytes, an empty pattern, a
    // malformed element the walk reaches and an unknown mode are SEARCH_INVALID_QUERY.
    int Search(WordCallback callback, void* context, const char* query, int mode);

    // The process-wide stop flag. A request ends the running search at its next step as
    // SEARCH_CANCELLED; it stays set until ClearStop, which a new request calls before its
    // search starts. Safe from any thread and from a signal handler.
    static void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
    static void ClearStop() { stop_.store(false, std::memory_order_relaxed); }
    static bool StopRequested() { return stop_.load(std::memory_order_relaxed); }
    static const std::atomic<bool>* StopFlag() { return &stop_; }

    // Drops ignorable non-pattern characters and collapses "*?", "**" and "?*" to "*" and
    // "[]", "()" and "{}" to nothing, in place. True when anything is left.
    bool NormalizePattern(char* pattern) const;
    bool IsIgnorable(uint8_t c) const;
    // One of the ten characters "[](){},?*:".
    static bool IsPatternChar(uint8_t c);

    // The guard against patterns whose walk grows beyond reason (nested alternatives or
    // letter groups that reach the same words along very many paths, or links of a damaged
    // trie that loop): a search still running after this long ends as SEARCH_CANCELLED with
    // the words found so far. Every other search ends by completion, by the result limit or
    // by a stop. The limit holds from the next search on.
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{10000};
    void SetTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }

  private:
    bool MatchPattern(uint32_t list, char* pattern, int pos, bool wordEnds);
    // A "*" followed by a plain element, over the list: both the runs that end at a node and
    // those that go on below it, in one pass, which keeps the words in ascending trie order.
    bool MatchStarPass(uint32_t list, char* pattern, int pos);
    bool MatchAfterNode(uint8_t c, bool terminal, uint32_t child, char* pattern, int pos);
    bool MatchRest(bool terminal, uint32_t child, char* rest, int pos);
    bool MatchGroup(uint32_t list, char* pattern, int pos, bool wordEnds);
    bool MatchLetterGroup(int count, char* letters, uint32_t list, char* rest, int pos,
                          bool wordEnds);
    bool MatchGroupLetter(int count, char* letters, uint32_t list, char* rest, int pos,
                          bool wordEnds);
    bool MatchAlternatives(uint32_t list, char* pattern, int pos, bool wordEnds);
    bool ReportWord();

    // Reads the node at *index for a matcher and steps *index past it, passing over entry
    // references; 0 ends the search (a failed read, a list that runs off the array) with
    // SEARCH_DATA_ERROR. The words come from the window, which MoveWindow keeps over them.
    uint32_t MatchNode(uint32_t* index);
    bool MoveWindow(uint32_t index);
    // True when the element e could take the node character c at all, that is when trying the
    // node against it (MatchAfterNode) can do anything: most nodes of a list are passed by this.
    bool MayTake(char e, uint8_t c) const;
    // True when the node character c lies past the pattern element e in a list, so that the
    // rest of the list cannot match it.
    bool PassedLiteral(char e, uint8_t c) const;
    // One matching step: false (with the status set) once a stop is requested or, looked at
    // every kStepsPerClockCheck steps, the time limit has passed.
    bool Step();
    bool Fail(int status);

    // The phonetic walk over the sibling list at list, with the phonetic state of the prefix
    // in the word buffer (its first pos characters): how far the keys have been matched into
    // the word and what is left of each key (null: that key no longer matches). Only the
    // first five characters of a word prune the walk; every word below gets the whole test.
    bool WalkPhonetic(uint32_t list, int pos, int wordPos, const char* primaryRest,
                      const char* alternateRest);

    static std::atomic<bool> stop_;

    // Array words read per window when the file is not mapped. The trie is laid out depth
    // first, so a window mostly holds the lists a walk takes next.
    static constexpr uint32_t kWindowWords = 1024;
    // Steps between two looks at the clock: a step takes nanoseconds, so the clock is still
    // read many times a second, at a cost too small to show in the search benchmarks.
    static constexpr uint64_t kStepsPerClockCheck = 4096;

    char word_[128 + 1] = {};
    uint8_t ignoreSpaces_ = 1;
    uint8_t ignoreNonAlphanumerics_ = 0;
    const CPhoneticKey* keys_ = nullptr;
    uint64_t steps_ = 0;
    std::chrono::milliseconds timeLimit_ = kDefaultTimeLimit;
    std::chrono::steady_clock::time_point deadline_;  // of the running search
    bool ignorable_[256] = {};  // IsIgnorable of every byte, for the running search
    // The array words first .. first + count - 1 of the running search, little-endian: the
    // whole array in the mapped file, or a window of it read into windowBuffer_.
    const uint8_t* window_ = nullptr;
    uint32_t windowFirst_ = 0;
    uint32_t windowCount_ = 0;
    bool mapped_ = false;
    uint8_t windowBuffer_[4 * kWindowWords];
};
