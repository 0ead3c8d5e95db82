#include "db/dictionary_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "db/format.h"
#include "search/search_status.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

std::string Lookup(CDictionaryDatabase& db, const char* text, uint32_t* number, bool* found) {
    char buffer[LOOKUP_BUFFER_SIZE];
    std::strcpy(buffer, text);
    *found = db.LookupWord(buffer, number);
    return buffer;
}

class DictionaryDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uint32_t noun = fixture_.Append("word\nthe gloss\n");
        auto sense = [&] { return std::vector<uint32_t>{lcv::MakeRef(lcv::ENTRY_NOUN, noun)}; };
        for (const char* w : {"book", "box", "fly", "try", "use", "walk", "news", "new", "goose",
                              "cat", "cats", "wheel", "a"}) {
            fixture_.AddWord(w, sense());
        }
        uint32_t toGoose = fixture_.Append("Goose\n");
        fixture_.AddWord("geese", {lcv::MakeRef(lcv::ENTRY_REDIRECT, toGoose)});
        uint32_t toNothing = fixture_.Append("gander\n");
        fixture_.AddWord("ganders", {lcv::MakeRef(lcv::ENTRY_REDIRECT, toNothing)});
        uint32_t toCat = fixture_.Append("cat\n");
        fixture_.AddWord("kitty", {lcv::MakeRef(lcv::ENTRY_REDIRECT, toCat),
                                   lcv::MakeRef(lcv::ENTRY_NOUN, noun)});
        uint32_t broken = fixture_.Append(std::string("bro\0ken\n", 8));
        fixture_.AddWord("broke", {lcv::MakeRef(lcv::ENTRY_REDIRECT, broken)});
        path_ = dir_.Path() + "wordnet.lcv";
        fixture_.Write(path_);
        ASSERT_TRUE(db_.Open(path_.c_str()));
    }

    CTempDir dir_;
    CFixtureWriter fixture_;
    std::string path_;
    CDictionaryDatabase db_;
};

TEST_F(DictionaryDatabaseTest, LookupAsTheUserMeansIt) {
    struct Case {
        const char* typed;
        const char* found;  // the buffer afterwards
        bool ok;
        bool redirectKeepsOwnNumber = false;
    } cases[] = {
        {"BOOK", "book", true},
        {"books", "book", true},
        {"boxes", "box", true},
        {"flies", "fly", true},
        {"tried", "try", true},
        {"used", "use", true},
        {"walked", "walk", true},
        {"news", "news", true},
        {"Cats", "cats", true},
        {"geese", "goose", true},
        {"kitty", "kitty", true},
        {"wheels", "wheel", true},
        {"as", "as", false},
        {"aS", "as", false},
        {"zzs", "zzs", false},
        {"ganders", "gander", false},
        {"broke", "broke", false, true},
        {"walkies", "walk", true},
        {"", "", false},
        {"Unknown", "unknown", false},
    };
    for (const Case& c : cases) {
        uint32_t n = 99;
        bool ok = false;
        std::string buffer = Lookup(db_, c.typed, &n, &ok);
        EXPECT_EQ(ok, c.ok) << c.typed;
        EXPECT_EQ(buffer, c.found) << c.typed;
        if (c.ok) {
            EXPECT_EQ(n, db_.FindWord(c.found)) << c.typed;
        } else if (c.redirectKeepsOwnNumber) {
            EXPECT_EQ(n, db_.FindWord(c.typed)) << c.typed;
        } else {
            EXPECT_EQ(n, 0u) << c.typed;
        }
    }
}

TEST_F(DictionaryDatabaseTest, ThreeLetterTextTriesOnlyTheFormWithoutS) {
    // "cas" is not a word and "ca" is not either; "as" must not be tried as "a".
    uint32_t n = 0;
    bool ok = true;
    EXPECT_EQ(Lookup(db_, "cas", &n, &ok), "cas");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Lookup(db_, "as", &n, &ok), "as");
    EXPECT_FALSE(ok);
}

