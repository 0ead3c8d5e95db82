// The real wordnet.lcv, as lexicove-mkdb builds it, checked against WordNet's and CMUdict's
// own files. The database is found the way the program finds it (LocateDatabase:
// $LEXICOVE_DATABASE, then the program folder, ...); scripts/dev.sh database builds it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/database_locator.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "render/ipa_encoding.h"
#include "support/source_tree.h"

namespace {

const char* const kPos[4] = {"noun", "verb", "adj", "adv"};

std::string WordNetDir() {
    const char* dir = std::getenv("LEXICOVE_WORDNET_DIR");
    return std::string(dir != nullptr ? dir : "/usr/share/wordnet") + "/";
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != ' ') {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string Lower(std::string s) {
    for (char& c : s) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return s;
}

std::string Spaced(std::string s) {
    std::replace(s.begin(), s.end(), '_', ' ');
    return s;
}

struct IndexLine {
    std::string lemma;
    std::vector<long> offsets;
};

IndexLine ParseIndex(const std::string& line) {
    std::istringstream fields(line);
    IndexLine out;
    std::string pos, skip;
    int synsets = 0, pointers = 0;
    fields >> out.lemma >> pos >> synsets >> pointers;
    out.lemma = Spaced(out.lemma);
    for (int i = 0; i < pointers + 2; ++i) {
        fields >> skip;
    }
    for (long offset; fields >> offset;) {
        out.offsets.push_back(offset);
    }
    return out;
}

struct DataLine {
    char type = 0;
    std::vector<std::string> words;  // as the record spells them
    std::string gloss;
};

DataLine ParseData(const std::string& line) {
    DataLine out;
    std::istringstream fields(line.substr(0, line.find(" | ")));
    std::string offset, lexFile, type, count;
    fields >> offset >> lexFile >> type >> count;
    out.type = type[0];
    int words = std::stoi(count, nullptr, 16);
    for (int i = 0; i < words; ++i) {
        std::string word, lexId;
        fields >> word >> lexId;
        for (const char* marker : {"(a)", "(p)", "(ip)"}) {
            std::string m = marker;
            if (word.size() > m.size() && word.compare(word.size() - m.size(), m.size(), m) == 0) {
                word.erase(word.size() - m.size());
            }
        }
        out.words.push_back(Spaced(word));
    }
    out.gloss = line.substr(line.find(" | ") + 3);
    while (!out.gloss.empty() && out.gloss.back() == ' ') {
        out.gloss.pop_back();
    }
    return out;
}

struct Record {
    std::vector<std::string> words;
    std::string gloss;
    std::vector<std::array<uint8_t, 6>> relations;
};

// Reads a synset record the way the renderer does: fields, then relation entries byte by byte.
bool ReadSynset(CBlockStore* store, uint32_t position, Record* record) {
    uint32_t p = position;
    for (;;) {
        uint32_t length = 0;
        const char* field = store->ReadRecord(p, &length);
        if (field == nullptr) {
            return false;
        }
        char end = field[length];
        std::string text(field, length);
        p += length + 1;
        if (end == '\f') {
            record->gloss = text;
            break;
        }
        record->words.push_back(text);
        if (end == '\n') {
            field = store->ReadRecord(p, &length);
            if (field == nullptr) {
                return false;
            }
            record->gloss.assign(field, length);
            p += length + 1;
            break;
        }
    }
    while (store->ReadByte(p, true) & 0x80) {
        std::array<uint8_t, 6> entry;
        for (int i = 0; i < 6; ++i) {
            entry[i] = store->ReadByte(p + i, true);
        }
        record->relations.push_back(entry);
        p += 6;
    }
    return true;
}

std::string Field(CBlockStore* store, uint32_t position) {
    uint32_t length = 0;
    const char* field = store->ReadRecord(position, &length);
    return field == nullptr ? std::string() : std::string(field, length);
}

// WordNet's gloss text from a gloss field: "$" separates the samples, a sample without a
// quote of its own was quoted, and the literal-dollar byte is WordNet's "$".
// A gloss field as WordNet's text, for comparing: the parts joined by "; ", literal dollars
// decoded. Quotes, blanks, hyphens and the em dash before an author are left out on both
// sides, since the builder shows a quotation without its quotes and with " \x97 " before its
// author; every other character of WordNet's text must be there, in its order.
std::string Comparable(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != '"' && c != ' ' && c != '-' && c != '\x97' && c != ';') {
            out += c == static_cast<char>(lcv::kGlossLiteralDollar) ? '$' : c;
        }
    }
    return out;
}

