#include "tools/mkdb/arpabet_converter.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "render/ipa_encoding.h"

namespace {

struct Phone {
    const char* arpabet;
    const char32_t* ipa;         // consonants, and stressed vowels
    const char32_t* unstressed;  // vowels: the IPA when unstressed (stress 0)
};

constexpr Phone kPhones[] = {
    {"AA", U"\u0251", U"\u0251"},
    {"AE", U"\u00E6", U"\u00E6"},
    {"AH", U"\u028C", U"\u0259"},
    {"AO", U"\u0254", U"\u0254"},
    {"AW", U"a\u028A", U"a\u028A"},
    {"AY", U"a\u026A", U"a\u026A"},
    {"EH", U"\u025B", U"\u025B"},
    {"ER", U"\u025D", U"\u025A"},
    {"EY", U"e\u026A", U"e\u026A"},
    {"IH", U"\u026A", U"\u026A"},
    {"IY", U"i", U"i"},
    {"OW", U"o\u028A", U"o\u028A"},
    {"OY", U"\u0254\u026A", U"\u0254\u026A"},
    {"UH", U"\u028A", U"\u028A"},
    {"UW", U"u", U"u"},
    {"B", U"b", nullptr},
    {"CH", U"t\u0283", nullptr},
    {"D", U"d", nullptr},
    {"DH", U"\u00F0", nullptr},
    {"F", U"f", nullptr},
    {"G", U"g", nullptr},
    {"HH", U"h", nullptr},
    {"JH", U"d\u0292", nullptr},
    {"K", U"k", nullptr},
    {"L", U"l", nullptr},
    {"M", U"m", nullptr},
    {"N", U"n", nullptr},
    {"NG", U"\u014B", nullptr},
    {"P", U"p", nullptr},
    {"R", U"r", nullptr},
    {"S", U"s", nullptr},
    {"SH", U"\u0283", nullptr},
    {"T", U"t", nullptr},
    {"TH", U"\u03B8", nullptr},
    {"V", U"v", nullptr},
    {"W", U"w", nullptr},
    {"Y", U"j", nullptr},
    {"Z", U"z", nullptr},
    {"ZH", U"\u0292", nullptr},
};

// Consonant runs that may begin an English syllable (besides any single consonant but NG).
constexpr const char* kOnsets[] = {
    "P R",  "P L",  "B R",   "B L",   "T R",   "D R",   "K R",   "K L",   "G R",   "G L",   "F R",
    "F L",  "TH R", "SH R",  "S P",   "S T",   "S K",   "S M",   "S N",   "S L",   "S W",   "S F",
    "T W",  "D W",  "K W",   "G W",   "TH W",  "P Y",   "B Y",   "K Y",   "F Y",   "V Y",   "M Y",
    "HH Y", "G Y",  "S P R", "S P L", "S T R", "S K R", "S K W", "S K Y", "S P Y", "S K L",
};

struct Sound {
    const Phone* phone;
    int stress;  // -1 for a consonant
};

bool IsOnset(const std::vector<Sound>& sounds, size_t begin, size_t end) {
    if (end - begin <= 1) {
        return end == begin || std::strcmp(sounds[begin].phone->arpabet, "NG") != 0;
    }
    std::string run;
    for (size_t i = begin; i < end; ++i) {
        run += (i == begin ? "" : " ") + std::string(sounds[i].phone->arpabet);
    }
    for (const char* onset : kOnsets) {
        if (run == onset) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CArpabetConverter::ToIpa(const std::string& phones, std::string* encoded, std::string* error) {
    std::vector<Sound> sounds;
    std::istringstream in(phones);
    for (std::string token; in >> token;) {
        int stress = -1;
        if (!token.empty() && token.back() >= '0' && token.back() <= '2') {
            stress = token.back() - '0';
            token.pop_back();
        }
        const Phone* found = nullptr;
        for (const Phone& p : kPhones) {
            if (token == p.arpabet) {
                found = &p;
            }
        }
        bool vowel = found != nullptr && found->unstressed != nullptr;
        if (found == nullptr || vowel != (stress >= 0)) {
            *error = "unknown ARPAbet phone \"" + token + "\"";
            return false;
        }
        sounds.push_back({found, stress});
    }
    if (sounds.empty()) {
        *error = "empty pronunciation";
        return false;
    }
    // Where each stressed syllable begins: the maximal onset before its vowel.
    std::vector<int> markBefore(sounds.size() + 1, 0);
    size_t previousVowel = SIZE_MAX;
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (sounds[i].stress < 0) {
            continue;
        }
        size_t start = i;
        if (previousVowel == SIZE_MAX) {
            start = 0;
        } else {
            while (start > previousVowel + 1 && IsOnset(sounds, start - 1, i)) {
                --start;
            }
        }
        if (sounds[i].stress > 0) {
            markBefore[start] = sounds[i].stress;
        }
        previousVowel = i;
    }
    std::u32string ipa;
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (markBefore[i] == 1) {
            ipa += U'\u02C8';
        } else if (markBefore[i] == 2) {
            ipa += U'\u02CC';
        }
        const Phone* p = sounds[i].phone;
        ipa += sounds[i].stress == 0 ? p->unstressed : p->ipa;
    }
    if (!IpaEncode(ipa, encoded)) {
        *error = "a sound has no byte in the IPA encoding";
        return false;
    }
    return true;
}
