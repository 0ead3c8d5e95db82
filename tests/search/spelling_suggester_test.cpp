// The suggestion walk over small fixture databases: its candidates against a brute-force
// distance over every word, the ranking rules, files without use counts and damaged tries.

#include "search/spelling_suggester.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "search/phonetic_key.h"
#include "support/brute_distance.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

bool SameSound(const std::string& query, const std::string& word) {
    CPhoneticKey key(query);
    if (*key.PrimaryKey() == '\0') {
        return false;
    }
    const char* alternate = *key.AlternateKey() != '\0' ? key.AlternateKey() : nullptr;
    return key.MatchWord(word, 0, key.PrimaryKey(), alternate);
}

std::vector<std::string> Words(const std::vector<Suggestion>& found) {
    std::vector<std::string> out;
    for (const Suggestion& s : found) {
        out.push_back(s.word);
    }
    return out;
}

class SpellingSuggesterTest : public ::testing::Test {
  protected:
    // Each word gets `senses` noun references; counts go to the use-count section.
    void Add(const std::string& word, int senses = 1, uint32_t count = 0) {
        uint32_t record = fixture_.Append(word + "\nthe gloss\n");
        fixture_.AddWord(word,
                         std::vector<uint32_t>(senses, lcv::MakeRef(lcv::ENTRY_NOUN, record)));
        if (count != 0) {
            fixture_.SetUseCount(word, count);
        }
        words_.push_back(word);
    }
    void Open() {
        image_ = fixture_.Image();
        std::string path = dir_.WriteFile("wordnet.lcv", image_);
        ASSERT_TRUE(db_.Open(path.c_str()));
    }

    CTempDir dir_;
    CFixtureWriter fixture_;
    CDictionaryDatabase db_;
    std::vector<std::string> words_;
    std::vector<uint8_t> image_;
};

TEST_F(SpellingSuggesterTest, CandidatesAreExactlyTheWordsWithinTheBoundOrOfTheSameSound) {
    // Every word of up to four letters over a small alphabet, plus longer ones and phrases.
    const std::string letters = "aebst";
    std::vector<std::string> all = {""};
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> longer;
        for (const std::string& w : all) {
            if (static_cast<int>(w.size()) == length - 1) {
                for (char c : letters) {
                    longer.push_back(w + c);
                }
            }
        }
        all.insert(all.end(), longer.begin(), longer.end());
    }
    for (const std::string& w : all) {
        if (!w.empty() && (w.size() < 3 || w[0] == 'b' || w[1] == 'e')) {
            Add(w);
        }
    }
    for (const char* w : {"beasts", "tabbies", "sea bass", "abstain", "bassets", "testes"}) {
        Add(w);
    }
    Open();
    CSpellingSuggester suggester(
        db_.File(), lcv::DecodeFixed32(image_.data() + lcv::kHeaderTrieOffset), nullptr);
    for (const char* query : {"bast", "beast", "e", "tsb", "sebass", "bassetts", "abstian", "qqqq",
                              "seabass", "TEST"}) {
        SCOPED_TRACE(query);
        std::string lowered = query;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), ::tolower);
        int bound = CSpellingSuggester::Bound(lowered.size());
        std::map<std::string, int> expected;
        for (const std::string& w : words_) {
            int d = BruteDistance(lowered, w);
            if (d <= bound || SameSound(lowered, w)) {
                expected[w] = d;
            }
        }
        std::map<std::string, int> got;
        for (const Suggestion& s : suggester.Candidates(query)) {
            EXPECT_TRUE(got.emplace(s.word, s.distance).second) << s.word << " twice";
            EXPECT_EQ(s.number, db_.FindWord(s.word.c_str())) << s.word;
            EXPECT_EQ(s.sameSound, SameSound(lowered, s.word)) << s.word;
        }
        EXPECT_EQ(got, expected);
    }
}

