#pragma once

// CPrefixTable: the 1024 ascending 4-byte prefixes that map the Lookup view's scroll
// positions to words. Held in memory (4096 bytes); all zero when the table cannot be read.

#include <cstdint>

#include "db/format.h"

class CDataFile;

class CPrefixTable {
  public:
    CPrefixTable(CDataFile* file, uint32_t offset);
    virtual ~CPrefixTable() = default;

    // The slot whose prefix is the greatest not above text's first four bytes: 0 .. 1022.
    int SlotOf(const char* text) const;
    // Writes slot's prefix and a NUL into buffer (at least 5 bytes); a negative slot counts
    // as 0 and a slot of 1024 or more gives "~", which sorts after every lower-case word.
    char* PrefixAt(int slot, char* buffer) const;
    uint32_t Entry(int slot) const { return entries_[slot]; }

    // The four bytes of text packed first byte most significant, as the entries are.
    static uint32_t PackPrefix(const char* text);

  private:
    uint32_t entries_[lcv::kPrefixSlots] = {};
};
