// The meaning index: built by the builder into a fixture database, read back and ranked; a
// hand-made section; files without the index; damaged sections.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "search/meaning_terms.h"
#include "search/search_status.h"
#include "support/fixture_writer.h"
#include "support/meaning_fixture.h"
#include "support/temp_dir.h"

namespace {

const MeaningSense kSenses[] = {
    {{"arachnophobia"}, "a morbid fear of spiders", "an anxiety disorder of unreasonable fear"},
    {{"spider"}, "predatory arachnid with eight legs that spins webs", "a small animal"},
    {{"fear", "dread"}, "an emotion experienced in anticipation of danger", "a feeling"},
    {{"acrophobia"}, "a morbid fear of great heights", "an anxiety disorder of unreasonable fear"},
    {{"bibliophile", "book lover"},
     "someone who loves (and usually collects) books",
     "a person who loves something"},
    {{"web", "spider web"}, "a trap made of silk that spiders spin", "a trap"},
    // Synonyms: "extreme tiredness" is found through "fatigue", a word of the sense that
    // "tiredness" names.
    {{"tiredness", "fatigue", "weariness"}, "temporary loss of strength and energy", "a state"},
    {{"exhaustion"}, "extreme fatigue", "a condition"},
    {{"extremist"}, "a person who holds extreme views", "a radical"},
    // Echoes: the same gloss, but one word repeats a term of "a store that sells hats".
    {{"hat shop"}, "a store where hats are sold", "a store"},
    {{"millinery"}, "a store where hats are sold", "a store"},
};

std::vector<std::string> Words(CDictionaryDatabase& db,
                               const std::vector<CMeaningIndex::Hit>& hits) {
    std::vector<std::string> out;
    char word[129];
    for (const CMeaningIndex::Hit& hit : hits) {
        out.push_back(db.WordOf(hit.number, word, sizeof word) ? word : "?");
    }
    return out;
}

class MeaningIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const uint32_t record = fixture_.Append("word\nthe gloss\n");
        AddMeaningSenses(&fixture_, kSenses, record);
        fixture_.AddWord("unindexed", {lcv::MakeRef(lcv::ENTRY_NOUN, record)});
    }
    void Open(const std::vector<uint8_t>& image) {
        ASSERT_TRUE(db_.Open(dir_.WriteFile("wordnet.lcv", image).c_str()));
    }
    // The first section of the image and its bounds.
    static void SectionOf(const std::vector<uint8_t>& image, uint32_t* offset, uint32_t* length) {
        uint32_t directory = lcv::DecodeFixed32(image.data() + lcv::kHeaderSectionDirectory);
        *offset = lcv::DecodeFixed32(image.data() + directory + 8);
        *length = lcv::DecodeFixed32(image.data() + directory + 12);
    }

    CTempDir dir_;
    CFixtureWriter fixture_;
    CDictionaryDatabase db_;
};

