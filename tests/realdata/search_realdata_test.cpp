// Word search over the real wordnet.lcv (in the program folder, or $LEXICOVE_DATABASE).
// Skipped when there is no database: scripts/dev.sh database builds it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "search/phonetic_key.h"
#include "search/search_index.h"
#include "search/search_status.h"
#include "support/cli_runner.h"
#include "support/keep_word.h"
#include "support/real_database.h"
#include "support/temp_dir.h"

namespace {

class SearchRealDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = RealDatabasePath();
        if (::access(path_.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path_ << " (scripts/dev.sh database builds it)";
        }
        ASSERT_TRUE(db_.Open(path_.c_str())) << path_;
        db_.EnumerateWords(KeepWord, &words_, "", true);
        ASSERT_GT(words_.size(), 10000u);
    }

    std::set<std::string> Search(const std::string& query, int mode, int* status) {
        std::vector<std::string> found;
        CSearchIndex::ClearStop();
        *status = db_.SearchWords(KeepWord, &found, query.c_str(), mode, "");
        return {found.begin(), found.end()};
    }

    std::vector<std::string> CliLines(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"--database", path_, "search"};
        all.insert(all.end(), args.begin(), args.end());
        CliResult r = RunCli(all, scratch_.Path());
        std::vector<std::string> lines;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string path_;
    CDictionaryDatabase db_;
    std::vector<std::string> words_;
    CTempDir scratch_;
};

// The pruned walk is sound only if a word that matches as a whole also passes the prefix test
// at every length, with the state carried from one length to the next; and then the walk finds
// exactly what testing every word would.
TEST_F(SearchRealDataTest, PhoneticSearchFindsWhatAFullScanFinds) {
    std::vector<std::string> queries = {"smith",    "catherine", "fisiks", "schmidt", "knight",
                                        "thompson", "judge",     "sugar",  "xavier",  "caesar"};
    for (size_t i = 0; queries.size() < 60; i += words_.size() / 50) {
        queries.push_back(words_[i % words_.size()]);
    }
    for (const std::string& query : queries) {
        CPhoneticKey key(query);
        const char* primary = key.PrimaryKey();
        const char* alternate = *key.AlternateKey() != '\0' ? key.AlternateKey() : nullptr;
        std::set<std::string> scan;
        for (const std::string& word : words_) {
            if (!key.MatchWord(word, 0, primary, alternate)) {
                continue;
            }
            scan.insert(word);
            int pos = 0;
            const char* p = primary;
            const char* a = alternate;
            for (size_t length = 1; length <= word.size(); ++length) {
                ASSERT_TRUE(key.MatchPrefix(std::string_view(word).substr(0, length), pos, p, a))
                    << query << ": " << word << " refused at length " << length;
            }
            EXPECT_TRUE(key.MatchWord(word, pos, p, a)) << query << ": " << word;
        }
        int status = -1;
        EXPECT_EQ(Search(query, SEARCH_MODE_PHONETIC, &status), scan) << query;
        EXPECT_EQ(status, SEARCH_OK) << query;
    }
}

TEST_F(SearchRealDataTest, PatternsFindWhatTheyDescribe) {
    int status = -1;
    std::set<std::string> found = Search("c?t", SEARCH_MODE_PATTERN, &status);
    EXPECT_TRUE(found.count("cat") && found.count("cot") && !found.count("coat"));
    found = Search("(3:tea)", SEARCH_MODE_PATTERN, &status);
    EXPECT_TRUE(found.count("tea") && found.count("eat") && found.count("ate"));
    for (const std::string& word : found) {
        EXPECT_EQ(word.size(), 3u) << word;
    }
    db_.SetSearchFlags(true, false);
    found = Search("icecream", SEARCH_MODE_PATTERN, &status);
    EXPECT_TRUE(found.count("ice cream"));
    db_.SetSearchFlags(false, false);
    EXPECT_FALSE(Search("icecream", SEARCH_MODE_PATTERN, &status).count("ice cream"));
}

TEST_F(SearchRealDataTest, TheCommandLineShowsRowsAsTheSearchedTabDoes) {
    EXPECT_EQ(CliLines({"--wildcard", "zzzzz"}), std::vector<std::string>{"< No word found >"});
    EXPECT_EQ(CliLines({"--wildcard", "()"}), std::vector<std::string>{"< Invalid Query >"});
    std::vector<std::string> all = CliLines({"--wildcard", "*"});
    ASSERT_EQ(all.size(), 129u);
    EXPECT_EQ(all.back(), "< Truncated >");
    EXPECT_EQ(CliLines({"--wildcard", "*", "--limit", "3"}).size(), 4u);

    std::vector<std::string> two = CliLines({"--anagram", "TEA", "--length", "2"});
    ASSERT_GE(two.size(), 2u);
    EXPECT_EQ(two.back(), "< Completed >");
    two.pop_back();
    for (const std::string& word : two) {
        EXPECT_EQ(word.size(), 2u) << word;
    }
    std::vector<std::string> sounds = CliLines({"--phonetic", "Smith"});
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "smith"), sounds.end());
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "schmidt"), sounds.end());

    CliResult keys = RunCli({"--database", path_, "keys", "smith"}, scratch_.Path());
    EXPECT_EQ(keys.out, "primary: SM0\nalternate: XMT\n");
}

}  // namespace
