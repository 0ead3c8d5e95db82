#include "db/word_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/data_file.h"
#include "db/database_writer.h"
#include "db/format.h"
#include "support/temp_dir.h"

namespace {

// The trie of an, ant, at and be, written out by hand, little-endian:
// N = 6, then the nodes of the root list (a, b), a's children (n, t), b's (e), an's (t).
const std::vector<uint8_t> kExampleTrie = {
    0x06, 0x00, 0x00, 0x00,  // N
    0x03, 0x00, 0x00, 0x61,  // 1: 'a' child 3
    0x05, 0x00, 0x40, 0x62,  // 2: 'b' last, child 5
    0x06, 0x00, 0x80, 0x6E,  // 3: 'n' terminal, child 6
    0x00, 0x00, 0xC0, 0x74,  // 4: 't' terminal, last
    0x00, 0x00, 0xC0, 0x65,  // 5: 'e' terminal, last
    0x00, 0x00, 0xC0, 0x74,  // 6: 't' terminal, last
    0xFA, 0xFA, 0x00, 0x11,  // trailer
};

struct Collected {
    std::vector<std::string> words;
    std::vector<uint32_t> numbers;
    size_t stopAfter = SIZE_MAX;
};

bool Collect(void* context, const char* word, uint32_t number) {
    auto* c = static_cast<Collected*>(context);
    c->words.push_back(word);
    c->numbers.push_back(number);
    return c->words.size() < c->stopAfter;
}

class WordIndexTest : public ::testing::Test {
  protected:
    // Opens bytes as a trie section at offset 0.
    CLookupIndex& OpenBytes(const std::vector<uint8_t>& bytes, bool plain = true) {
        path_ = dir_.WriteFile("trie.dwg", std::string(bytes.begin(), bytes.end()));
        EXPECT_TRUE(file_.OpenRead(path_.c_str()));
        index_ = std::make_unique<CLookupIndex>(&file_, 0, plain);
        return *index_;
    }
    CLookupIndex& OpenWords(const std::vector<std::string>& words) {
        std::vector<uint8_t> image;
        std::string error;
        EXPECT_TRUE(CDatabaseWriter::BuildWordList(words, &image, &error)) << error;
        return OpenBytes(image);
    }
    std::vector<std::string> Walk(const char* prefix, bool forward) {
        Collected c;
        EXPECT_TRUE(index_->Enumerate(Collect, &c, prefix, forward));
        return c.words;
    }

