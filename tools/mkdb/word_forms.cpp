#include "tools/mkdb/word_forms.h"

#include <algorithm>

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Words in -man whose plural is not -men.
bool PluralInMans(const std::string& word) {
    static const char* const kWords[] = {"human",   "shaman", "talisman", "caiman", "cayman",
                                         "ottoman", "dolman", "ataman",   "hetman", "desman",
                                         "liman",   "saman",  "soman",    "zaman",  "haman"};
    for (const char* w : kWords) {
        if (word == w) {
            return true;
        }
    }
    return false;
}

std::string FirstWord(const std::string& s) {
    return s.substr(0, s.find(' '));
}

std::string AfterFirstWord(const std::string& s) {
    size_t space = s.find(' ');
    return space == std::string::npos ? "" : s.substr(space);
}

// A present-tense form of base (third person, participle in -ing, or a form of "be" or
// "have"): verb.exc lists them beside the past forms.
bool IsPresentForm(const std::string& form, const std::string& base) {
    std::string f = FirstWord(form), b = FirstWord(base);
    if (EndsWith(f, "ing") || f == "am" || f == "are" || f == "is" || f == "has") {
        return true;
    }
    return f == b + "s" || f == b + "es" ||
           (EndsWith(b, "y") && f == b.substr(0, b.size() - 1) + "ies");
}

bool LooksLikeParticiple(const std::string& form) {
    std::string f = FirstWord(form);
    for (const char* end : {"en", "wn", "rn", "ne", "ain"}) {
        if (EndsWith(f, end)) {
            return true;
        }
    }
    return false;
}

// The form of base with its last "i" replaced by vowel (sing: sang, sung).
std::string VowelShift(const std::string& base, char vowel) {
    std::string b = FirstWord(base);
    size_t i = b.rfind('i');
    if (i == std::string::npos) {
        return "";
    }
    b[i] = vowel;
    return b;
}

}  // namespace

CWordForms::CWordForms(const WordNetData& data) {
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetException& e : data.exceptions[file]) {
            for (const std::string& base : e.bases) {
                auto& forms = forms_[file][base];
                if (e.form != base &&
                    std::find(forms.begin(), forms.end(), e.form) == forms.end()) {
                    forms.push_back(e.form);
                }
            }
        }
    }
}

const std::vector<std::string>* CWordForms::Irregular(int file, const std::string& base) const {
    auto it = forms_[file].find(base);
    return it == forms_[file].end() ? nullptr : &it->second;
}

std::string CWordForms::RegularPlural(const std::string& word) {
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

std::string CWordForms::RegularPast(const std::string& word) {
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
    return word + "ed";
}

std::vector<std::string> CWordForms::Plurals(const std::string& lemma, bool capitalised) const {
    if (const auto* forms = Irregular(WN_NOUN, lemma)) {
        return *forms;
    }
    if (capitalised) {
        return {};
    }
    size_t space = lemma.rfind(' ');
    std::string head = space == std::string::npos ? "" : lemma.substr(0, space + 1);
    std::string last = lemma.substr(head.size());
    if (const auto* forms = Irregular(WN_NOUN, last); forms != nullptr && !head.empty()) {
        std::vector<std::string> out;
        for (const std::string& f : *forms) {
            out.push_back(head + f);
        }
        return out;
    }
    std::string plural = RegularPlural(last);
    if (plural.empty()) {
        return {};
    }
    return {head + plural};
}

void CWordForms::Tenses(const std::string& lemma, std::vector<std::string>* past,
                        std::vector<std::string>* participle) const {
    past->clear();
    participle->clear();
    std::string base = lemma, rest;
    const auto* forms = Irregular(WN_VERB, lemma);
    if (forms == nullptr && lemma.find(' ') != std::string::npos) {
        base = FirstWord(lemma);
        rest = AfterFirstWord(lemma);
        forms = Irregular(WN_VERB, base);
    }
    std::vector<std::string> pastLike, participleLike;
    if (forms != nullptr) {
        std::string sang = VowelShift(base, 'a'), sung = VowelShift(base, 'u');
        bool shifted = false;
        for (const std::string& f : *forms) {
            shifted |= FirstWord(f) == sang;
        }
        for (const std::string& f : *forms) {
            if (IsPresentForm(f, base)) {
                continue;
            }
            bool isParticiple = LooksLikeParticiple(f) || (shifted && FirstWord(f) == sung);
            (isParticiple ? participleLike : pastLike).push_back(f + rest);
        }
    }
    if (pastLike.empty() && participleLike.empty()) {
        std::string regular = RegularPast(base);
        if (!regular.empty()) {
            past->push_back(regular + rest);
            participle->push_back(regular + rest);
        }
        return;
    }
    if (pastLike.empty()) {
        std::string regular = RegularPast(base);
        if (!regular.empty()) {
            pastLike.push_back(regular + rest);
        }
    }
    *past = pastLike;
    *participle = participleLike.empty() ? pastLike : participleLike;
}

std::vector<std::string> CWordForms::Comparisons(const std::string& lemma, int file) const {
    const auto* forms = Irregular(file, lemma);
    if (forms == nullptr) {
        return {};
    }
    std::vector<std::string> out = *forms;
    std::stable_partition(out.begin(), out.end(),
                          [](const std::string& f) { return !EndsWith(f, "st"); });
    return out;
}
