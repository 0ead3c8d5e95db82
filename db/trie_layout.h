#pragma once

// CTrieLayout: turns a sorted list of unique words into the trie array of db/FORMAT.md.
// Each sibling list is one run in ascending character order, with a word's entry references
// right after its terminal node; a list's child lists follow it, depth first.

#include <cstdint>
#include <string>
#include <vector>

class CTrieLayout {
  public:
    struct Entry {
        const std::string* text;
        const std::vector<uint32_t>* refs;  // may be null for a plain trie
    };

    // entries must be sorted byte-wise (unsigned) and unique. Appends the section (count,
    // array, trailer) little-endian to out. False with a message when an index overflows.
    // numbers, when given, receives each entry's word number, in the order of entries.
    static bool Build(const std::vector<Entry>& entries, std::vector<uint8_t>* out,
                      uint32_t* arrayWords, std::string* error,
                      std::vector<uint32_t>* numbers = nullptr);
};