    CTempDir dir_;
    std::string path_;
    CDataFile file_;
    std::unique_ptr<CLookupIndex> index_;
};

TEST_F(WordIndexTest, HandMadeExampleGivesItsWordNumbersAndOrder) {
    CLookupIndex& index = OpenBytes(kExampleTrie);
    ASSERT_EQ(index.Status(), INDEX_OK);
    EXPECT_EQ(index.Count(), 6u);
    EXPECT_EQ(index.Find("an"), 3u);
    EXPECT_EQ(index.Find("at"), 4u);
    EXPECT_EQ(index.Find("be"), 5u);
    EXPECT_EQ(index.Find("ant"), 6u);
    Collected c;
    EXPECT_TRUE(index.Enumerate(Collect, &c, "", true));
    EXPECT_EQ(c.words, (std::vector<std::string>{"an", "ant", "at", "be"}));
    EXPECT_EQ(c.numbers, (std::vector<uint32_t>{3, 6, 4, 5}));
}

// The writer lays the same words out depth first: an's child list (t) comes before be's (e).
TEST_F(WordIndexTest, WriterLaysOutTheExampleDepthFirstByteForByte) {
    const std::vector<uint8_t> depthFirst = {
        0x06, 0x00, 0x00, 0x00,  // N
        0x03, 0x00, 0x00, 0x61,  // 1: 'a' child 3
        0x06, 0x00, 0x40, 0x62,  // 2: 'b' last, child 6
        0x05, 0x00, 0x80, 0x6E,  // 3: 'n' terminal, child 5
        0x00, 0x00, 0xC0, 0x74,  // 4: 't' terminal, last (at)
        0x00, 0x00, 0xC0, 0x74,  // 5: 't' terminal, last (ant)
        0x00, 0x00, 0xC0, 0x65,  // 6: 'e' terminal, last (be)
        0xFA, 0xFA, 0x00, 0x11,  // trailer
    };
    std::vector<uint8_t> image;
    std::string error;
    ASSERT_TRUE(
        CDatabaseWriter::BuildWordList({"be", "at", "ant", "an", "at", ""}, &image, &error));
    EXPECT_EQ(image, depthFirst);
    OpenBytes(image);
    EXPECT_EQ(Walk("", true), (std::vector<std::string>{"an", "ant", "at", "be"}));
    EXPECT_EQ(index_->Find("ant"), 5u);
    EXPECT_EQ(index_->Find("be"), 6u);
}

TEST_F(WordIndexTest, FindCases) {
    OpenWords({"a", "an", "ant", "at", "be", "cat", "cats"});
    struct Case {
        const char* text;
        bool found;
    } cases[] = {
        {"a", true},    {"an", true}, {"ant", true},       {"cats", true},  {"ca", false},
        {"b", false},   {"", false},  {"antelope", false}, {"cat:3", true}, {"an:12", true},
        {"c:1", false}, {"z", false}, {"bee", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(index_->Find(c.text) != 0, c.found) << c.text;
    }
    EXPECT_EQ(index_->Find("cat:3"), index_->Find("cat"));
}

TEST_F(WordIndexTest, EnumerationFromWordsNonWordsAndEnds) {
    OpenWords({"an", "ant", "at", "be", "cat", "cats", "dog"});
    using V = std::vector<std::string>;
    struct Case {
        const char* prefix;
        bool forward;
        V expected;
    } cases[] = {
        {"cat", true, {"cat", "cats", "dog"}},
        {"cat", false, {"be", "at", "ant", "an"}},
        {"cats", false, {"cat", "be", "at", "ant", "an"}},
        {"b", true, {"be", "cat", "cats", "dog"}},
        {"b", false, {"at", "ant", "an"}},
        {"bz", true, {"cat", "cats", "dog"}},
        {"ao", false, {"ant", "an"}},
        {"", true, {"an", "ant", "at", "be", "cat", "cats", "dog"}},
        {"", false, {}},
        {"~", true, {}},
        {"~", false, {"dog", "cats", "cat", "be", "at", "ant", "an"}},
        {"a", true, {"an", "ant", "at", "be", "cat", "cats", "dog"}},
        {"a", false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Walk(c.prefix, c.forward), c.expected)
            << "prefix '" << c.prefix << "' " << (c.forward ? "forward" : "backward");
    }
}

TEST_F(WordIndexTest, StoppingCallbackEndsTheWalkAfterOneCall) {
    OpenWords({"an", "ant", "at"});
    for (bool forward : {true, false}) {
        Collected c;
        c.stopAfter = 1;
        EXPECT_FALSE(index_->Enumerate(Collect, &c, forward ? "" : "~", forward));
        EXPECT_EQ(c.words.size(), 1u);
    }
}

TEST_F(WordIndexTest, PlainTrieTakesHighBytes) {
    OpenWords({"caf\xE9", "caf", "\xFFz", "na\xEFve"});
    EXPECT_NE(index_->Find("caf\xE9"), 0u);
    EXPECT_NE(index_->Find("\xFFz"), 0u);
    EXPECT_EQ(Walk("", true), (std::vector<std::string>{"caf", "caf\xE9", "na\xEFve", "\xFFz"}));
    uint32_t refs[4];
    EXPECT_EQ(index_->ReadEntryRefs(index_->Find("caf"), refs, 4), 0);
}

TEST_F(WordIndexTest, DamagedSectionReportsStatusFive) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty file", {}},
        {"count only", {0x06, 0, 0, 0}},
        {"trailer wrong",
         [] {
             auto b = kExampleTrie;
             b[28] ^= 0x01;  // first byte of the trailer
             return b;
         }()},
        {"count past the file",
         [] {
             auto b = kExampleTrie;
             b[0] = 0x60;
             return b;
         }()},
        {"huge count",
         [] {
             auto b = kExampleTrie;
             b[3] = 0xFF;
             return b;
         }()},
    };
    for (const Case& c : cases) {
        CTempDir dir;
        std::string path = dir.WriteFile("t", std::string(c.bytes.begin(), c.bytes.end()));
        CDataFile file;
        ASSERT_TRUE(file.OpenRead(path.c_str()));
        CLookupIndex index(&file, 0, true);
        EXPECT_EQ(index.Status(), INDEX_DATA_ERROR) << c.name;
        EXPECT_EQ(index.Find("an"), 0u) << c.name;
    }
}

// A damaged trie whose nodes point back at their own list: the walks must neither write past
// the 129-byte word buffer nor recurse without end.
TEST_F(WordIndexTest, LoopingChildLinksStayBounded) {
    std::vector<uint8_t> bytes = {0x02, 0,    0,    0,
                                  0x01, 0x00, 0x80, 0x61,  // 'a' terminal, child 1 (itself)
                                  0x01, 0x00, 0xC0, 0x62,  // 'b' terminal, last, child 1
                                  0xFA, 0xFA, 0x00, 0x11};
    OpenBytes(bytes);
    size_t longest = 0;
    Collected c;
    c.stopAfter = 100000;
    index_->Enumerate(Collect, &c, "", true);
    for (const auto& w : c.words) {
        longest = std::max(longest, w.size());
    }
    EXPECT_LE(longest, 128u);
    Collected back;
    back.stopAfter = 100000;
    index_->Enumerate(Collect, &back, "~", false);
    for (const auto& w : back.words) {
        EXPECT_LE(w.size(), 128u);
    }
}

TEST_F(WordIndexTest, WordOf128BytesIsTheLongest) {
    std::string longest(128, 'q');
    OpenWords({longest, "q"});
    EXPECT_NE(index_->Find(longest.c_str()), 0u);
    EXPECT_EQ(Walk("", true), (std::vector<std::string>{"q", longest}));
    EXPECT_EQ(Walk("~", false), (std::vector<std::string>{longest, "q"}));
}

TEST_F(WordIndexTest, ReadOutsideTheArrayGivesZero) {
    CLookupIndex& index = OpenBytes(kExampleTrie);
    EXPECT_EQ(index.ReadTrieWord(0), 0u);
    EXPECT_EQ(index.ReadTrieWord(7), 0u);  // the trailer is not an array word
    uint32_t i = 6;
    EXPECT_NE(index.NextNode(&i, +1), 0u);
    EXPECT_EQ(index.NextNode(&i, +1), 0u);
    EXPECT_EQ(index.Status(), INDEX_OK);
}

}  // namespace