std::string WordNetGloss(std::string field) {
    std::replace(field.begin(), field.end(), '$', ';');
    return Comparable(field);
}

class RealWordNetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string path;
        if (!LocateDatabase(&path)) {
            return;
        }
        path_ = path;
        db_ = new CDictionaryDatabase;
        if (!db_->Open(path.c_str())) {
            delete db_;
            db_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete db_;
        db_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(db_, nullptr) << "no readable wordnet.lcv where the program looks for it "
                                   "(scripts/dev.sh database builds it)";
    }

    static std::vector<uint32_t> Refs(uint32_t number) {
        std::vector<uint32_t> refs(128);
        refs.resize(
            static_cast<size_t>(db_->LookupIndex()->ReadEntryRefs(number, refs.data(), 128)));
        return refs;
    }
    static std::vector<uint32_t> Refs(const std::string& word) {
        uint32_t n = db_->FindWord(word.c_str());
        return n == 0 ? std::vector<uint32_t>() : Refs(n);
    }
    static bool IsSense(uint32_t ref) {
        return lcv::RefKind(ref) >= lcv::ENTRY_NOUN && lcv::RefKind(ref) <= lcv::ENTRY_ADVERB;
    }

    // The blocks a word page inflates: every field of the word's references (the word-form pass
    // first, as the renderer reads them), then each synset's words, gloss and relation entries.
    static uint64_t BlocksOfPage(const std::vector<uint32_t>& refs) {
        // A database of its own, so that no block inflated for another page is counted out.
        CDictionaryDatabase db;
        EXPECT_TRUE(db.Open(path_.c_str()));
        CBlockStore* store = db.BlockStore();
        store->ReadByte(0, false);
        uint64_t before = store->InflateCount();
        for (uint32_t ref : refs) {
            if (!IsSense(ref)) {
                Field(store, lcv::RefPosition(ref));
            }
        }
        for (uint32_t ref : refs) {
            Record record;
            if (IsSense(ref)) {
                ReadSynset(store, lcv::RefPosition(ref), &record);
            }
        }
        return store->InflateCount() - before;
    }

    static CDictionaryDatabase* db_;
    static std::string path_;
};
CDictionaryDatabase* RealWordNetTest::db_ = nullptr;
std::string RealWordNetTest::path_;

TEST_F(RealWordNetTest, EveryLemmaIsFoundWithAsManySensesAsItsIndexLines) {
    std::map<std::string, std::array<size_t, 4>> expected;
    for (int pos = 0; pos < 4; ++pos) {
        for (const std::string& line : Lines(WordNetDir() + "index." + kPos[pos])) {
            IndexLine index = ParseIndex(line);
            expected[index.lemma][pos] += index.offsets.size();
        }
    }
    ASSERT_GT(expected.size(), 140000u);
    size_t missing = 0, wrong = 0;
    for (const auto& [lemma, counts] : expected) {
        uint32_t n = db_->FindWord(lemma.c_str());
        if (n == 0) {
            ADD_FAILURE_AT(__FILE__, __LINE__) << "not found: " << lemma;
            if (++missing > 10) {
                break;
            }
            continue;
        }
        std::array<size_t, 4> found{};
        for (uint32_t ref : Refs(n)) {
            switch (lcv::RefKind(ref)) {
                case lcv::ENTRY_NOUN:
                    ++found[0];
                    break;
                case lcv::ENTRY_VERB:
                    ++found[1];
                    break;
                case lcv::ENTRY_ADJECTIVE:
                case lcv::ENTRY_SATELLITE:
                    ++found[2];
                    break;
                case lcv::ENTRY_ADVERB:
                    ++found[3];
                    break;
                default:
                    break;
            }
        }
        if (found != counts) {
            ADD_FAILURE_AT(__FILE__, __LINE__) << "sense counts differ for " << lemma;
            if (++wrong > 10) {
                break;
            }
        }
    }
}

