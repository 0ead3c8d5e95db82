#pragma once

// CCmuDict: the pronunciations of CMUdict as the npm package cmu-pronouncing-dictionary ships
// them, an ES module with one entry a line:   "word": "AH0 B AW1 T",   . Alternative
// pronunciations ("word(2)") follow their word and are kept in the file's order. A comment
// after "#" in the phones is dropped. Each pronunciation is kept converted to the 8-bit IPA
// encoding, with the stress of its vowels for the spelling rules (syllables, final stress).

#include <map>
#include <string>
#include <vector>

class CCmuDict {
  public:
    // False with the file's name and the line's number when it is missing or a line is
    // malformed.
    bool Read(const std::string& path, std::string* error);

    // At most this many pronunciations of one word are kept for its page.
    static constexpr size_t kMaxPronunciations = 3;

    // The encoded IPA of a word's first pronunciation (lower case), or null.
    const std::string* Find(const std::string& word) const;
    // The word's pronunciations that differ in more than stress (read: /ˈrid/, /ˈrɛd/), in
    // CMUdict's order, at most kMaxPronunciations; empty when CMUdict lacks the word.
    std::vector<std::string> Distinct(const std::string& word) const;
    // The stress digits of the vowels of the word's first pronunciation ("01" for admit), one
    // per syllable, or null when CMUdict lacks the word.
    const std::string* Stresses(const std::string& word) const;

    size_t Size() const { return words_.size(); }
    // Adds a pronunciation given in ARPAbet (after the word's earlier ones); false with a
    // message when a phone is unknown.
    bool Add(const std::string& word, const std::string& phones, std::string* error);

  private:
    struct Pronunciation {
        std::string encoded;
        std::string sounds;    // the phones without their stress digits
        std::string stresses;  // one digit per vowel
    };
    std::map<std::string, std::vector<Pronunciation>> words_;
};
