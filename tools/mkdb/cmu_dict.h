#pragma once

// CCmuDict: the pronunciations of CMUdict as the npm package cmu-pronouncing-dictionary ships
// them, an ES module with one entry a line:   "word": "AH0 B AW1 T",   . Alternative
// pronunciations ("word(2)") are passed over: a word keeps its first. A comment after "#"
// in the phones is dropped. Each pronunciation is kept converted to the 8-bit IPA encoding.

#include <map>
#include <string>

class CCmuDict {
  public:
    // False with the file's name and the line's number when it is missing or a line is
    // malformed.
    bool Read(const std::string& path, std::string* error);

    // The encoded IPA of a word (lower case), or null.
    const std::string* Find(const std::string& word) const;
    // A lemma's pronunciation: the word's own, or for a lemma of several words (parts split
    // at spaces and hyphens) the parts' pronunciations joined by the same separators, when
    // every part has one. False when there is none.
    bool Pronounce(const std::string& lemma, std::string* encoded) const;

    size_t Size() const { return words_.size(); }
    // For tests: adds a word's encoded pronunciation.
    void Add(const std::string& word, const std::string& encoded) { words_[word] = encoded; }

  private:
    std::map<std::string, std::string> words_;
};
