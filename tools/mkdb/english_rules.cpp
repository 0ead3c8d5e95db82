#include "tools/mkdb/english_rules.h"

namespace {

bool IsLetter(char c) {
    return c >= 'a' && c <= 'z';
}

// Words in -man whose plural is not -men.
bool PluralInMans(const std::string& word) {
    static const char* const kWords[] = {"human",   "shaman", "talisman", "caiman", "cayman",
                                         "ottoman", "dolman", "ataman",   "hetman", "desman",
                                         "liman",   "saman",  "soman",    "zaman",  "haman",
                                         "german",  "roman",  "walkman"};
    for (const char* w : kWords) {
        if (word == w) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CEnglishRules::IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool CEnglishRules::EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string CEnglishRules::Plural(const std::string& word) {
    if (word.empty() || !IsLetter(word.back())) {
        return "";
    }
    size_t n = word.size();
    if (EndsWith(word, "s")) {
        // -ss and vowel + s take -es (glass, bus); a consonant + s or -ies is already plural or
        // has none (physics, means, series).
        if (EndsWith(word, "ss") || (n >= 2 && IsVowel(word[n - 2]) && !EndsWith(word, "ies"))) {
            return word + "es";
        }
        return "";
    }
    if (EndsWith(word, "x") || EndsWith(word, "z") || EndsWith(word, "ch") ||
        EndsWith(word, "sh")) {
        return word + "es";
    }
    if (EndsWith(word, "y") && n >= 2 && !IsVowel(word[n - 2])) {
        return word.substr(0, n - 1) + "ies";
    }
    if (EndsWith(word, "man") && !PluralInMans(word)) {
        return word.substr(0, n - 3) + "men";
    }
    return word + "s";
}

bool CEnglishRules::EndsInShortVowelConsonant(const std::string& word) {
    size_t n = word.size();
    if (n < 2 || !IsLetter(word[n - 1]) || IsVowel(word[n - 1])) {
        return false;
    }
    char last = word[n - 1];
    if (last == 'w' || last == 'x' || last == 'y' || !IsVowel(word[n - 2])) {
        return false;
    }
    // One vowel letter, not two (rain, cool); "qu" counts as a consonant (quit, equip).
    if (n >= 3 && IsVowel(word[n - 3]) && !(word[n - 3] == 'u' && n >= 4 && word[n - 4] == 'q')) {
        return false;
    }
    return true;
}

int CEnglishRules::Syllables(const std::string& word, const std::string* stresses) {
    if (stresses != nullptr && !stresses->empty()) {
        return static_cast<int>(stresses->size());
    }
    int groups = 0;
    bool inVowel = false;
    for (size_t i = 0; i < word.size(); ++i) {
        bool vowel = IsVowel(word[i]) || (word[i] == 'y' && i > 0);
        groups += vowel && !inVowel ? 1 : 0;
        inVowel = vowel;
    }
    // A silent final e (large, tame), but not -le after a consonant (able, little).
    size_t n = word.size();
    if (groups > 1 && EndsWith(word, "e") && !EndsWith(word, "ee") &&
        !(EndsWith(word, "le") && n >= 3 && !IsVowel(word[n - 3]))) {
        --groups;
    }
    return groups;
}

bool CEnglishRules::DoublesFinalConsonant(const std::string& word, const std::string* stresses) {
    if (!EndsInShortVowelConsonant(word)) {
        return false;
    }
    if (stresses != nullptr && !stresses->empty()) {
        return stresses->size() == 1 || stresses->back() == '1';
    }
    return Syllables(word, nullptr) == 1;
}

std::string CEnglishRules::Past(const std::string& word, bool doubles) {
    if (word.empty() || !IsLetter(word.back())) {
        return "";
    }
    size_t n = word.size();
    if (EndsWith(word, "e")) {
        return word + "d";
    }
    if (EndsWith(word, "y") && n >= 2 && !IsVowel(word[n - 2])) {
        return word.substr(0, n - 1) + "ied";
    }
    if (EndsWith(word, "c") && n >= 2 && IsVowel(word[n - 2])) {
        return word + "ked";  // panic: panicked
    }
    if (doubles) {
        return word + word.back() + "ed";
    }
    return word + "ed";
}

std::string CEnglishRules::ComparisonStem(const std::string& word, bool* addsE) {
    size_t n = word.size();
    *addsE = true;
    if (EndsWith(word, "e")) {
        *addsE = false;  // large: larger
        return word;
    }
    if (EndsWith(word, "y") && n >= 2 && !IsVowel(word[n - 2])) {
        return word.substr(0, n - 1) + "i";  // happy: happier
    }
    if (Syllables(word, nullptr) == 1 && EndsInShortVowelConsonant(word)) {
        return word + word.back();  // big: bigger
    }
    return word;
}

std::string CEnglishRules::Comparative(const std::string& word) {
    bool addsE = true;
    std::string stem = ComparisonStem(word, &addsE);
    return stem + (addsE ? "er" : "r");
}

std::string CEnglishRules::Superlative(const std::string& word) {
    bool addsE = true;
    std::string stem = ComparisonStem(word, &addsE);
    return stem + (addsE ? "est" : "st");
}