TEST_F(MeaningIndexTest, DescriptionsFindTheirWordsFirst) {
    Open(fixture_.Image());
    ASSERT_TRUE(db_.MeaningIndex().Available());
    struct Case {
        const char* description;
        const char* first;
    } cases[] = {
        {"fear of spiders", "arachnophobia"},
        {"FEAR of a SPIDER", "arachnophobia"},
        {"being afraid of great heights", "acrophobia"},
        {"a person who loves books", "bibliophile"},
        {"silk trap", "spider web"},  // ties between the words of a sense go by word number
        {"extreme tiredness", "exhaustion"},
        {"extremely tired", "exhaustion"},  // "tired" names no sense: no synonyms, still first
        {"a store that sells hats", "millinery"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        std::vector<CMeaningIndex::Hit> hits;
        int status = db_.SearchMeaning(c.description, 10, &hits);
        EXPECT_TRUE(status == SEARCH_OK || status == SEARCH_TRUNCATED) << status;
        ASSERT_FALSE(hits.empty());
        EXPECT_EQ(Words(db_, hits)[0], c.first);
        for (size_t i = 1; i < hits.size(); ++i) {
            EXPECT_GE(hits[i - 1].score, hits[i].score);
        }
    }
}

TEST_F(MeaningIndexTest, WordsOfTheDescriptionItselfAreLeftOut) {
    Open(fixture_.Image());
    std::vector<CMeaningIndex::Hit> hits;
    db_.SearchMeaning("fear spider", 10, &hits);
    for (const std::string& w : Words(db_, hits)) {
        EXPECT_NE(w, "fear");
        EXPECT_NE(w, "spider");
    }
    EXPECT_EQ(Words(db_, hits)[0], "arachnophobia");
}

TEST_F(MeaningIndexTest, StatusesFollowTheSearches) {
    Open(fixture_.Image());
    std::vector<CMeaningIndex::Hit> hits;
    EXPECT_EQ(db_.SearchMeaning("", 10, &hits), SEARCH_INVALID_QUERY);
    EXPECT_EQ(db_.SearchMeaning("of the and a", 10, &hits), SEARCH_INVALID_QUERY);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(db_.SearchMeaning("zzyzx quux", 10, &hits), SEARCH_OK);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(db_.SearchMeaning("fear", 1, &hits), SEARCH_TRUNCATED);
    EXPECT_EQ(hits.size(), 1u);
    CSearchIndex::RequestStop();
    EXPECT_EQ(db_.SearchMeaning("fear", 10, &hits), SEARCH_CANCELLED);
    CSearchIndex::ClearStop();
}

TEST_F(MeaningIndexTest, AsASearchModeTheWordsComeBestFirstUpToTheLimit) {
    Open(fixture_.Image());
    struct Taken {
        std::vector<std::string> words;
        size_t limit;
    } taken{{}, 2};
    auto take = [](void* context, const char* word, uint32_t) {
        auto* t = static_cast<Taken*>(context);
        t->words.emplace_back(word);
        return t->words.size() < t->limit;
    };
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear of spiders", SEARCH_MODE_MEANING, ""),
              SEARCH_TRUNCATED);
    ASSERT_EQ(taken.words.size(), 2u);
    EXPECT_EQ(taken.words[0], "arachnophobia");
    taken = {{}, 100};
    EXPECT_EQ(db_.SearchWords(take, &taken, "silk trap", SEARCH_MODE_MEANING, ""), SEARCH_OK);
    EXPECT_FALSE(taken.words.empty());
    EXPECT_EQ(db_.SearchWords(take, &taken, "the", SEARCH_MODE_MEANING, ""), SEARCH_INVALID_QUERY);
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear", SEARCH_MODE_MEANING, "/words.dwg"),
              SEARCH_INVALID_QUERY);
}

TEST_F(MeaningIndexTest, APatternNarrowsTheWordsBeforeTheLimitCountsThem) {
    Open(fixture_.Image());
    struct Taken {
        std::vector<std::string> words;
        size_t limit;
    } taken{{}, 1};
    auto take = [](void* context, const char* word, uint32_t) {
        auto* t = static_cast<Taken*>(context);
        t->words.emplace_back(word);
        return t->words.size() < t->limit;
    };
    // acrophobia ranks below arachnophobia; the pattern leaves it first, within a limit of 1.
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear of spiders", SEARCH_MODE_MEANING, "", "ac*"),
              SEARCH_TRUNCATED);
    EXPECT_EQ(taken.words, std::vector<std::string>{"acrophobia"});
    taken = {{}, 100};
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear of spiders", SEARCH_MODE_MEANING, "", "*phobia"),
              SEARCH_OK);
    EXPECT_EQ(taken.words, (std::vector<std::string>{"arachnophobia", "acrophobia"}));
    taken = {{}, 100};
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear of spiders", SEARCH_MODE_MEANING, "", "z*"),
              SEARCH_OK);
    EXPECT_TRUE(taken.words.empty());
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear", SEARCH_MODE_MEANING, "", "()"),
              SEARCH_INVALID_QUERY);
    // An empty pattern narrows nothing.
    EXPECT_EQ(db_.SearchWords(take, &taken, "fear of spiders", SEARCH_MODE_MEANING, "", ""),
              SEARCH_OK);
    EXPECT_FALSE(taken.words.empty());
}

TEST_F(MeaningIndexTest, TermsAreStemmedWithoutStopWords) {
    CMeaningTerms terms;
    EXPECT_EQ(terms.Terms("The Spiders' webs, and a spider-web!"),
              (std::vector<std::string>{"spider", "web", "spider", "web"}));
    EXPECT_EQ(terms.Terms("loving lovers loved"),
              (std::vector<std::string>{"love", "lover", "love"}));
}

TEST_F(MeaningIndexTest, WithoutTheSectionTheFeatureIsOff) {
    CFixtureWriter plain;
    plain.AddWord("fear");
    Open(plain.Image());
    EXPECT_FALSE(db_.MeaningIndex().Available());
    std::vector<CMeaningIndex::Hit> hits;
    EXPECT_EQ(db_.SearchMeaning("fear", 10, &hits), SEARCH_DATA_ERROR);
}

