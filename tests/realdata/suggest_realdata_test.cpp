// Spelling suggestions and the meaning search over the real wordnet.lcv: the walk against a
// brute-force distance over the whole word list, the hit rates on a set of common misspellings
// and on a set of descriptions, and the command line.
// Skipped when there is no database: scripts/dev.sh database builds it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "search/phonetic_key.h"
#include "search/spelling_suggester.h"
#include "support/brute_distance.h"
#include "support/cli_runner.h"
#include "support/keep_word.h"
#include "support/real_database.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace {

class SuggestRealDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = RealDatabasePath();
        if (::access(path_.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path_ << " (scripts/dev.sh database builds it)";
        }
        ASSERT_TRUE(db_.Open(path_.c_str())) << path_;
        db_.EnumerateWords(KeepWord, &words_, "", true);
        ASSERT_GT(words_.size(), 100000u);
    }

    std::string path_;
    CDictionaryDatabase db_;
    std::vector<std::string> words_;
};

TEST_F(SuggestRealDataTest, WalkFindsExactlyTheWordsWithinTheBound) {
    uint8_t header[lcv::kHeaderSize];
    ASSERT_EQ(db_.File()->ReadAt(0, lcv::kHeaderSize, header), static_cast<int>(lcv::kHeaderSize));
    CSpellingSuggester suggester(db_.File(), lcv::DecodeFixed32(header + lcv::kHeaderTrieOffset),
                                 nullptr);
    for (const char* typed :
         {"recieve", "accomodate", "teh", "pronounciation", "definately", "a", "zz", "ice crem",
          "mispell", "qwertyuiopasd", "xylophon", "fone", "sychology", "new yrok"}) {
        SCOPED_TRACE(typed);
        std::string text = typed;
        int bound = CSpellingSuggester::Bound(text.size());
        std::map<std::string, int> expected;
        for (const std::string& w : words_) {
            int d = BruteDistance(text, w);
            if (d <= bound) {
                expected[w] = d;
            }
        }
        std::map<std::string, int> got;
        for (const Suggestion& s : suggester.Candidates(typed)) {
            if (s.distance <= bound) {
                got[s.word] = s.distance;
            } else {
                EXPECT_TRUE(s.sameSound) << s.word;
                EXPECT_EQ(s.distance, BruteDistance(text, s.word)) << s.word;
            }
        }
        EXPECT_EQ(got, expected);
    }
}

TEST_F(SuggestRealDataTest, CommonMisspellingsFindTheWordMeant) {
    ASSERT_TRUE(db_.UseCounts().Available());
    std::ifstream in(SourceRoot() + "/tests/realdata/data/misspellings.tsv");
    ASSERT_TRUE(in.good());
    int pairs = 0, top1 = 0, top5 = 0;
    for (std::string line; std::getline(in, line);) {
        size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        std::string typed = line.substr(0, tab), meant = line.substr(tab + 1);
        EXPECT_NE(db_.FindWord(meant.c_str()), 0u) << meant << " is not a word";
        EXPECT_EQ(db_.FindWord(typed.c_str()), 0u) << typed << " is a word";
        std::vector<Suggestion> found = db_.SuggestWords(typed.c_str());
        ++pairs;
        for (size_t i = 0; i < found.size() && i < 5; ++i) {
            if (found[i].word == meant) {
                top1 += i == 0 ? 1 : 0;
                ++top5;
            }
        }
        if (found.empty() || found[0].word != meant) {
            std::string list;
            for (const Suggestion& s : found) {
                list += s.word + " ";
            }
            std::printf("  %s -> %s: %s\n", typed.c_str(), meant.c_str(), list.c_str());
        }
    }
    std::printf("misspellings: %d pairs, top-1 %d (%.0f %%), top-5 %d (%.0f %%)\n", pairs, top1,
                100.0 * top1 / pairs, top5, 100.0 * top5 / pairs);
    EXPECT_GE(pairs, 50);
    EXPECT_GE(top5 * 100, 90 * pairs);
    EXPECT_GE(top1 * 100, 75 * pairs);
}

TEST_F(SuggestRealDataTest, DefineOnAMissSuggests) {
    CTempDir scratch;
    CliResult r = RunCli({"--database", path_, "define", "recieve"}, scratch.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find("Lexicove could not locate the word definition in current data file.\n"
                         "Did you mean: receive"),
              0u)
        << r.err;
    r = RunCli({"--database", path_, "suggest", "accomodate"}, scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("accommodate\n", 0), 0u) << r.out;
}