TEST_F(RealWordNetTest, SensesComeGroupedByPartOfSpeechAfterTheWordFields) {
    size_t checked = 0;
    for (const char* word : {"run", "set", "break", "fast", "well", "light", "dictionary"}) {
        std::vector<uint32_t> refs = Refs(word);
        ASSERT_FALSE(refs.empty()) << word;
        uint8_t last = 0;
        for (uint32_t ref : refs) {
            uint8_t kind = lcv::RefKind(ref);
            uint8_t rank = IsSense(ref)                       ? kind
                           : kind == lcv::ENTRY_PRONUNCIATION ? 1
                           : kind == lcv::ENTRY_VERB_SAMPLE   ? 3
                                                              : 2;
            EXPECT_LE(last, rank) << word << ": reference kind 0x" << std::hex << int(kind);
            last = rank;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100u);
}

TEST_F(RealWordNetTest, EveryIrregularFormThatIsNotALemmaRedirectsToOneThatIs) {
    std::set<std::string> lemmas;
    for (const char* pos : kPos) {
        for (const std::string& line : Lines(WordNetDir() + "index." + pos)) {
            lemmas.insert(ParseIndex(line).lemma);
        }
    }
    size_t redirects = 0;
    for (const char* pos : kPos) {
        for (const std::string& line : Lines(WordNetDir() + pos + ".exc")) {
            std::istringstream fields(line);
            std::string form, base;
            fields >> form;
            form = Spaced(form);
            bool anyBaseIsLemma = false;
            while (fields >> base) {
                anyBaseIsLemma |= lemmas.count(Spaced(base)) != 0;
            }
            if (lemmas.count(form) != 0 || !anyBaseIsLemma) {
                continue;
            }
            std::vector<uint32_t> refs = Refs(form);
            ASSERT_EQ(refs.size(), 1u) << form;
            ASSERT_EQ(lcv::RefKind(refs[0]), lcv::ENTRY_REDIRECT) << form;
            std::string target = Field(db_->BlockStore(), lcv::RefPosition(refs[0]));
            EXPECT_EQ(lemmas.count(target), 1u) << form << " -> " << target;
            ++redirects;
        }
    }
    EXPECT_GT(redirects, 3000u);

    char buffer[LOOKUP_BUFFER_SIZE] = "geese";
    uint32_t number = 0;
    ASSERT_TRUE(db_->LookupWord(buffer, &number));
    EXPECT_STREQ(buffer, "goose");
}

TEST_F(RealWordNetTest, EveryRelationTargetIsASynsetRecord) {
    std::set<uint32_t> synsets;
    struct Walk {
        std::set<uint32_t>* synsets;
    } walk{&synsets};
    db_->EnumerateWords(
        [](void* context, const char*, uint32_t number) {
            for (uint32_t ref : Refs(number)) {
                if (IsSense(ref)) {
                    static_cast<Walk*>(context)->synsets->insert(lcv::RefPosition(ref));
                }
            }
            return true;
        },
        &walk, "", true);
    ASSERT_EQ(synsets.size(), 117659u);  // every synset of WordNet 3.0 is some lemma's sense

    std::map<uint32_t, size_t> wordCounts;
    std::vector<std::pair<uint32_t, Record>> records;
    for (uint32_t position : synsets) {
        Record record;
        ASSERT_TRUE(ReadSynset(db_->BlockStore(), position, &record)) << position;
        wordCounts[position] = record.words.size();
        records.emplace_back(position, std::move(record));
    }
    size_t relations = 0;
    for (const auto& [position, record] : records) {
        for (const auto& entry : record.relations) {
            uint32_t target = entry[1] | (entry[2] << 8) | (entry[3] << 16);
            auto it = wordCounts.find(target);
            ASSERT_NE(it, wordCounts.end()) << "relation of " << position << " to " << target;
            EXPECT_LE(entry[4], it->second);
            EXPECT_LE(entry[5], record.words.size());
            EXPECT_TRUE(entry[0] >= 0x89 && entry[0] <= 0xA1) << int(entry[0]);
            ++relations;
        }
    }
    EXPECT_EQ(relations, 377592u);  // one entry per pointer of the data files
}

TEST_F(RealWordNetTest, ASampleOfSynsetsHasWordNetsWordsGlossAndSamples) {
    size_t checked = 0, withDollar = 0;
    for (int pos = 0; pos < 4; ++pos) {
        std::vector<std::string> lines = Lines(WordNetDir() + "data." + kPos[pos]);
        for (size_t i = 0; i < lines.size(); ++i) {
            DataLine data = ParseData(lines[i]);
            bool hasDollar = data.gloss.find('$') != std::string::npos;
            if (i % 200 != 0 && !hasDollar) {
                continue;
            }
            // One of the first word's senses of this part of speech is this synset.
            std::string lemma = Lower(data.words[0]);
            bool found = false;
            for (uint32_t ref : Refs(lemma)) {
                Record record;
                if (!IsSense(ref) ||
                    !ReadSynset(db_->BlockStore(), lcv::RefPosition(ref), &record)) {
                    continue;
                }
                if (record.words == data.words &&
                    WordNetGloss(record.gloss) == Comparable(data.gloss)) {
                    found = true;
                    uint8_t kind = lcv::RefKind(ref);
                    EXPECT_EQ(kind, pos == 0           ? lcv::ENTRY_NOUN
                                    : pos == 1         ? lcv::ENTRY_VERB
                                    : pos == 3         ? lcv::ENTRY_ADVERB
                                    : data.type == 's' ? lcv::ENTRY_SATELLITE
                                                       : lcv::ENTRY_ADJECTIVE);
                }
            }
            EXPECT_TRUE(found) << kPos[pos] << " synset of \"" << data.words[0]
                               << "\": " << data.gloss;
            ++checked;
            withDollar += hasDollar ? 1 : 0;
        }
    }
    EXPECT_GE(checked, 500u);
    EXPECT_GE(withDollar, 20u);
}

TEST_F(RealWordNetTest, AGlossWithMoneyAmountsKeepsItsDollarsOutOfTheSampleSeparators) {
    std::vector<uint32_t> refs = Refs("per capita");
    ASSERT_FALSE(refs.empty());
    bool seen = false;
    for (uint32_t ref : refs) {
        Record record;
        ASSERT_TRUE(ReadSynset(db_->BlockStore(), lcv::RefPosition(ref), &record));
        if (record.gloss.find("5,000") != std::string::npos) {
            // One "$" starts the one sample; the amount's own "$" is the literal-dollar byte.
            EXPECT_EQ(std::count(record.gloss.begin(), record.gloss.end(), '$'), 1);
            EXPECT_NE(record.gloss.find("spending \xA4"
                                        "5,000 per capita"),
                      std::string::npos)
                << record.gloss;
            seen = true;
        }
    }
    EXPECT_TRUE(seen);
}

TEST_F(RealWordNetTest, ThePrefixTableSpreadsOverTheWholeSortedWordList) {
    std::vector<std::string> words;
    db_->EnumerateWords(
        [](void* context, const char* word, uint32_t) {
            static_cast<std::vector<std::string>*>(context)->push_back(word);
            return true;
        },
        &words, "", true);
    ASSERT_GT(words.size(), 150000u);
    ASSERT_TRUE(std::is_sorted(words.begin(), words.end()));
    const CPrefixTable* table = db_->PrefixTable();
    for (int s = 0; s < 1024; ++s) {
        char prefix[8];
        table->PrefixAt(s, prefix);
        const std::string& word = words[static_cast<size_t>(s) * words.size() / 1024];
        EXPECT_EQ(std::string(prefix), word.substr(0, 4)) << "slot " << s;
        if (s > 0) {
            EXPECT_LE(table->Entry(s - 1), table->Entry(s)) << "slot " << s;
        }
    }
    EXPECT_LE(std::string(words[0]).substr(0, 4), words[0]);
}

TEST_F(RealWordNetTest, LemmasThatCmuDictCoversHaveTheirPronunciation) {
    std::set<std::string> cmu;
    std::ifstream in(CmuDictPath());
    ASSERT_TRUE(in) << CmuDictPath();
    for (std::string line; std::getline(in, line);) {
        size_t open = line.find('"');
        size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close != std::string::npos && line.compare(close, 3, "\": ") == 0) {
            cmu.insert(line.substr(open + 1, close - open - 1));
        }
    }
    ASSERT_GT(cmu.size(), 100000u);
    std::set<std::string> lemmas;
    for (const char* pos : kPos) {
        for (const std::string& line : Lines(WordNetDir() + "index." + pos)) {
            lemmas.insert(ParseIndex(line).lemma);
        }
    }
    size_t covered = 0, pronounced = 0;
    for (const std::string& lemma : lemmas) {
        std::vector<uint32_t> refs = Refs(lemma);
        bool has = !refs.empty() && lcv::RefKind(refs[0]) == lcv::ENTRY_PRONUNCIATION;
        pronounced += has ? 1 : 0;
        if (cmu.count(lemma) != 0) {
            ++covered;
            EXPECT_TRUE(has) << lemma;
        }
    }
    double share = 100.0 * pronounced / lemmas.size();
    std::printf("pronunciations: %zu of %zu lemmas (%.1f %%); %zu lemmas are CMUdict words\n",
                pronounced, lemmas.size(), share, covered);
    RecordProperty("pronounced_lemmas_percent", std::to_string(share));
    // CMUdict first, espeak-ng for the words it lacks, multi-word lemmas from their parts.
    EXPECT_GE(share, 99.5);

    struct Case {
        const char* word;
        const char* ipa;
    } cases[] = {
        {"dictionary", "\u02C8d\u026Ak\u0283\u0259\u02CCn\u025Bri"},
        {"thought", "\u02C8\u03B8\u0254t"},
        {"ice cream", "\u02C8a\u026As \u02C8krim"},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> refs = Refs(c.word);
        ASSERT_FALSE(refs.empty()) << c.word;
        ASSERT_EQ(lcv::RefKind(refs[0]), lcv::ENTRY_PRONUNCIATION) << c.word;
        std::string ipa = Field(db_->BlockStore(), lcv::RefPosition(refs[0]));
        EXPECT_EQ(IpaToUtf8(ipa.c_str()), c.ipa) << c.word;
    }
}

