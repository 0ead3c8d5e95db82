#include "search/phonetic_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct KeyCase {
    const char* text;
    const char* primary;
    const char* alternate;
};

void ExpectKeys(const std::vector<KeyCase>& cases) {
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.text);
        CPhoneticKey key(c.text);
        EXPECT_STREQ(key.PrimaryKey(), c.primary);
        EXPECT_STREQ(key.AlternateKey(), c.alternate);
    }
}

// The published examples of the algorithm's tricky spots.
TEST(PhoneticKeyEncode, KnownHardWords) {
    ExpectKeys({
        {"smith", "SM0", "XMT"},
        {"schmidt", "XMT", "SMT"},
        {"michael", "MKL", "MXL"},
        {"caesar", "SSR", ""},
        {"chemistry", "KMSTR", ""},
        {"knight", "NT", ""},
        {"gnome", "NM", ""},
        {"wright", "RT", ""},
        {"psalm", "SLM", ""},
        {"edge", "AJ", ""},
        {"judge", "JJ", "AJ"},
        {"ghislane", "JLN", ""},
        {"ghetto", "KT", ""},
        {"sugar", "XKR", "SKR"},
        {"xavier", "SF", "SFR"},
        {"thompson", "TMPSN", ""},
        {"cabrillo", "KPRL", "KPR"},
        {"raj", "RJ", "R"},
        {"jose", "JS", "HS"},
        {"san jacinto", "SNHSNT", ""},
        {"with", "A0", "FT"},
        {"witch", "AX", "FX"},
        {"tough", "TF", ""},
        {"laugh", "LF", ""},
        {"cough", "KF", ""},
        {"hugh", "H", ""},
        {"ah", "A", ""},
    });
}

// One word for each of several rules that the examples above leave untouched, keys worked
// out by hand from the rules.
TEST(PhoneticKeyEncode, RuleRows) {
    ExpectKeys({
        {"accident", "AKSTNT", ""},        // cc after an initial a
        {"bacchus", "PKS", ""},            // cc before "hu"
        {"focaccia", "FKX", ""},           // c before "cia"
        {"bach", "PK", ""},                // Germanic "ach"
        {"czerny", "SRN", "XRN"},          // cz
        {"character", "KRKTR", ""},        // initial "charac"
        {"orchestra", "ARKSTR", ""},       // "orches"
        {"church", "XRX", "XRK"},          // initial ch, then ch inside the word
        {"mchugh", "MK", ""},              // ch after "mc"; gh after h
        {"hochmeier", "HKMR", ""},         // ch after o before m; r after "me..ie"
        {"cello", "SL", ""},               // ce; double l not in a Spanish ending
        {"dumb", "TM", ""},                // final "umb"
        {"thumb", "0M", "TM"},             // th; final "umb"
        {"school", "SKL", ""},             // sc before "oo"
        {"science", "SNS", ""},            // sc before i
        {"schenker", "XNKR", "SKNKR"},     // sc before "en"
        {"island", "ALNT", ""},            // silent s of "isl"
        {"tagliare", "TKLR", "TLR"},       // gli
        {"ranger", "RNJR", "RNKR"},        // "ranger" keeps the soft g
        {"dagger", "TKR", ""},             // gg
        {"rogier", "RJ", "RKR"},           // final "ier": r silent in the primary
        {"raja", "RJ", "RH"},              // j between vowels
        {"filipowicz", "FLPTS", "FLPFX"},  // "wicz"
        {"arnow", "ARN", "ARNF"},          // final w after a vowel
    });
}

TEST(PhoneticKeyEncode, TextWithoutCodesGivesEmptyKeys) {
    for (const char* text : {"", "h", "hh", "123", " ", "a"}) {
        SCOPED_TRACE(text);
        CPhoneticKey key(text);
        EXPECT_STREQ(key.AlternateKey(), "");
    }
    EXPECT_STREQ(CPhoneticKey("h").PrimaryKey(), "");
    EXPECT_STREQ(CPhoneticKey("123").PrimaryKey(), "");
    EXPECT_STREQ(CPhoneticKey("a").PrimaryKey(), "A");
    // Upper case is not a letter to the rules.
    EXPECT_STREQ(CPhoneticKey("SMITH").PrimaryKey(), "");
}