// How a set of descriptions fares: the pairs, and how many found the word first and among
// the first ten. The misses are printed with the first words found.
struct DescriptionScore {
    int pairs = 0, top1 = 0, top10 = 0;
};

DescriptionScore ScoreDescriptions(CDictionaryDatabase& db, const std::string& file) {
    DescriptionScore score;
    std::ifstream in(SourceRoot() + "/tests/realdata/data/" + file);
    EXPECT_TRUE(in.good()) << file;
    char word[129];
    for (std::string line; std::getline(in, line);) {
        size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        std::string description = line.substr(0, tab), meant = line.substr(tab + 1);
        EXPECT_NE(db.FindWord(meant.c_str()), 0u) << meant << " is not a word";
        std::vector<CMeaningIndex::Hit> hits;
        db.SearchMeaning(description.c_str(), 10, &hits);
        ++score.pairs;
        std::string found;
        for (size_t i = 0; i < hits.size(); ++i) {
            if (!db.WordOf(hits[i].number, word, sizeof word)) {
                continue;
            }
            found += std::string(word) + ", ";
            if (meant == word) {
                score.top1 += i == 0 ? 1 : 0;
                ++score.top10;
                found.clear();
                break;
            }
        }
        if (!found.empty() || hits.empty()) {
            std::printf("  %s -> %s: %s\n", description.c_str(), meant.c_str(), found.c_str());
        }
    }
    std::printf("%s: %d pairs, top-1 %d (%.0f %%), top-10 %d (%.0f %%)\n", file.c_str(),
                score.pairs, score.top1, 100.0 * score.top1 / score.pairs, score.top10,
                100.0 * score.top10 / score.pairs);
    return score;
}

TEST_F(SuggestRealDataTest, DescriptionsFindTheWordMeantAmongTheFirstTen) {
    ASSERT_TRUE(db_.MeaningIndex().Available());
    // The set the ranking was tuned on, and one written before tuning and kept out of it.
    DescriptionScore tuned = ScoreDescriptions(db_, "descriptions.tsv");
    DescriptionScore heldOut = ScoreDescriptions(db_, "descriptions_heldout.tsv");
    EXPECT_GE(tuned.pairs, 60);
    EXPECT_GE(heldOut.pairs, 40);
    // A little below the levels reached (54 % and 56 %); a change that ranks worse fails here.
    EXPECT_GE(tuned.top10 * 100, 50 * tuned.pairs);
    EXPECT_GE(heldOut.top10 * 100, 50 * heldOut.pairs);
}

TEST_F(SuggestRealDataTest, MeaningSearchOnTheCommandLine) {
    CTempDir scratch;
    CliResult r =
        RunCli({"--database", path_, "search", "--meaning", "fear of spiders", "--limit", "3"},
               scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("arachnophobia\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("< Truncated >\n"), std::string::npos) << r.out;
    r = RunCli({"--database", path_, "search", "--meaning", "of the"}, scratch.Path());
    EXPECT_EQ(r.status, 2);  // an invalid query
    EXPECT_EQ(r.out, "< Invalid Query >\n");
    // A pattern narrows the ranked words; the limit counts only those it keeps.
    r = RunCli({"--database", path_, "search", "--meaning", "fear of heights", "--wildcard",
                "*phobia", "--limit", "2", "--json"},
               scratch.Path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("\"acrophobia\""), r.out.find('"', r.out.find('['))) << r.out;
    EXPECT_NE(r.out.find("\"status\": \"Truncated\""), std::string::npos) << r.out;
    r = RunCli(
        {"--database", path_, "search", "--meaning", "fear of spiders", "--wildcard", "zzz*"},
        scratch.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "< No word found >\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--meaning", "x", "--phonetic", "x"},
          {"--meaning", "x", "--wildcard", "a*", "--wildcard", "b*"},
          {"--meaning", "fear", "--wildcard", "()"}}) {
        std::vector<std::string> line = {"--database", path_, "search"};
        line.insert(line.end(), args.begin(), args.end());
        EXPECT_EQ(RunCli(line, scratch.Path()).status, 2) << args[2];
    }
}

}  // namespace
