#pragma once

// CUseCounts: how often each word is used, from the database's optional use-count section
// (db/FORMAT.md): pairs of word number and count, ascending by word number. A section whose
// length does not match its pair count, or whose word numbers do not ascend, is ignored
// whole: every word then counts 0. Checked once at open and read in place through the file's
// memory map (copied only when the file is not mapped); immutable afterwards, so both threads
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
    bool Available() const { return count_ != 0; }
    size_t Size() const { return count_; }

  private:
    static uint32_t NumberAt(const uint8_t* pairs, size_t i);

    // The pairs in the mapped file, or null when they are held in copy_.
    const uint8_t* pairs_ = nullptr;
    size_t count_ = 0;
    std::vector<uint8_t> copy_;
};