TEST_F(RealWordNetTest, AWordPageInflatesFewBlocks) {
    std::vector<uint32_t> numbers;
    db_->EnumerateWords(
        [](void* context, const char*, uint32_t number) {
            static_cast<std::vector<uint32_t>*>(context)->push_back(number);
            return true;
        },
        &numbers, "", true);
    std::mt19937 random(20240601);
    uint64_t inflated = 0;
    const int kPages = 1000;
    for (int i = 0; i < kPages; ++i) {
        inflated += BlocksOfPage(Refs(numbers[random() % numbers.size()]));
    }
    double average = static_cast<double>(inflated) / kPages;
    std::printf("a word page inflates %.3f blocks on average (%d random words)\n", average, kPages);
    RecordProperty("blocks_per_page", std::to_string(average));
    EXPECT_LT(average, 2.5);
}

// The words with the most senses claim their synsets first, so that their long pages read a
// few neighbouring blocks rather than one block a sense.
TEST_F(RealWordNetTest, APageOfManySensesInflatesAFewBlocks) {
    const struct {
        const char* word;
        uint64_t most;
    } cases[] = {{"run", 8}, {"take", 14}, {"set", 12}, {"break", 12}, {"go", 12}};
    for (const auto& c : cases) {
        std::vector<uint32_t> refs = Refs(c.word);
        ASSERT_GT(refs.size(), 40u) << c.word;
        uint64_t blocks = BlocksOfPage(refs);
        std::printf("%s: %zu references, %llu blocks\n", c.word, refs.size(),
                    static_cast<unsigned long long>(blocks));
        EXPECT_LE(blocks, c.most) << c.word;
    }
}

}  // namespace