TEST(PhoneticKeyEncode, LongTextKeepsEveryCode) {
    // An initial x is S; then each x before another x is KS and steps over it, and so is
    // the last one: 200 codes in all, far beyond any cut to four characters.
    CPhoneticKey key(std::string(400, 'x'));
    std::string expected = "S";
    for (int i = 0; i < 200; ++i) {
        expected += "KS";
    }
    EXPECT_EQ(key.PrimaryKey(), expected);
    EXPECT_STREQ(key.AlternateKey(), "");
}

struct MatchCase {
    const char* word;
    const char* primary;    // nullptr: none
    const char* alternate;  // nullptr: none
    bool expected;
};

TEST(PhoneticKeyMatch, WholeWords) {
    const std::vector<MatchCase> cases = {
        {"smith", "XMT", nullptr, true},  // the alternate codes of smith spell schmidt's key
        {"schmidt", "SM0", "XMT", true},
        {"schmidt", "SM0", nullptr, false},
        {"smith", "SM", nullptr, false},    // a key must be spelled exactly, not just begun
        {"smith", "SM0T", nullptr, false},  // nor overrun
        {"raj", "RJ", nullptr, true},
        {"raj", "R", nullptr, false},  // a final j matches only a key holding its J
        {"xavier", "SF", nullptr, true},
        {"xavier", "SFR", nullptr, false},  // the empty main code of a final r is always taken
        {"with", "A0", "FT", true},
        {"witch", "A0", "FT", false},
        {"hh", "", nullptr, true},  // no code at all matches the empty key
        {"ah", "", nullptr, false},
        {"smith", nullptr, nullptr, false},  // both rests none
        {"", "", nullptr, true},
    };
    CPhoneticKey unused("");
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " / " + (c.primary ? c.primary : "none") + " / " +
                     (c.alternate ? c.alternate : "none"));
        EXPECT_EQ(unused.MatchWord(c.word, 0, c.primary, c.alternate), c.expected);
    }
}

TEST(PhoneticKeyMatch, ExamplesFindEachOther) {
    const std::vector<std::pair<const char*, const char*>> pairs = {
        {"smith", "schmidt"}, {"schmidt", "smith"}, {"with", "with"},
        {"witch", "witch"},   {"raj", "raj"},       {"jose", "jose"},
    };
    for (const auto& [query, word] : pairs) {
        SCOPED_TRACE(std::string(query) + " finds " + word);
        CPhoneticKey key(query);
        const char* alternate = *key.AlternateKey() ? key.AlternateKey() : nullptr;
        EXPECT_TRUE(key.MatchWord(word, 0, key.PrimaryKey(), alternate));
    }
}

TEST(PhoneticKeyMatch, NegativePositionIsRejected) {
    CPhoneticKey key("smith");
    int position = -1;
    const char* p = key.PrimaryKey();
    const char* a = key.AlternateKey();
    EXPECT_FALSE(key.MatchWord("smith", -1, p, a));
    EXPECT_FALSE(key.MatchPrefix("smith", position, p, a));
}

struct PrefixCase {
    const char* query;
    const char* prefix;
    bool expected;
    int position;           // state after a true result
    const char* primary;    // what is left of the primary key; nullptr: none
    const char* alternate;  // same for the alternate key
};