TEST_F(SpellingSuggesterTest, RankingGoesByDistanceSoundUseCountFirstLetterSensesLength) {
    struct W {
        const char* word;
        int senses;
        uint32_t count;
    } words[] = {{"bad", 1, 5},   {"bit", 1, 0}, {"cat", 1, 100},    {"bay", 2, 0},
                 {"bar", 1, 0},   {"hat", 3, 0}, {"batter", 1, 900}, {"fine", 1, 0},
                 {"phone", 1, 0}, {"one", 4, 0}, {"receive", 1, 0},  {"relieve", 1, 50},
                 {"bats", 1, 0},  {"ba", 1, 0}};
    for (const W& w : words) {
        Add(w.word, w.senses, w.count);
    }
    Open();
    struct Case {
        const char* typed;
        std::vector<std::string> best;
    } cases[] = {
        // Same sound first (bad, bit: PT), then use count (cat), then the first letter (bay,
        // bar, ba, bats), among those the senses (bay), then the length nearest the text.
        {"bat", {"bad", "bit", "cat", "bay", "bar", "ba", "bats", "hat"}},
        // A word of the same sound comes even past the edit bound, after the nearer words.
        {"fone", {"fine", "one", "phone"}},
        // The swapped letters that sound the same beat the more used substitution.
        {"recieve", {"receive", "relieve"}},
        {"zzzzzz", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(Words(db_.SuggestWords(c.typed)), c.best);
    }
    EXPECT_EQ(Words(db_.SuggestWords("bat", 2)), (std::vector<std::string>{"bad", "bit"}));
    EXPECT_EQ(db_.SuggestWords(std::string(SUGGEST_MAX_TEXT + 1, 'b').c_str()).size(), 0u);
}

TEST_F(SpellingSuggesterTest, WithoutUseCountsSensesAndLengthRank) {
    Add("cart", 1);
    Add("card", 3);
    Add("carts", 1);
    Add("care", 2);
    Open();
    ASSERT_FALSE(db_.UseCounts().Available());
    // carts is two edits away and sounds otherwise.
    EXPECT_EQ(Words(db_.SuggestWords("carx")), (std::vector<std::string>{"card", "care", "cart"}));
}

TEST_F(SpellingSuggesterTest, AtMostTenSuggestions) {
    for (char c = 'a'; c <= 'z'; ++c) {
        Add(std::string("ba") + c);
    }
    Open();
    EXPECT_EQ(db_.SuggestWords("baq").size(), static_cast<size_t>(SUGGEST_MAX_RESULTS));
}

TEST_F(SpellingSuggesterTest, DamagedTrieEndsTheWalkSafely) {
    for (const char* w : {"alpha", "alps", "beta", "bet", "gamma"}) {
        Add(w);
    }
    std::vector<uint8_t> image = fixture_.Image();
    uint32_t trie = lcv::DecodeFixed32(image.data() + lcv::kHeaderTrieOffset);
    uint32_t count = lcv::DecodeFixed32(image.data() + trie);
    // Point every child index at the root list: the trie loops forever.
    for (uint32_t i = 1; i <= count; ++i) {
        uint8_t* p = image.data() + trie + 4 * i;
        uint32_t w = lcv::DecodeFixed32(p);
        if (!lcv::IsEntryRef(w) && lcv::NodeChild(w) != 0) {
            lcv::EncodeFixed32(p, (w & ~lcv::kNodeChildMask) | 1);
        }
    }
    std::string path = dir_.WriteFile("looped.lcv", image);
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(path.c_str()));
    for (const char* query : {"alp", "aaaaaaaa", "bet", "b"}) {
        db.SuggestWords(query);  // ends, reads nothing outside the file (sanitizers)
    }
    // Child indexes past the array.
    for (uint32_t i = 1; i <= count; ++i) {
        uint8_t* p = image.data() + trie + 4 * i;
        uint32_t w = lcv::DecodeFixed32(p);
        if (!lcv::IsEntryRef(w) && lcv::NodeChild(w) != 0) {
            lcv::EncodeFixed32(p, (w & ~lcv::kNodeChildMask) | (count + 5));
        }
    }
    path = dir_.WriteFile("past.lcv", image);
    CDictionaryDatabase past;
    ASSERT_TRUE(past.Open(path.c_str()));
    EXPECT_EQ(Words(past.SuggestWords("alp")), std::vector<std::string>{});
}

}  // namespace