TEST_F(MeaningIndexTest, HandMadeSectionIsRead) {
    // One term "spider" in documents 0 and 2 (counts 3 and 1); document 2 lists word 5.
    std::vector<uint8_t> s(lcv::kMeaningHeaderSize, 0);
    auto put = [&](size_t at, uint32_t v) { lcv::EncodeFixed32(s.data() + at, v); };
    auto append = [&](uint32_t v) {
        s.resize(s.size() + 4);
        put(s.size() - 4, v);
    };
    append(0);  // term table: string 0, postings 0, frequency 2
    append(0);
    append(2);
    const char term[] = "spider";
    s.insert(s.end(), term, term + 7);
    uint32_t postings = static_cast<uint32_t>(s.size());
    s.push_back((1 << 4) | 3);  // document 0 (gap 1 from -1), count 3
    s.push_back((2 << 4) | 1);  // document 2, count 1
    uint32_t docs = static_cast<uint32_t>(s.size());
    append(0);
    append(2);
    append(4);
    uint32_t records = static_cast<uint32_t>(s.size());
    s.insert(s.end(), {4, 0, 2, 0, 2, 1, 5});  // lengths 4, 2, 2; words: -, -, {5}
    put(0, lcv::kMeaningMagic);
    put(4, 3);
    put(8, 1);
    put(12, 8);
    put(16, lcv::kMeaningHeaderSize);
    put(20, lcv::kMeaningHeaderSize + 12);
    put(24, postings);
    put(28, docs);
    put(32, records);
    put(36, static_cast<uint32_t>(s.size()));
    CFixtureWriter writer;
    for (const char* w : {"ant", "bee"}) {
        writer.AddWord(w);
    }
    writer.AddSection(lcv::kTagMeaning, [&](const CDatabaseWriter::WordNumberOf&,
                                            std::vector<uint8_t>* out, std::string*) {
        *out = s;
        return true;
    });
    Open(writer.Image());
    ASSERT_TRUE(db_.MeaningIndex().Available());
    std::vector<CMeaningIndex::Hit> hits;
    EXPECT_EQ(db_.MeaningIndex().Search("spiders", 10, nullptr, nullptr, &hits), SEARCH_OK);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].number, 5u);
}

TEST_F(MeaningIndexTest, DamagedSectionsAreRefusedOrReadWithinBounds) {
    std::vector<uint8_t> good = fixture_.Image();
    uint32_t offset = 0, length = 0;
    SectionOf(good, &offset, &length);
    struct Case {
        const char* fault;
        uint32_t at;  // within the section
        uint32_t value;
        bool refused;
    } cases[] = {
        {"wrong magic", 0, 0x12345678, true},
        {"term count too large", 8, 0xFFFFFF, true},
        {"document count zero", 4, 0, true},
        {"parts out of order", 24, 0xFFFFFFF0u, true},
        {"end not the length", 36, 12, true},
        {"first term's postings past the part", lcv::kMeaningHeaderSize + 4, 0x7FFFFFFF, false},
        {"first term's string past the part", lcv::kMeaningHeaderSize, 0x7FFFFFFF, false},
        {"frequency far too large", lcv::kMeaningHeaderSize + 8, 0xFFFFFFFF, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        std::vector<uint8_t> image = good;
        lcv::EncodeFixed32(image.data() + offset + c.at, c.value);
        CDictionaryDatabase db;
        ASSERT_TRUE(db.Open(dir_.WriteFile("damaged.lcv", image).c_str()));
        EXPECT_EQ(db.MeaningIndex().Available(), !c.refused);
        for (const char* q : {"fear of spiders", "a person who loves books", "web"}) {
            std::vector<CMeaningIndex::Hit> hits;
            db.SearchMeaning(q, 10, &hits);  // ends without reading outside (sanitizers)
        }
    }
    // Postings and records filled with continuation bytes run into their part's end.
    std::vector<uint8_t> image = good;
    uint32_t postings = lcv::DecodeFixed32(image.data() + offset + 24);
    for (uint32_t i = offset + postings; i < offset + length; ++i) {
        image[i] = 0xFF;
    }
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(dir_.WriteFile("smeared.lcv", image).c_str()));
    std::vector<CMeaningIndex::Hit> hits;
    db.SearchMeaning("fear of spiders", 10, &hits);
    EXPECT_TRUE(hits.empty());
}

}  // namespace
