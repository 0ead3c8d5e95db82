// espeak-ng's pronunciations, which the builder takes for the words CMUdict lacks, checked
// against CMUdict's own for a sample of words that both know: after the one conversion both
// go through, their vowels should be the same symbols.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "render/ipa_encoding.h"
#include "support/source_tree.h"
#include "tools/mkdb/arpabet_converter.h"
#include "tools/mkdb/espeak_phonemizer.h"
#include "tools/mkdb/pronouncer.h"

namespace {

// The vowel symbols of an encoded pronunciation, in order.
std::u32string Vowels(const std::string& encoded) {
    static const std::u32string kVowels =
        U"\u0251\u00E6\u028C\u0259\u0254\u028A\u025B\u025D"
        U"\u025A\u026Aiuaeo";
    std::u32string out;
    for (char c : encoded) {
        char32_t symbol = IpaCodePoint(static_cast<uint8_t>(c));
        if (kVowels.find(symbol) != std::u32string::npos) {
            out += symbol;
        }
    }
    return out;
}

TEST(EspeakRealDataTest, VowelsAgreeWithCmuDictsForASampleOfWordsBothKnow) {
    std::ifstream in(CmuDictPath());
    if (!in) {
        GTEST_SKIP() << "no CMUdict at " << CmuDictPath() << " (scripts/dev.sh installs it)";
    }
    CEspeakPhonemizer espeak;
    std::string error;
    ASSERT_TRUE(espeak.Open(&error)) << error;
    CPronouncer pronouncer(nullptr, &espeak);
    size_t words = 0, sameVowels = 0, vowels = 0, agreeing = 0, line = 0;
    std::vector<std::string> examples;
    for (std::string text; std::getline(in, text);) {
        // Every 50th entry that is a plain word of three letters or more, its first
        // pronunciation only.
        size_t open = text.find('"'), close = text.find("\": \"");
        if (open == std::string::npos || close == std::string::npos || ++line % 50 != 0) {
            continue;
        }
        std::string word = text.substr(open + 1, close - open - 1);
        std::string phones = text.substr(close + 4, text.rfind('"') - close - 4);
        if (word.size() < 3 ||
            word.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
            continue;
        }
        std::string cmu, spoken;
        ASSERT_TRUE(CArpabetConverter::ToIpa(phones.substr(0, phones.find('#')), &cmu, &error));
        if (!pronouncer.Espeak(word, &spoken)) {
            continue;
        }
        ++words;
        std::u32string a = Vowels(cmu), b = Vowels(spoken);
        sameVowels += a == b ? 1 : 0;
        if (a.size() == b.size()) {
            vowels += a.size();
            for (size_t i = 0; i < a.size(); ++i) {
                agreeing += a[i] == b[i] ? 1 : 0;
            }
        } else if (examples.size() < 8) {
            examples.push_back(word + " " + IpaToUtf8(cmu.c_str()) + " " +
                               IpaToUtf8(spoken.c_str()));
        }
    }
    ASSERT_GT(words, 2000u);
    double wordShare = 100.0 * sameVowels / words, vowelShare = 100.0 * agreeing / vowels;
    std::printf(
        "espeak-ng against CMUdict: %zu words, all vowels the same in %.1f %%; "
        "%.1f %% of the vowels of words with as many vowels agree\n",
        words, wordShare, vowelShare);
    for (const std::string& e : examples) {
        std::printf("  e.g. %s\n", e.c_str());
    }
    RecordProperty("espeak_same_vowels_percent", std::to_string(wordShare));
    EXPECT_GE(wordShare, 50.0);
    EXPECT_GE(vowelShare, 75.0);
}

}  // namespace