// The scan stops in front of the first rule that the prefix cannot decide.
TEST(PhoneticKeyPrefix, StopsInFrontOfUndecidedRules) {
    const std::vector<PrefixCase> cases = {
        {"smith", "s", true, 0, "SM0", "XMT"},   // "sugar" may still follow
        {"smith", "sc", true, 0, "SM0", "XMT"},  // sc needs the next letter
        {"smith", "sm", true, 1, "M0", "MT"},    // m needs to know whether m follows
        {"smith", "smi", true, 3, "0", "T"},
        {"smith", "smit", true, 3, "0", "T"},   // "tion" may still follow
        {"smith", "smith", true, 3, "0", "T"},  // "thom" may still follow
        {"smith", "b", false, 0, nullptr, nullptr},
        {"smith", "smpl", false, 0, nullptr, nullptr},
        {"smith", "smp", true, 2, "0", "T"},  // p needs to know whether h follows
        {"caesar", "ca", true, 0, "SSR", nullptr},
        {"knight", "k", true, 0, "NT", nullptr},  // "kn" at the start is not yet decided
        {"knight", "kn", true, 2, "T", nullptr},
        {"raj", "raj", true, 2, "J", ""},         // "jose" may still follow
        {"raj", "ra", true, 2, "J", ""},          // r before the prefix end is not last
        {"xavier", "xavier", true, 5, "", "R"},   // a final r after "ie" might be last
        {"akers", "ak", true, 2, "RS", nullptr},  // the k decides the Slavo-Germanic test
        {"with", "w", true, 0, "A0", "FT"},
        {"with", "wi", true, 0, "A0", "FT"},  // "witz" may still follow
        {"with", "with", true, 2, "0", "T"},  // leading w: A / F, then th waits for "thom"
        {"xavier", "x", true, 1, "F", "FR"},
        {"ah", "a", true, 1, "", nullptr},
    };
    for (const PrefixCase& c : cases) {
        SCOPED_TRACE(std::string(c.query) + " / " + c.prefix);
        CPhoneticKey key(c.query);
        int position = 0;
        const char* p = key.PrimaryKey();
        const char* a = *key.AlternateKey() ? key.AlternateKey() : nullptr;
        ASSERT_EQ(key.MatchPrefix(c.prefix, position, p, a), c.expected);
        if (!c.expected) {
            continue;
        }
        EXPECT_EQ(position, c.position);
        if (c.primary == nullptr) {
            EXPECT_EQ(p, nullptr);
        } else {
            EXPECT_STREQ(p, c.primary);
        }
        if (c.alternate == nullptr) {
            EXPECT_EQ(a, nullptr);
        } else {
            EXPECT_STREQ(a, c.alternate);
        }
    }
}

// Carries the state through every prefix of the word, as a walk that tests each trie
// level would; checks that no prefix of a matching word is refused and that the carried
// state gives the whole-word test the same answer as a scan from the start.
void CheckEveryPrefix(const CPhoneticKey& key, const std::string& word, const char* p,
                      const char* a, bool matches) {
    int position = 0;
    for (size_t length = 1; length <= word.size(); ++length) {
        if (!key.MatchPrefix(std::string_view(word).substr(0, length), position, p, a)) {
            ASSERT_FALSE(matches) << "prefix " << word.substr(0, length) << " of " << word
                                  << " refused";
            return;
        }
    }
    ASSERT_EQ(key.MatchWord(word, position, p, a), matches) << word << " with the carried state";
}

// The same as the search's trie walk: only the first five letters are tested, vowels
// after the first letter leave the state as it is, and a word is tested with the state
// of the prefix before its last letter.
void CheckWalk(const CPhoneticKey& key, const std::string& word, const char* p, const char* a,
               bool matches) {
    int position = 0;
    for (size_t pos = 0; pos + 1 < word.size(); ++pos) {
        if (pos > 4 || (pos > 0 && CPhoneticKey::IsVowel(word[pos]))) {
            continue;
        }
        if (!key.MatchPrefix(std::string_view(word).substr(0, pos + 1), position, p, a)) {
            ASSERT_FALSE(matches) << "walk refused " << word.substr(0, pos + 1) << " of " << word;
            return;
        }
    }
    ASSERT_EQ(key.MatchWord(word, position, p, a), matches) << word << " at the end of the walk";
}

// Words whose sound turns on letters after the tested prefix: each rule waits for them, so
// resuming from the carried state decides the word as a scan from the start does.
TEST(PhoneticKeyPrefix, DeferredTestsKeepTheStateValid) {
    const std::vector<MatchCase> cases = {
        {"agnew", "AN", nullptr, false},  // gn after an initial vowel: w makes it KN
        {"agnew", "AKN", nullptr, true},
        {"rajak", "RHK", nullptr, false},  // j between vowels: k takes away the H
        {"rajak", "RJK", nullptr, true},
        {"siok", "XK", nullptr, false},   // sio: k keeps it S only
        {"azek", "ATSK", nullptr, true},  // z: k allows TS
        {"xavier", "SF", nullptr, true},  // final r after "ie"
        {"xaviere", "SF", nullptr, false},
        {"cabrillo", "KPRL", nullptr, true},  // "illo" at the end: L / none
        {"cabrillo", "KPR", nullptr, false},  // the side without a code is never taken
        {"cabrillos", "KPRLS", nullptr, true},
        {"hochmeier", "HKMR", nullptr, true},
        {"smith", "SM0", nullptr, true},
        {"smithom", "SMTM", nullptr, true},  // "thom" is T
        {"smithom", "SM0M", nullptr, false},
        {"caesar", "SSR", nullptr, true},
        {"caesa", "KS", nullptr, true},
        {"wit", "AT", "FT", true},
        {"witz", "ATS", "FX", true},  // the leading A / F and "witz" are one rule
        {"witz", "AT", nullptr, false},
    };
    CPhoneticKey key("");
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(std::string(c.word) + " / " + (c.primary ? c.primary : "none"));
        ASSERT_EQ(key.MatchWord(c.word, 0, c.primary, c.alternate), c.expected);
        CheckEveryPrefix(key, c.word, c.primary, c.alternate, c.expected);
        CheckWalk(key, c.word, c.primary, c.alternate, c.expected);
    }
}