TEST_F(DictionaryDatabaseTest, ScrollSlotsAndRandomWords) {
    const CPrefixTable* table = db_.PrefixTable();
    for (int s = 1; s < 1024; ++s) {
        ASSERT_LE(table->Entry(s - 1), table->Entry(s));
    }
    EXPECT_EQ(db_.PrefixSlot(""), 0);
    EXPECT_EQ(db_.PrefixSlot("~~~~"), 1022);
    char prefix[5];
    table->PrefixAt(1024, prefix);
    EXPECT_STREQ(prefix, "~");
    table->PrefixAt(-5, prefix);
    EXPECT_STREQ(prefix, "a");

    // A clock that never moves: the draws still vary thanks to the running seed, and the
    // outcome is the same on every run.
    db_.SetTimeSource([] { return 1234u; });
    std::set<std::string> drawn;
    for (int k = 0; k < 200; ++k) {
        char word[RANDOM_WORD_BUFFER_SIZE];
        EXPECT_TRUE(db_.RandomWord(word, db_.LookupIndex()));
        drawn.insert(word);
    }
    // Far fewer than 150 words follow any prefix, so a draw is often "welcome", but not always.
    EXPECT_GT(drawn.size(), 1u);
}

uint32_t FixedTime() {
    return 1234;
}

TEST_F(DictionaryDatabaseTest, RandomWordPastTheEndKeepsWelcome) {
    db_.SetTimeSource(FixedTime);
    CTempDir dir;
    std::string path = dir.Path() + "late.dwg";
    std::string error;
    ASSERT_TRUE(CDatabaseWriter::WriteWordList({"aa"}, path, &error)) << error;
    CDataFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    CLookupIndex list(&file, 0, true);
    for (int k = 0; k < 20; ++k) {
        char word[RANDOM_WORD_BUFFER_SIZE];
        db_.RandomWord(word, &list);
        EXPECT_STREQ(word, "welcome");  // one word, at or before every prefix but "a"
    }
}

TEST(DatabaseSlots, SlotOfBothEndsAndOnAnEntry) {
    CTempDir dir;
    CFixtureWriter fixture;
    uint32_t rec = fixture.Append("r\n");
    // 2048 words with distinct four-byte prefixes: entry s is the word at 2s.
    for (int i = 0; i < 2048; ++i) {
        char w[8] = {'w',
                     static_cast<char>('a' + i / 676),
                     static_cast<char>('a' + i / 26 % 26),
                     static_cast<char>('a' + i % 26),
                     'x',
                     '\0'};
        fixture.AddWord(w, {lcv::MakeRef(lcv::ENTRY_NOUN, rec)});
    }
    std::string path = dir.Path() + "s.lcv";
    fixture.Write(path);
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(path.c_str()));
    EXPECT_EQ(db.PrefixSlot("a"), 0);
    EXPECT_EQ(db.PrefixSlot("zzz"), 1022);
    char p[5];
    db.PrefixTable()->PrefixAt(500, p);
    EXPECT_EQ(db.PrefixSlot(p), 500) << p;
}

