#pragma once

// CBlockCache: the inflated bytes of the text-stream blocks read most recently, so that a page
// whose records jump between blocks inflates each of them once. It holds a fixed number of
// blocks, more than the largest page reads (46, for "take"), so that going back and forth
// between pages stays cheap too; the one used longest ago makes room for a new one. Each slot
// holds a block and its compressed bytes: about 6 KiB, at most 12 KiB.
//
// An entry is keyed by its block number and by the compressed bytes it was inflated from, and
// serves only when the file still holds exactly those bytes: a file that was reopened or
// changed underneath never gets text from before.

#include <array>
#include <cstdint>
#include <memory>

#include "db/format.h"

class CBlockCache {
  public:
    static constexpr int kSlots = 64;

    // The inflated bytes of block k when they were made from exactly these compressed bytes,
    // with *inflatedLength set; null otherwise. The bytes stay valid until the next Keep.
    const uint8_t* Find(uint32_t k, const uint8_t* compressed, uint32_t length,
                        uint32_t* inflatedLength);
    // Keeps a copy of block k, inflated from the compressed bytes. Keeps nothing when memory
    // runs out or the sizes are beyond a block's.
    void Keep(uint32_t k, const uint8_t* compressed, uint32_t length, const uint8_t* inflated,
              uint32_t inflatedLength);

  private:
    struct Slot {
        uint64_t lastUse = 0;  // 0: empty
        uint32_t block = 0;
        uint32_t compressedLength = 0;
        uint32_t inflatedLength = 0;
        // The inflated block (room for a whole one), then its compressed bytes.
        std::unique_ptr<uint8_t[]> bytes;
        uint32_t capacity = 0;
    };

    // The slot a new copy of block k goes to: the one holding k already, else the one used
    // longest ago (an empty one first).
    Slot& Victim(uint32_t k);

    std::array<Slot, kSlots> slots_;
    uint64_t clock_ = 0;
};