// Real English words: the system word list when there is one, else WordNet's lemmas.
std::vector<std::string> LoadWords() {
    std::vector<std::string> words;
    auto add = [&words](std::string word) {
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) {
            return c == '_' ? ' ' : static_cast<char>(std::tolower(c));
        });
        if (!word.empty() && word.size() <= 128) {
            words.push_back(word);
        }
    };
    std::ifstream dict("/usr/share/dict/words");
    if (dict) {
        for (std::string line; std::getline(dict, line);) {
            add(line);
        }
    } else {
        for (const char* part : {"noun", "verb", "adj", "adv"}) {
            std::ifstream index(std::string("/usr/share/wordnet/index.") + part);
            for (std::string line; std::getline(index, line);) {
                if (!line.empty() && line[0] != ' ') {
                    add(line.substr(0, line.find(' ')));
                }
            }
        }
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

const std::vector<std::string>& Words() {
    static const std::vector<std::string> words = LoadWords();
    return words;
}

class PhoneticKeyWords : public ::testing::Test {
  protected:
    void SetUp() override {
        if (Words().size() < 1000) {
            GTEST_SKIP() << "no word list: neither /usr/share/dict/words nor "
                            "/usr/share/wordnet/index.* is installed";
        }
    }

    static const char* Alternate(const CPhoneticKey& key) {
        return *key.AlternateKey() ? key.AlternateKey() : nullptr;
    }
};

// Matching a word against its own keys follows the primary key code by code.
TEST_F(PhoneticKeyWords, EveryWordFindsItselfThroughEveryPrefix) {
    for (const std::string& word : Words()) {
        CPhoneticKey key(word);
        ASSERT_TRUE(key.MatchWord(word, 0, key.PrimaryKey(), Alternate(key))) << word;
        CheckEveryPrefix(key, word, key.PrimaryKey(), Alternate(key), true);
        CheckWalk(key, word, key.PrimaryKey(), Alternate(key), true);
    }
}

// Over many queries and the whole list: prefix pruning never loses a word that matches,
// and resuming from a carried state decides every word as a scan from the start does.
TEST_F(PhoneticKeyWords, PrefixStateAgreesWithWholeWordTest) {
    std::vector<std::string> queries = {"smith", "schmidt",  "michael", "caesar", "knight",
                                        "judge", "sugar",    "xavier",  "with",   "witch",
                                        "tough", "cabrillo", "raj",     "jose",   "thompson"};
    const std::vector<std::string>& words = Words();
    for (size_t i = 0; i < words.size(); i += words.size() / 60) {
        queries.push_back(words[i]);
    }
    std::vector<std::string> keys;
    keys.reserve(words.size());
    for (const std::string& word : words) {
        keys.push_back(CPhoneticKey(word).PrimaryKey());
    }
    size_t matched = 0;
    for (const std::string& query : queries) {
        SCOPED_TRACE("query " + query);
        CPhoneticKey key(query);
        const std::string primary = key.PrimaryKey();
        const std::string alternate = key.AlternateKey();
        for (size_t w = 0; w < words.size(); ++w) {
            const std::string& word = words[w];
            const bool matches = key.MatchWord(word, 0, key.PrimaryKey(), Alternate(key));
            matched += matches ? 1 : 0;
            // Words whose primary key is one of the query's keys are always found.
            if (!matches) {
                const std::string& own = keys[w];
                ASSERT_FALSE(own == primary || (!alternate.empty() && own == alternate))
                    << word << " has key " << own;
            }
            CheckEveryPrefix(key, word, key.PrimaryKey(), Alternate(key), matches);
            CheckWalk(key, word, key.PrimaryKey(), Alternate(key), matches);
        }
    }
    // The queries are real words, so beyond themselves they find a good many sound-alikes.
    EXPECT_GT(matched, 2 * queries.size());
}

}  // namespace
