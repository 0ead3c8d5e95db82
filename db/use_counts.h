#pragma once

// CUseCounts: how often each word is used, from the database's optional use-count section
// (db/FORMAT.md): pairs of word number and count, ascending by word number. A section whose
// length does not match its pair count, or whose word numbers do not ascend, is ignored
// whole: every word then counts 0. Read once at open; immutable afterwards, so both threads
// may ask.

#include <cstddef>
#include <cstdint>
#include <vector>

class CDataFile;

class CUseCounts {
  public:
    CUseCounts() = default;
    virtual ~CUseCounts() = default;

    // Reads the section at offset with length bytes. False (and no counts) when it is damaged.
    bool Load(CDataFile* file, uint32_t offset, uint32_t length);

    // The use count of a word number; 0 for a word without one.
    uint32_t Count(uint32_t number) const;
    bool Available() const { return !pairs_.empty(); }
    size_t Size() const { return pairs_.size(); }

  private:
    struct Pair {
        uint32_t number;
        uint32_t count;
    };
    std::vector<Pair> pairs_;
};