// Header faults: each gives status 2 and the user sees the same start-up failure.
TEST(DatabaseOpen, DamagedFilesAreRefused) {
    CFixtureWriter fixture;
    uint32_t rec = fixture.Append("r\n");
    fixture.AddWord("a", {lcv::MakeRef(lcv::ENTRY_NOUN, rec)});
    const std::vector<uint8_t> good = fixture.Image();
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool opens;
    } cases[] = {
        {"good", good, true},
        {"wrong magic",
         [&] {
             auto b = good;
             b[1] = 0x99;
             return b;
         }(),
         false},
        {"magic bytes swapped",
         [&] {
             auto b = good;
             std::swap(b[0], b[1]);
             return b;
         }(),
         false},
        {"63 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 63), false},
        {"empty", {}, false},
        {"trie offset past the end",
         [&] {
             auto b = good;
             b[7] = 0x7F;
             return b;
         }(),
         false},
        {"trailer damaged",
         [&] {
             auto b = good;
             uint32_t trie = lcv::DecodeFixed32(&b[4]);
             uint32_t n = lcv::DecodeFixed32(&b[trie]);
             b[trie + 4 * (n + 1)] ^= 1;
             return b;
         }(),
         false},
        {"prefix table unreadable",
         [&] {
             auto b = good;
             b[11] = 0x7F;
             return b;
         }(),
         true},
        {"directory unreadable",
         [&] {
             auto b = good;
             b[15] = 0x7F;
             return b;
         }(),
         true},
    };
    for (const Case& c : cases) {
        CTempDir dir;
        std::string path =
            dir.WriteFile("wordnet.lcv", std::string(c.bytes.begin(), c.bytes.end()));
        CDictionaryDatabase db;
        EXPECT_EQ(db.Open(path.c_str()), c.opens) << c.name;
        EXPECT_EQ(db.Status(), c.opens ? 0 : DATABASE_OPEN_FAILED) << c.name;
    }
    CDictionaryDatabase missing;
    EXPECT_FALSE(missing.Open("/nonexistent/wordnet.lcv"));
    EXPECT_EQ(missing.Status(), DATABASE_OPEN_FAILED);
    EXPECT_EQ(missing.File(), nullptr);
}

TEST(DatabaseOpen, DamagedSideSectionsShowAsEmptyData) {
    CFixtureWriter fixture;
    uint32_t rec = fixture.Append("r\n");
    fixture.AddWord("a", {lcv::MakeRef(lcv::ENTRY_NOUN, rec)});
    auto bytes = fixture.Image();
    bytes[11] = 0x7F;  // prefix table far past the end
    bytes[15] = 0x7F;  // directory likewise
    CTempDir dir;
    std::string path = dir.WriteFile("wordnet.lcv", std::string(bytes.begin(), bytes.end()));
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(path.c_str()));
    EXPECT_EQ(db.PrefixTable()->Entry(0), 0u);
    EXPECT_EQ(db.BlockStore()->BlockCount(), 0u);
    uint32_t length;
    EXPECT_EQ(db.BlockStore()->ReadRecord(rec, &length), nullptr);
    EXPECT_NE(db.FindWord("a"), 0u);
}

int RenderNothing(void*, const char*, int, int) {
    return 1;
}

bool CountWord(void* context, const char*, uint32_t) {
    ++*static_cast<int*>(context);
    return true;
}

// Another program cuts the database short while it is open: lookups, pages and searches over
// the lost part fail as unreadable data, and none of them ends the program.
TEST(DatabaseCutShort, ReadsOverTheLostPartFailWithoutEndingTheProgram) {
    CTempDir dir;
    CFixtureWriter fixture;
    uint32_t noun = fixture.Append("word\nthe gloss\n");
    char word[8];
    for (int i = 0; i < 3000; ++i) {
        std::snprintf(word, sizeof word, "w%04d", i);
        fixture.AddWord(word, {lcv::MakeRef(lcv::ENTRY_NOUN, noun)});
    }
    std::string path = dir.Path() + "wordnet.lcv";
    fixture.Write(path);
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(path.c_str()));
    ASSERT_TRUE(db.File()->IsMapped());
    uint32_t number = 0;
    bool found = false;
    ASSERT_EQ(Lookup(db, "w2999", &number, &found), "w2999");
    ASSERT_TRUE(found);
    uint32_t last = number;

    ASSERT_EQ(::truncate(path.c_str(), 4096), 0);  // the header and the first page stay
    int seen = 0;
    EXPECT_EQ(db.SearchWords(CountWord, &seen, "w29*", SEARCH_MODE_PATTERN, nullptr),
              SEARCH_DATA_ERROR);
    Lookup(db, "w2998", &number, &found);
    EXPECT_FALSE(found);
    EXPECT_FALSE(db.RenderEntry(RenderNothing, nullptr, "w2999", last, 0));
    EXPECT_EQ(db.SearchWords(CountWord, &seen, "w29*", SEARCH_MODE_PATTERN, nullptr),
              SEARCH_DATA_ERROR);
}

}  // namespace
