#include "search/search_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "db/format.h"
#include "search/search_fixture.h"
#include "search/search_status.h"

// Turns off the memory map of a file, so that reads go through pread.
class CDataFileTestPeer {
  public:
    static void DisableMapping(CDataFile& f) { f.allowMap_ = false; }
};

namespace {

// Every word of the pattern fixture; in trie (byte) order ' ' < '.' < digits < letters.
const std::vector<std::string> kWords = {
    "a",   "a.m.", "aa",     "ab",   "abc", "abcdefghijkl", "abd",  "am",        "at",
    "ate", "c",    "cat",    "coat", "cot", "ct",           "eat",  "ice cream", "tea",
    "tee", "u.s.", "u.s.a.", "usa",  "x",   "xy",           "zebra"};

enum Flags { SPACES_IGNORED, SPACES_KEPT, PUNCTUATION_IGNORED };

struct PatternCase {
    const char* pattern;
    Flags flags;
    std::vector<std::string> words;  // as reported, sorted; duplicates count
    int status;
};

std::vector<std::string> Sorted(std::vector<std::string> words) {
    std::sort(words.begin(), words.end());
    return words;
}

// The words without repeats, in the order of their first report.
std::vector<std::string> Unique(std::vector<std::string> words) {
    std::vector<std::string> out;
    for (std::string& w : words) {
        if (std::find(out.begin(), out.end(), w) == out.end()) {
            out.push_back(std::move(w));
        }
    }
    return out;
}

class PatternTest : public ::testing::TestWithParam<PatternCase> {
  protected:
    void SetUp() override { fixture_.OpenWords(kWords); }
    CSearchFixture fixture_;
};

TEST_P(PatternTest, FindsExactlyTheseWords) {
    const PatternCase& c = GetParam();
    fixture_.Index().SetFlags(c.flags != SPACES_KEPT, c.flags == PUNCTUATION_IGNORED);
    FoundWords found;
    EXPECT_EQ(fixture_.Search(c.pattern, SEARCH_MODE_PATTERN, &found), c.status);
    EXPECT_EQ(Sorted(found.words), Sorted(c.words));
}

const std::string k127(127, '*');

INSTANTIATE_TEST_SUITE_P(
    Matcher, PatternTest,
    ::testing::Values(
        // Single-character wildcards and runs.
        PatternCase{"c?t", SPACES_IGNORED, {"cat", "cot"}, SEARCH_OK},
        PatternCase{"c*t", SPACES_IGNORED, {"cat", "coat", "cot", "ct"}, SEARCH_OK},
        PatternCase{"[ac]t", SPACES_IGNORED, {"at", "ct"}, SEARCH_OK},
        // Spaces in dictionary words.
        PatternCase{"icecream", SPACES_IGNORED, {"ice cream"}, SEARCH_OK},
        PatternCase{"????????", SPACES_IGNORED, {"ice cream"}, SEARCH_OK},
        PatternCase{"icecream", SPACES_KEPT, {}, SEARCH_OK},
        PatternCase{"ice?cream", SPACES_KEPT, {"ice cream"}, SEARCH_OK},
        PatternCase{"ice*cream", SPACES_KEPT, {"ice cream"}, SEARCH_OK},
        PatternCase{"ice cream", SPACES_KEPT, {"ice cream"}, SEARCH_OK},
        // "*?" and "?*" are a plain "*". A word with longer words below it comes twice: once
        // at its node, once through the empty run.
        PatternCase{
            "ab*", SPACES_IGNORED, {"ab", "ab", "abc", "abc", "abcdefghijkl", "abd"}, SEARCH_OK},
        PatternCase{
            "ab*?", SPACES_IGNORED, {"ab", "ab", "abc", "abc", "abcdefghijkl", "abd"}, SEARCH_OK},
        PatternCase{
            "ab?*", SPACES_IGNORED, {"ab", "ab", "abc", "abc", "abcdefghijkl", "abd"}, SEARCH_OK},
        // Letter groups.
        PatternCase{"(tea)", SPACES_IGNORED, {"a", "at", "ate", "eat", "tea"}, SEARCH_OK},
        PatternCase{"(3:tea)", SPACES_IGNORED, {"ate", "eat", "tea"}, SEARCH_OK},
        PatternCase{"(2:?\?)", SPACES_IGNORED, {"aa", "ab", "am", "at", "ct", "xy"}, SEARCH_OK},
        PatternCase{"(0:abc)", SPACES_IGNORED, {}, SEARCH_OK},
        PatternCase{"x(0:abc)", SPACES_IGNORED, {"x"}, SEARCH_OK},
        PatternCase{"(ab)c", SPACES_IGNORED, {"abc", "c"}, SEARCH_OK},
        PatternCase{"(1x:abc)", SPACES_IGNORED, {"a", "c"}, SEARCH_OK},
        PatternCase{"(123:???????????\?)", SPACES_IGNORED, {"abcdefghijkl"}, SEARCH_OK},
        PatternCase{"(123:abc)", SPACES_IGNORED, {}, SEARCH_OK},
        PatternCase{"(:abc)", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"(a*)", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"(ab", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        // Alternatives.
        PatternCase{"x{y,}", SPACES_IGNORED, {"xy", "x"}, SEARCH_OK},
        PatternCase{"x{y,}(0:a)", SPACES_IGNORED, {"xy", "x"}, SEARCH_OK},
        // A group that matches nothing also lets a word end that has nothing below it.
        PatternCase{"zebra{s,}", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"zebra(s)", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"z*{s,}", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"zebra(1:s)", SPACES_IGNORED, {}, SEARCH_OK},
        // The same after a "*" that runs to the word's end.
        PatternCase{"zebra*(ab)", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"zebra*{x,}", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"*zebra*(b)", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"zeb?a*{(q),x}", SPACES_IGNORED, {"zebra"}, SEARCH_OK},
        PatternCase{"{c,{a,x}}{t,y}", SPACES_IGNORED, {"at", "ct", "xy"}, SEARCH_OK},
        PatternCase{"{a,ab,abc,abd,am,at,ate,c,cat,x}",
                    SPACES_IGNORED,
                    {"a", "ab", "abc", "abd", "am", "at", "ate", "c", "cat", "x"},
                    SEARCH_OK},
        PatternCase{
            "{a,ab,abc,abd,am,at,ate,c,cat,x,xy}", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"{a,b", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        // Malformed elements count only once the walk reaches them.
        PatternCase{"[abc", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"zzzzq[ab", SPACES_IGNORED, {}, SEARCH_OK},
        PatternCase{"()", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"[]", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"()[]{}", SPACES_IGNORED, {}, SEARCH_INVALID_QUERY},
        PatternCase{"c()t", SPACES_IGNORED, {"ct"}, SEARCH_OK},
        // With every character but a-z and 0-9 ignorable, only "*" absorbs the dots.
        PatternCase{"usa", PUNCTUATION_IGNORED, {"usa"}, SEARCH_OK},
        PatternCase{"a?b", PUNCTUATION_IGNORED, {}, SEARCH_OK},
        PatternCase{"a?", PUNCTUATION_IGNORED, {"aa", "ab", "am", "at"}, SEARCH_OK},
        PatternCase{"am*", PUNCTUATION_IGNORED, {"a.m.", "am"}, SEARCH_OK},
        PatternCase{"u.s.a.", PUNCTUATION_IGNORED, {"usa"}, SEARCH_OK},
        PatternCase{"u.s.a.", SPACES_IGNORED, {"u.s.a."}, SEARCH_OK}));

// Helpers over the same fixture for the cases that check order or side conditions.
class SearchIndexTest : public ::testing::Test {
  protected:
    void SetUp() override { fixture_.OpenWords(kWords); }
    std::vector<std::string> Find(const std::string& pattern, int* status = nullptr) {
        FoundWords found;
        int s = fixture_.Search(pattern, SEARCH_MODE_PATTERN, &found);
        if (status != nullptr) {
            *status = s;
        }
        return found.words;
    }
    CSearchFixture fixture_;
};

TEST_F(SearchIndexTest, StarAloneReportsEveryWordInTrieOrder) {
    int status = -1;
    EXPECT_EQ(Unique(Find("*", &status)), kWords);
    EXPECT_EQ(status, SEARCH_OK);
}

TEST_F(SearchIndexTest, AlternativesComeInTheOrderWritten) {
    EXPECT_EQ(Find("{xy,c,a}"), (std::vector<std::string>{"xy", "c", "a"}));
    // The empty alternative after "y" reports "x", not the "xy" the first one left behind.
    EXPECT_EQ(Find("x{y,}"), (std::vector<std::string>{"xy", "x"}));
}

TEST_F(SearchIndexTest, StarPatternsReportInTrieOrder) {
    EXPECT_EQ(Unique(Find("*t")),
              (std::vector<std::string>{"at", "cat", "coat", "cot", "ct", "eat"}));
}

TEST(SearchFileTest, ReadsThroughPreadFindWhatTheMapFinds) {
    // A root list of 200 nodes takes several reads; "ab..." words add references-free depth.
    // The "q" words make the array longer than one read, so that a walk coming back from the
    // "q" subtree to the root list must read that list again.
    std::vector<std::string> words = kWords;
    for (int c = 0x30; c < 0x30 + 200; ++c) {
        words.push_back(std::string(1, static_cast<char>(c)) + "z");
    }
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'z'; ++b) {
            words.push_back(std::string("q") + a + b + "s");
        }
    }
    std::vector<uint8_t> image;
    std::string error;
    ASSERT_TRUE(CDatabaseWriter::BuildWordList(words, &image, &error)) << error;
    CTempDir dir;
    std::string path = dir.WriteFile("words.dwg", image);
    CDataFile mapped, unmapped;
    CDataFileTestPeer::DisableMapping(unmapped);
    ASSERT_TRUE(mapped.OpenRead(path.c_str()));
    ASSERT_TRUE(unmapped.OpenRead(path.c_str()));
    ASSERT_TRUE(mapped.IsMapped());
    ASSERT_FALSE(unmapped.IsMapped());
    CSearchIndex a(&mapped, 0, true), b(&unmapped, 0, true);
    for (const char* query : {"*", "?z", "(3:tea)", "{c,x}*", "*t", "*s", "q?a*"}) {
        FoundWords fromMap, fromReads;
        CSearchIndex::ClearStop();
        EXPECT_EQ(a.Search(CollectWord, &fromMap, query, SEARCH_MODE_PATTERN), SEARCH_OK);
        EXPECT_EQ(b.Search(CollectWord, &fromReads, query, SEARCH_MODE_PATTERN), SEARCH_OK);
        EXPECT_EQ(fromMap.words, fromReads.words) << query;
        EXPECT_FALSE(fromMap.words.empty()) << query;
    }
    FoundWords sounds;
    EXPECT_EQ(b.Search(CollectWord, &sounds, "kat", SEARCH_MODE_PHONETIC), SEARCH_OK);
    EXPECT_EQ(sounds.words, (std::vector<std::string>{"cat", "coat", "cot", "ct"}));
}

TEST_F(SearchIndexTest, AGroupIsRestoredForLaterAttempts) {
    // The group is sorted and its ")" cut off while it matches; every later attempt of the
    // "*" before it must see the pattern whole again.
    int status = -1;
    EXPECT_EQ(Sorted(Unique(Find("c*(ta)", &status))),
              (std::vector<std::string>{"c", "cat", "coat", "cot", "ct"}));
    EXPECT_EQ(status, SEARCH_OK);
}

TEST_F(SearchIndexTest, ADecliningCallbackTruncatesAtThatWord) {
    FoundWords found;
    found.stopAfter = 3;
    EXPECT_EQ(fixture_.Search("*", SEARCH_MODE_PATTERN, &found), SEARCH_TRUNCATED);
    EXPECT_EQ(found.words, (std::vector<std::string>{"a", "a", "a.m."}));
}

TEST_F(SearchIndexTest, AStopEndsTheSearchAtTheNextStep) {
    FoundWords found;
    found.stopRequestAfter = 2;
    CSearchIndex::ClearStop();
    EXPECT_EQ(fixture_.Index().Search(CollectWord, &found, "*", SEARCH_MODE_PATTERN),
              SEARCH_CANCELLED);
    EXPECT_EQ(found.words.size(), 2u);

    // A stop asked for before the search starts holds for it.
    FoundWords none;
    EXPECT_EQ(fixture_.Index().Search(CollectWord, &none, "*", SEARCH_MODE_PATTERN),
              SEARCH_CANCELLED);
    EXPECT_TRUE(none.words.empty());
    CSearchIndex::ClearStop();
}

TEST_F(SearchIndexTest, QueriesOverTheBuffersAreRefused) {
    int status = -1;
    EXPECT_EQ(Unique(Find(k127, &status)), kWords);  // 127 bytes fit
    EXPECT_EQ(status, SEARCH_OK);
    EXPECT_TRUE(Find(std::string(128, '*'), &status).empty());
    EXPECT_EQ(status, SEARCH_INVALID_QUERY);
    FoundWords found;
    EXPECT_EQ(fixture_.Search(std::string(200, 'a'), SEARCH_MODE_PHONETIC, &found),
              SEARCH_INVALID_QUERY);
}

TEST_F(SearchIndexTest, AnUnknownModeIsAnInvalidQuery) {
    FoundWords found;
    EXPECT_EQ(fixture_.Search("cat", 7, &found), SEARCH_INVALID_QUERY);
    EXPECT_TRUE(found.words.empty());
}

TEST(NormalizePatternTest, CollapsesAndDrops) {
    struct Case {
        const char* in;
        bool ignoreSpaces, ignorePunctuation;
        const char* out;
        bool kept;
    };
    const Case cases[] = {
        {"a**?*b", true, false, "a*b", true},
        {"?*", true, false, "*", true},
        {"??", true, false, "??", true},
        {"*?", true, false, "*", true},
        {"ice cream", true, false, "icecream", true},
        {"ice cream", false, false, "ice cream", true},
        {"a.b-c", true, true, "abc", true},
        {"a.b", true, false, "a.b", true},
        {"(a.b)", true, true, "(ab)", true},
        {"([])", true, false, "", false},
        {"({}x)", true, false, "(x)", true},
        {" ", true, false, "", false},
        {"[?]", true, true, "[?]", true},
    };
    CDataFile unopened;
    CSearchIndex index(&unopened, 0, true);
    for (const Case& c : cases) {
        index.SetFlags(c.ignoreSpaces, c.ignorePunctuation);
        char buffer[SEARCH_MAX_QUERY + 1];
        std::snprintf(buffer, sizeof buffer, "%s", c.in);
        EXPECT_EQ(index.NormalizePattern(buffer), c.kept) << c.in;
        EXPECT_STREQ(buffer, c.out) << c.in;
    }
}

TEST(IgnorableTest, FollowsTheTwoFlags) {
    CDataFile unopened;
    CSearchIndex index(&unopened, 0, true);
    index.SetFlags(true, false);
    for (uint8_t c : {9, 10, 13, 32}) {
        EXPECT_TRUE(index.IsIgnorable(c)) << int(c);
    }
    EXPECT_FALSE(index.IsIgnorable('.'));
    index.SetFlags(false, true);
    for (uint8_t c : {uint8_t{' '}, uint8_t{'.'}, uint8_t{'A'}, uint8_t{0xE9}, uint8_t{'?'}}) {
        EXPECT_TRUE(index.IsIgnorable(c)) << int(c);
    }
    for (uint8_t c : {uint8_t{'a'}, uint8_t{'z'}, uint8_t{'0'}, uint8_t{'9'}}) {
        EXPECT_FALSE(index.IsIgnorable(c)) << int(c);
    }
    index.SetFlags(false, false);
    EXPECT_FALSE(index.IsIgnorable(' '));
    std::string patternChars;
    for (int c = 1; c < 256; ++c) {
        if (CSearchIndex::IsPatternChar(static_cast<uint8_t>(c))) {
            patternChars.push_back(static_cast<char>(c));
        }
    }
    EXPECT_EQ(patternChars, "()*,:?[]{}");
}

// A chain of 'q' nodes deeper than any word may be, each one a word, written by hand: the
// search builds words of at most 128 characters and never looks below them.
std::vector<uint8_t> DeepChain(int depth) {
    std::vector<uint8_t> bytes(4 * (depth + 2));
    lcv::EncodeFixed32(bytes.data(), static_cast<uint32_t>(depth));
    for (int i = 1; i <= depth; ++i) {
        uint32_t child = i < depth ? static_cast<uint32_t>(i + 1) : 0;
        lcv::EncodeFixed32(bytes.data() + 4 * i, lcv::MakeNode('q', true, true, child));
    }
    lcv::EncodeFixed32(bytes.data() + 4 * (depth + 1), lcv::kTrieTrailer);
    return bytes;
}

TEST(SearchDepthTest, WordsEndAt128Characters) {
    CSearchFixture fixture;
    fixture.OpenBytes(DeepChain(140), true);
    FoundWords found;
    EXPECT_EQ(fixture.Search("*", SEARCH_MODE_PATTERN, &found), SEARCH_OK);
    std::vector<std::string> words = Unique(found.words);
    ASSERT_EQ(words.size(), 128u);
    EXPECT_EQ(words.back(), std::string(128, 'q'));

    FoundWords grouped;
    EXPECT_EQ(fixture.Search("q(q)*", SEARCH_MODE_PATTERN, &grouped), SEARCH_OK);
    EXPECT_EQ(grouped.words.back().size(), 128u);

    FoundWords sounds;
    EXPECT_EQ(fixture.Search("kuku", SEARCH_MODE_PHONETIC, &sounds), SEARCH_OK);
}

TEST(SearchDepthTest, TheLongestWordTheWriterTakesIsFound) {
    CSearchFixture fixture;
    std::string longest(128, 'b');
    fixture.OpenWords({longest, "b"});
    FoundWords found;
    EXPECT_EQ(fixture.Search("b*b", SEARCH_MODE_PATTERN, &found), SEARCH_OK);
    EXPECT_EQ(found.words, std::vector<std::string>{longest});
}

TEST(SearchDataTest, AChildBeyondTheArrayIsADataError) {
    // 'a' (a word) whose child index points past N.
    std::vector<uint8_t> bytes(12);
    lcv::EncodeFixed32(bytes.data(), 1);
    lcv::EncodeFixed32(bytes.data() + 4, lcv::MakeNode('a', true, true, 9));
    lcv::EncodeFixed32(bytes.data() + 8, lcv::kTrieTrailer);
    CSearchFixture fixture;
    fixture.OpenBytes(bytes, true);
    FoundWords found;
    EXPECT_EQ(fixture.Search("*", SEARCH_MODE_PATTERN, &found), SEARCH_DATA_ERROR);
    EXPECT_EQ(Unique(found.words), std::vector<std::string>{"a"});
    FoundWords sounds;
    EXPECT_EQ(fixture.Search("a", SEARCH_MODE_PHONETIC, &sounds), SEARCH_DATA_ERROR);
}

TEST(SearchDataTest, ChildLinksThatLoopStayBounded) {
    // Two nodes that are each other's only child: every path is a word, forever.
    std::vector<uint8_t> bytes(16);
    lcv::EncodeFixed32(bytes.data(), 2);
    lcv::EncodeFixed32(bytes.data() + 4, lcv::MakeNode('a', true, false, 1));
    lcv::EncodeFixed32(bytes.data() + 8, lcv::MakeNode('b', true, true, 1));
    lcv::EncodeFixed32(bytes.data() + 12, lcv::kTrieTrailer);
    // Paths of up to 128 characters: 2^128 words, so only the time limit ends the walk.
    CSearchFixture fixture;
    fixture.OpenBytes(bytes, true);
    fixture.Index().SetTimeLimit(std::chrono::milliseconds(0));
    FoundWords found;
    EXPECT_EQ(fixture.Search("a*", SEARCH_MODE_PATTERN, &found), SEARCH_CANCELLED);
    EXPECT_FALSE(found.words.empty());
    FoundWords sounds;
    EXPECT_EQ(fixture.Search("ab", SEARCH_MODE_PHONETIC, &sounds), SEARCH_CANCELLED);
}

// Patterns whose walk grows exponentially with their length: 2^n ways through n empty
// alternatives, each one step or more.
std::string Empties(int n) {
    std::string empties;
    for (int i = 0; i < n; ++i) {
        empties += "{,}";
    }
    return empties;
}

TEST_F(SearchIndexTest, ALongSearchEndsOnlyWhenItIsDone) {
    // Far more steps than the trie has nodes, each way through finding the same words.
    int status = -1;
    EXPECT_TRUE(Find(Empties(18) + "zzz", &status).empty());
    EXPECT_EQ(status, SEARCH_OK);
    EXPECT_EQ(Sorted(Unique(Find(Empties(16) + "{c,x}*", &status))),
              (std::vector<std::string>{"c", "cat", "coat", "cot", "ct", "x", "xy"}));
    EXPECT_EQ(status, SEARCH_OK);
}

// With the time limit at nothing, a search ends at its first look at the clock: the words
// found up to there stay found, and the search counts as cancelled, not truncated.
TEST_F(SearchIndexTest, TheTimeLimitCancelsASearchThatRunsPastIt) {
    fixture_.Index().SetTimeLimit(std::chrono::milliseconds(0));
    std::string optional;
    for (int i = 0; i < 30; ++i) {
        optional += "{,?}";
    }
    const std::string patterns[] = {Empties(40) + "a", optional,
                                    "(" + std::string(60, '?') + "abcdefghijklmnopqrstuvwxyz)"};
    for (const std::string& pattern : patterns) {
        ASSERT_LE(pattern.size(), 127u) << pattern;
        int status = -1;
        Find(pattern, &status);
        EXPECT_EQ(status, SEARCH_CANCELLED) << pattern;
    }
    int status = -1;
    std::vector<std::string> words = Find(Empties(40) + "a", &status);
    EXPECT_FALSE(words.empty());
    EXPECT_TRUE(std::all_of(words.begin(), words.end(), [](auto& w) { return w == "a"; }));
    // A search shorter than one look at the clock is done before the limit counts.
    EXPECT_EQ(Find("c?t", &status), (std::vector<std::string>{"cat", "cot"}));
    EXPECT_EQ(status, SEARCH_OK);
}

TEST(SearchDictionaryTest, EntryReferencesBetweenNodesArePassedOver) {
    // In a dictionary trie each word's references stand right after its node.
    CDatabaseWriter writer;
    writer.SetTextStream("record\n");
    for (const char* word : {"cat", "cats", "cot", "dog"}) {
        writer.AddWord(word, {lcv::MakeRef(lcv::ENTRY_NOUN, 0), lcv::MakeRef(lcv::ENTRY_VERB, 0)});
    }
    std::vector<uint8_t> image;
    std::string error;
    ASSERT_TRUE(writer.BuildImage(&image, &error)) << error;
    CTempDir dir;
    std::string path = dir.WriteFile("small.lcv", image);
    CDataFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    CSearchIndex index(&file, lcv::DecodeFixed32(image.data() + lcv::kHeaderTrieOffset), false);
    ASSERT_EQ(index.Status(), 0);
    FoundWords found;
    CSearchIndex::ClearStop();
    EXPECT_EQ(index.Search(CollectWord, &found, "c*", SEARCH_MODE_PATTERN), SEARCH_OK);
    EXPECT_EQ(Unique(found.words), (std::vector<std::string>{"cat", "cats", "cot"}));
    FoundWords sounds;
    EXPECT_EQ(index.Search(CollectWord, &sounds, "kat", SEARCH_MODE_PHONETIC), SEARCH_OK);
    EXPECT_EQ(sounds.words, (std::vector<std::string>{"cat", "cot"}));
}

}  // namespace
