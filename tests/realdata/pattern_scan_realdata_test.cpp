// Every pattern search over the real wordnet.lcv against a plain scan of its word list with a
// matcher written here from the pattern language alone: a backtracking match of one word at a
// time, sharing nothing with the trie matcher. Skipped when there is no database.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/dictionary_database.h"
#include "search/search_index.h"
#include "search/search_status.h"
#include "support/keep_word.h"
#include "support/real_database.h"

namespace {

// Whole-word matching of one pattern, by backtracking over the word. Characters the flags
// make ignorable are passed over in front of each character an element takes; only "*"
// takes them otherwise, so a word never ends in one unless a "*" takes it.
class CScanMatcher {
  public:
    CScanMatcher(bool ignoreSpaces, bool ignoreOthers)
        : ignoreSpaces_(ignoreSpaces), ignoreOthers_(ignoreOthers) {}

    bool Matches(std::string_view word, std::string_view pattern) const {
        return Match(word, 0, pattern);
    }

  private:
    bool Ignorable(char c) const {
        bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        return (ignoreSpaces_ && space) || (ignoreOthers_ && !plain);
    }

    // Where the next character that an element takes stands: past the ignorable ones.
    size_t Taken(std::string_view word, size_t at) const {
        while (at < word.size() && Ignorable(word[at])) {
            ++at;
        }
        return at;
    }

    bool Match(std::string_view word, size_t at, std::string_view pattern) const {
        if (pattern.empty()) {
            return at == word.size();
        }
        switch (pattern[0]) {
            case '*':
                for (size_t end = at; end <= word.size(); ++end) {
                    if (Match(word, end, pattern.substr(1))) {
                        return true;
                    }
                }
                return false;
            case '{':
                return MatchChoice(word, at, pattern);
            case '(':
                return MatchLetters(word, at, pattern);
            default:
                return MatchOne(word, at, pattern);
        }
    }

    // A literal, "?" or "[set]".
    bool MatchOne(std::string_view word, size_t at, std::string_view pattern) const {
        size_t here = Taken(word, at);
        if (here == word.size()) {
            return false;
        }
        char c = word[here];
        size_t length = 1;
        bool taken = pattern[0] == '?' || pattern[0] == c;
        if (pattern[0] == '[') {
            length = pattern.find(']') + 1;
            taken = pattern.substr(1, length - 2).find(c) != std::string_view::npos;
        }
        return taken && Match(word, here + 1, pattern.substr(length));
    }

    // "{a,b,...}rest": each alternative followed by the rest, split at the commas outside
    // inner braces.
    bool MatchChoice(std::string_view word, size_t at, std::string_view pattern) const {
        std::vector<std::string> choices(1);
        int depth = 0;
        size_t i = 0;
        for (;; ++i) {
            char c = pattern[i];
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (depth == 0) {
                break;
            }
            if (c == ',' && depth == 1) {
                choices.emplace_back();
            } else if (i > 0) {
                choices.back() += c;
            }
        }
        std::string_view rest = pattern.substr(i + 1);
        for (const std::string& choice : choices) {
            if (Match(word, at, choice + std::string(rest))) {
                return true;
            }
        }
        return false;
    }

    // "(letters)rest" or "(n:letters)rest".
    bool MatchLetters(std::string_view word, size_t at, std::string_view pattern) const {
        size_t close = pattern.find(')');
        std::string_view inside = pattern.substr(1, close - 1);
        int count = -1;
        size_t colon = inside.find(':');
        if (colon != std::string_view::npos) {
            count = std::stoi(std::string(inside.substr(0, colon)));
            inside = inside.substr(colon + 1);
        }
        return Pick(word, at, std::string(inside), count, pattern.substr(close + 1));
    }

    // Takes letters from the pool (each at most once, "?" for any character) until count
    // are taken, or, without a count, any number of them.
    bool Pick(std::string_view word, size_t at, const std::string& pool, int count,
              std::string_view rest) const {
        if (count <= 0 && Match(word, at, rest)) {
            return true;
        }
        size_t here = Taken(word, at);
        if (count == 0 || here == word.size()) {
            return false;
        }
        bool tried[256] = {};
        for (size_t i = 0; i < pool.size(); ++i) {
            char letter = pool[i];
            bool& seen = tried[static_cast<uint8_t>(letter)];
            if ((letter != '?' && letter != word[here]) || seen) {
                continue;
            }
            seen = true;
            std::string others = pool.substr(0, i) + pool.substr(i + 1);
            if (Pick(word, here + 1, others, count < 0 ? -1 : count - 1, rest)) {
                return true;
            }
        }
        return false;
    }

    bool ignoreSpaces_;
    bool ignoreOthers_;
};

class PatternScanRealDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string path = RealDatabasePath();
        if (::access(path.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path << " (scripts/dev.sh database builds it)";
        }
        ASSERT_TRUE(db_.Open(path.c_str())) << path;
        db_.EnumerateWords(KeepWord, &words_, "", true);
        ASSERT_GT(words_.size(), 100000u);
    }

    // Compares every pattern under the two flags; returns the number of patterns compared.
    size_t Compare(const std::vector<std::string>& patterns, bool ignoreSpaces, bool ignoreOthers) {
        CScanMatcher scan(ignoreSpaces, ignoreOthers);
        db_.SetSearchFlags(ignoreSpaces, ignoreOthers);
        for (const std::string& pattern : patterns) {
            std::set<std::string> expected;
            for (const std::string& word : words_) {
                if (scan.Matches(word, pattern)) {
                    expected.insert(word);
                }
            }
            std::vector<std::string> found;
            CSearchIndex::ClearStop();
            int status =
                db_.SearchWords(KeepWord, &found, pattern.c_str(), SEARCH_MODE_PATTERN, "");
            EXPECT_EQ(status, SEARCH_OK) << pattern;
            EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected)
                << pattern << " (spaces ignored " << ignoreSpaces << ", others ignored "
                << ignoreOthers << ")";
        }
        return patterns.size();
    }

    CDictionaryDatabase db_;
    std::vector<std::string> words_;
};

TEST_F(PatternScanRealDataTest, EveryMatchIsWhatAScanOfTheWordListFinds) {
    const std::vector<std::string> patterns = {
        // Walks that take far more steps than the trie has nodes.
        "*(8:???aeiou)*", "*(3:??\?)*(3:??\?)q", "*(2:?\?)*(2:?\?)zq",
        // A word with nothing below it, ended by an empty group or alternative after a "*".
        "zyrian*(ab)", "zyrian*{x,}", "*zyrian*(b)", "*ss*{y,}", "*{x,}(q)",
        // Single characters, sets and runs.
        "c?t", "*ness", "?a?e?", "[xyz][aeiou]?", "*[xq]*[xq]*", "q*u", "*o*o*o*o*",
        // Letter groups, with and without a count, "?" among the letters.
        "(aeinrst)", "(7:aeinrst)", "(2:?\?)", "*(tea)", "(4:?aet)s", "x*(y)*", "*q(1:?)",
        // Alternatives, nested, empty, with groups and runs inside.
        "{un,re}*able", "{{a,b}{c,d},e}??", "s{c,k}?{a,o}*", "*{ing,ed}", "qu*{s,ed,}",
        "{(2:ab),z}z*", "*{(3:??\?),x}yx"};
    size_t compared = Compare(patterns, true, false) + Compare(patterns, true, true) +
                      Compare({"ice*cream", "*{ }?", "a? *"}, false, false);
    std::printf("compared %zu pattern searches with a scan of %zu words\n", compared,
                words_.size());
}

}  // namespace
