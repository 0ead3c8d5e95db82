#pragma once

// CSearchIndex: a word index on the search worker, carrying the state of one running
// pattern or phonetic search.

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

  private:
    char word_[128 + 1] = {};
    uint8_t ignoreSpaces_ = 1;
    uint8_t ignoreNonAlphanumerics_ = 0;
    const CPhoneticKey* keys_ = nullptr;
};
