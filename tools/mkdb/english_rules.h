#pragma once

// CEnglishRules: the spelling rules of English inflection for words that no list names:
// plural -s/-es/-ies/-men, past -d/-ed/-ied/-cked with a doubled final consonant after a
// stressed short vowel, comparison -er/-est. Syllables and stress come from CMUdict's stress
// digits when it has the word ("01" for admit), else from the spelling.

#include <string>

class CEnglishRules {
  public:
    static std::string Plural(const std::string& word);
    // The past (and participle) of a regular verb; doubles says whether its final consonant
    // doubles (stop: stopped).
    static std::string Past(const std::string& word, bool doubles);
    // Whether a verb doubles its final consonant: a single vowel letter before a single final
    // consonant (not w, x or y), in a stressed last syllable. stresses may be null.
    static bool DoublesFinalConsonant(const std::string& word, const std::string* stresses);
    // Comparative and superlative (tall: taller, tallest; big: bigger; happy: happier).
    static std::string Comparative(const std::string& word);
    static std::string Superlative(const std::string& word);
    // Syllables: the number of stress digits when given, else vowel groups of the spelling.
    static int Syllables(const std::string& word, const std::string* stresses);

    static bool IsVowel(char c);
    static bool EndsWith(const std::string& s, const std::string& end);

  private:
    // The stem the comparison endings go on, and whether it takes "e" in front of them.
    static std::string ComparisonStem(const std::string& word, bool* addsE);
    static bool EndsInShortVowelConsonant(const std::string& word);
};
