#include "render/html_entry_renderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render_fixture.h"

namespace {

using namespace render_test;

// cat: a pronunciation, a plural, a verb sample frame, two noun senses and a verb sense.
class CatPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uint32_t feline = fixture_.Append(Synset({"feline", "felid"}, "a cat-like mammal"));
        uint32_t pron = fixture_.Append("k\xe6t\n");
        uint32_t plural = fixture_.Append("Cats\n");
        uint32_t frame = fixture_.Append("Somebody %s something\n");
        uint32_t noun1 = fixture_.Append(
            Synset({"cat", "true cat"},
                   "feline mammal$the cat purred$dogs bark$concatenate strings", {{0x8A, feline}}));
        uint32_t noun2 = fixture_.Append(Synset({"Cat", "caterpillar"}, "a tracked vehicle"));
        // The verb sense's one relation holds for its second word only.
        uint32_t verb =
            fixture_.Append(Synset({"cat", "whip"}, "beat with a whip$to cat someone$no form here",
                                   {{0x8A, feline, 0, 2}}));
        fixture_.AddWord("cat", {Ref(0xED, pron), Ref(0xE1, plural), Ref(0xE8, frame),
                                 Ref(0x81, noun1), Ref(0x81, noun2), Ref(0x82, verb)});
        fixture_.AddWord("feline", {Ref(0x81, feline)});
        fixture_.AddWord("bare", {});
        fixture_.Open();
    }

    static std::string ExpectedWordPage() {
        return "<b>noun</b>" + NoteMarker(1) + "<ol><li>feline mammal" + Sample("the cat purred") +
               Sample("concatenate strings") + SenseLink("cat", 4) + SynonymTable({"true cat"}) +
               "<li>a tracked vehicle" + SynonymTable({"caterpillar"}) + "</ol><b>verb</b>" +
               NoteMarker(2) + "<ol><li>beat with a whip" + Sample("to cat someone") +
               SynonymTable({"whip"}) + "</ol>";
    }

    FixtureDatabase fixture_;
};

TEST_F(CatPageTest, WordPageIsExactlyTheExpectedHtml) {
    bool ok = false;
    RecordingSink sink = fixture_.Render("cat", 0, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sink.html, ExpectedWordPage());
    EXPECT_EQ(sink.pronunciations, std::vector<std::string>{"k\xe6t"});
    EXPECT_EQ(sink.notes,
              (std::vector<std::string>{"plural: cats", "Sample:<br>Somebody cat something. "}));
}

TEST_F(CatPageTest, EntryIndexOutsideTheReferencesGivesTheWordPage) {
    // 1..6 name the references; 1, 2 and 3 are no senses and have no Word Links page.
    for (int index : {0, -1, -2147483647, 7, 1000, 1, 2, 3}) {
        RecordingSink sink = fixture_.Render("cat", index);
        EXPECT_EQ(sink.html, ExpectedWordPage()) << "entry index " << index;
    }
}

TEST_F(CatPageTest, WordLinksPageOfASenseWhoseRelationsHoldForOtherWords) {
    RecordingSink sink = fixture_.Render("cat", 6);
    EXPECT_EQ(sink.html, "<b>Word Links<br>" + Link("cat", true) +
                             "</b>: beat with a whip<br><img src=pixel.gif width=1 height=4><br>"
                             "<b>Synonym</b><ul><li>" +
                             Link("whip", true) + "</ul>");
    EXPECT_TRUE(sink.notes.empty());
    EXPECT_TRUE(sink.pronunciations.empty());
}

TEST_F(CatPageTest, WordWithoutReferencesRendersNothing) {
    bool ok = true;
    RecordingSink sink = fixture_.Render("bare", 0, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(sink.htmlCalls.empty());
    EXPECT_TRUE(sink.notes.empty());
}

TEST_F(CatPageTest, RefusingSinkStopsTheRendering) {
    // A refusal of a tested emission ends the page at once; samples, note markers, spacers
    // and the synonym table frame are not tested and let the rendering go on.
    RecordingSink full = fixture_.Render("cat", 0);
    int total = int(full.htmlCalls.size());
    // The last two pieces, the synonym table's end and the list's end, are untested too.
    EXPECT_EQ(full.htmlCalls[total - 2], "</small></td></tr></table> ");
    EXPECT_EQ(full.htmlCalls[total - 1], "</ol>");
    for (int refuseAt = 1; refuseAt <= total; ++refuseAt) {
        bool ok = true;
        RecordingSink sink = fixture_.Render("cat", 0, &ok, refuseAt);
        EXPECT_EQ(ok, refuseAt > total - 2) << "refused from call " << refuseAt;
        // At most the untested pieces that follow one tested piece come after the refusal:
        // a sample run (3 pieces each, two samples) and a note marker or table frame.
        EXPECT_LE(int(sink.htmlCalls.size()) - refuseAt, 7) << "refused from call " << refuseAt;
    }
    RecordingSink first = fixture_.Render("cat", 0, nullptr, 1);
    EXPECT_EQ(first.htmlCalls, std::vector<std::string>{"<b>"});
    RecordingSink links = fixture_.Render("cat", 4, nullptr, 1);
    EXPECT_EQ(links.htmlCalls, std::vector<std::string>{"<b>Word Links<br>"});
}

// dog: a Word Links page with relations of several kinds, one of them word-specific.
TEST(WordLinksPageTest, GroupsRelationWordsByKindInByteOrder) {
    FixtureDatabase fixture;
    uint32_t canine = fixture.Append(Synset({"canine", "canid"}, "a carnivore"));
    uint32_t canineAgain = fixture.Append(Synset({"Canine"}, "the same word again"));
    uint32_t animal = fixture.Append(Synset({"domestic animal", "Dog"}, "a tame animal"));
    uint32_t genus = fixture.Append(Synset({"Canis", "genus Canis"}, "a genus"));
    uint32_t puppy = fixture.Append(Synset({"puppy"}, "a young dog"));
    uint32_t cat = fixture.Append(Synset({"cat"}, "a feline"));
    uint32_t dog = fixture.Append(Synset({"dog", "domestic dog", "Canis familiaris"},
                                         "a member of the genus Canis$the dog barked",
                                         {{0xA1, puppy},
                                          {0x8A, canine},
                                          {0x8A, animal},
                                          {0x8A, canineAgain},
                                          {0x9B, genus, 2, 0},
                                          {0x89, cat, 0, 2},
                                          {0x86, cat, 1, 1}}));
    fixture.AddWord("dog", {Ref(0x81, dog)});
    fixture.Open();

    RecordingSink sink = fixture.Render("dog", 1);
    EXPECT_EQ(sink.html, "<b>Word Links<br>" + Link("dog", true) +
                             "</b>: a member of the genus Canis"
                             "<br><img src=pixel.gif width=1 height=4><br>"
                             "<b>Synonym</b><ul><li>" +
                             Link("domestic dog", false) + Link("Canis familiaris", true) +
                             "</ul><b>Other</b><ul><li>" + Link("cat", true) +
                             "</ul><b>Hypernym</b><ul><li>" + Link("canid", false) +
                             Link("canine", false) + Link("domestic animal", true) +
                             "</ul><b>Member Holonym</b><ul><li>" + Link("genus Canis", true) +
                             "</ul><b>Hyponym</b><ul><li>" + Link("puppy", true) + "</ul>");
}

TEST(WordLinksPageTest, ShowsTheWordsOfTheFirst128ApplicableRelations) {
    FixtureDatabase fixture;
    std::vector<Rel> relations;
    // One relation that holds for another word comes first and does not count.
    uint32_t skipped = fixture.Append(Synset({"skipped"}, "g"));
    relations.push_back({0x8A, skipped, 0, 2});
    for (int i = 0; i < 130; ++i) {
        char word[8];
        std::snprintf(word, sizeof word, "w%03d", i);
        relations.push_back({0x8A, fixture.Append(Synset({word}, "g"))});
    }
    uint32_t many = fixture.Append(Synset({"many", "other"}, "a gloss", relations));
    fixture.AddWord("many", {Ref(0x81, many)});
    fixture.Open();

    RecordingSink sink = fixture.Render("many", 1);
    EXPECT_NE(sink.html.find(Link("w127", true) + "</ul>"), std::string::npos);
    EXPECT_EQ(sink.html.find("w128"), std::string::npos);
    EXPECT_EQ(sink.html.find("skipped"), std::string::npos);
    EXPECT_NE(sink.html.find(Link("w000", false)), std::string::npos);
}

TEST(WordLinksPageTest, SenseWithoutTheHeadwordShowsHeaderAndGlossOnly) {
    FixtureDatabase fixture;
    uint32_t target = fixture.Append(Synset({"target"}, "g"));
    uint32_t foreign =
        fixture.Append(Synset({"colour", "color"}, "a hue$the colour red", {{0x8A, target}}));
    fixture.AddWord("colours", {Ref(0x81, foreign)});
    fixture.Open();

    EXPECT_EQ(fixture.Render("colours", 1).html,
              "<b>Word Links<br>" + Link("colours", true) + "</b>: a hue");
    // On the word page the sense has no link icon, and every synset word is a synonym.
    EXPECT_EQ(fixture.Render("colours", 0).html,
              "<b>noun</b><ol><li>a hue" + SynonymTable({"colour", "color"}) + "</ol>");
}

TEST(WordPageTest, ShorterWordsAreSynonymsAndOnlyTheHeadwordIsLeftOut) {
    FixtureDatabase fixture;
    uint32_t sense =
        fixture.Append(Synset({"cab", "CABRIOLET", "cabriolets", "Cab", "hansom"}, "a carriage"));
    fixture.AddWord("cabriolet", {Ref(0x81, sense)});
    fixture.Open();
    EXPECT_EQ(
        fixture.Render("cabriolet", 0).html,
        "<b>noun</b><ol><li>a carriage" + SynonymTable({"cab", "cabriolets", "hansom"}) + "</ol>");
}

TEST(WordPageTest, SamplesAreShownWhenTheyHoldTheWordOrOneOfItsForms) {
    struct Case {
        const char* sample;
        bool shown;
    } cases[] = {
        {"the cat sat", true},    {"concatenate", true},  // inside a longer word
        {"two cats", true},                               // the headword is inside the plural too
        {"the geese flew", true},                         // a form
        {"Cat food", false},                              // case-sensitive
        {"a dog barked", false},  {"", false},
    };
    for (const Case& c : cases) {
        FixtureDatabase fixture;
        uint32_t plural = fixture.Append("geese\n");
        uint32_t sense =
            fixture.Append(Synset({"cat"}, std::string("gloss$first$") + c.sample + "$last"));
        fixture.AddWord("cat", {Ref(0xE1, plural), Ref(0x81, sense)});
        fixture.Open();
        std::string expected = "<b>noun</b>" + NoteMarker(1) + "<ol><li>gloss" +
                               (c.shown ? Sample(c.sample) : "") + Spacer() + "</ol>";
        EXPECT_EQ(fixture.Render("cat", 0).html, expected) << c.sample;
    }
}

struct NoteCase {
    const char* name;
    std::vector<std::pair<uint8_t, std::string>> forms;  // kind, field
    std::vector<std::string> notes;
    std::vector<int> markers;  // the number shown after noun, verb, adjective, satellite, adverb
};

class NotesTest : public ::testing::TestWithParam<NoteCase> {};

TEST_P(NotesTest, FormsBecomeTheExpectedNotesAndMarkers) {
    const NoteCase& c = GetParam();
    FixtureDatabase fixture;
    std::vector<uint32_t> refs;
    for (const auto& [kind, field] : c.forms) {
        refs.push_back(Ref(kind, fixture.Append(field + "\n")));
    }
    const uint8_t kinds[] = {0x81, 0x82, 0x83, 0x84, 0x85};
    for (uint8_t kind : kinds) {
        refs.push_back(Ref(kind, fixture.Append(Synset({"run"}, "g"))));
    }
    fixture.AddWord("run", refs);
    fixture.Open();
    RecordingSink sink = fixture.Render("run", 0);
    EXPECT_EQ(sink.notes, c.notes);
    std::string expected;
    for (int i = 0; i < 5; ++i) {
        expected += std::string("<b>") + CHtmlEntryRenderer::KindLabel(kinds[i]) + "</b>";
        if (c.markers[i] != 0) {
            expected += NoteMarker(c.markers[i]);
        }
        expected += std::string("<ol><li>g") + Spacer() + "</ol>";
    }
    EXPECT_EQ(sink.html, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NotesTest,
    ::testing::Values(
        NoteCase{"PluralLowerCased",
                 {{0xE1, "Runs"}, {0xE2, "RUNNI"}},
                 {"plural: runs, runni"},
                 {1, 0, 0, 0, 0}},
        NoteCase{"TwoVerbSamples",
                 {{0xE8, "Somebody %s"}, {0xE8, "They %s the %s"}},
                 {"Sample:<br>Somebody run. \nThey run the run. "},
                 {0, 1, 0, 0, 0}},
        NoteCase{"TensesAndSamples",
                 {{0xE4, "Ran"}, {0xE4, "rann"}, {0xE5, "Run"}, {0xE8, "%s fast"}},
                 {"Tenses: ran/rann, run<br>Sample:<br>run fast. "},
                 {0, 1, 0, 0, 0}},
        NoteCase{"FirstTenseListAlone", {{0xE4, "ran"}}, {}, {0, 0, 0, 0, 0}},
        NoteCase{"FirstTenseListAloneWithSample",
                 {{0xE4, "ran"}, {0xE8, "%s"}},
                 {"Sample:<br>run. "},
                 {0, 1, 0, 0, 0}},
        NoteCase{"AdjectiveAndAdverbShareANote",
                 {{0xE9, "Runner"}, {0xEB, "runner"}, {0xEA, "runnest"}, {0xEC, "RUNNEST"}},
                 {"comparative: runner, runnest"},
                 {0, 0, 1, 0, 1}},
        NoteCase{"PluralAndComparisonNumberedInOrder",
                 {{0xEB, "faster"}, {0xE1, "runs"}},
                 {"plural: runs", "comparative: faster"},
                 {1, 0, 0, 0, 2}},
        NoteCase{"StrayPercentAndOtherConversionsAreCopied",
                 {{0xE8, "100% of %d %n %s%s %"}},
                 {"Sample:<br>100% of %d %n runrun %. "},
                 {0, 1, 0, 0, 0}},
        NoteCase{"EmptyAndIgnoredFormsAddNothing",
                 {{0xE1, ""}, {0xE3, "x"}, {0xE6, "y"}, {0xE7, "z"}},
                 {},
                 {0, 0, 0, 0, 0}}),
    [](const auto& info) { return info.param.name; });

}  // namespace

namespace {

using namespace render_test;

TEST(DamagedRecordTest, UnreadableRecordsContributeNothing) {
    FixtureDatabase fixture;
    uint32_t good = fixture.Append(Synset({"good"}, "fine"));
    // A record holding a 0 byte cannot be read.
    uint32_t unreadable = fixture.Append(std::string("wo\0rd\n", 6));
    // A relation to a target past the end of the text stream.
    uint32_t broken =
        fixture.Append(Synset({"word", "other"}, "a gloss", {{0x8A, 0xFFFFF0}, {0x8A, good}}));
    fixture.AddWord("word", {Ref(0x81, unreadable), Ref(0xE1, unreadable), Ref(0xED, unreadable),
                             Ref(0xE8, unreadable), Ref(0x82, broken)});
    fixture.Open();
    bool ok = false;
    RecordingSink page = fixture.Render("word", 0, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(page.html, std::string("<b>noun</b><ol><li>") + Spacer() +
                             "</ol><b>verb</b><ol><li>a gloss" + SenseLink("word", 5) +
                             SynonymTable({"other"}) + "</ol>");
    EXPECT_TRUE(page.notes.empty());
    EXPECT_TRUE(page.pronunciations.empty());
    EXPECT_EQ(
        fixture.Render("word", 5).html,
        "<b>Word Links<br>" + Link("word", true) +
            "</b>: a gloss<br><img src=pixel.gif width=1 height=4><br><b>Synonym</b><ul><li>" +
            Link("other", true) + "</ul><b>Hypernym</b><ul><li>" + Link("good", true) + "</ul>");
    // The Word Links page of an unreadable synset has the header and an empty gloss.
    EXPECT_EQ(fixture.Render("word", 1).html, "<b>Word Links<br>" + Link("word", true) + "</b>: ");
}

}  // namespace

namespace {

using namespace render_test;

TEST(NoteMemoryTest, NoteThatCannotGrowKeepsWholeItemsOnly) {
    FixtureDatabase fixture;
    const std::string a(100, 'a'), b(100, 'b'), c(100, 'c'), d(100, 'd');
    std::vector<uint32_t> refs;
    for (const std::string& form : {a, b, c, d}) {
        refs.push_back(Ref(0xE1, fixture.Append(form + "\n")));
    }
    for (const std::string& frame : {"%s " + a, "%s " + b, "%s " + c, "%s " + d}) {
        refs.push_back(Ref(0xE8, fixture.Append(frame + "\n")));
    }
    refs.push_back(Ref(0x81, fixture.Append(Synset({"w"}, "g"))));
    fixture.AddWord("w", refs);
    CDictionaryDatabase& db = fixture.Open();
    uint32_t stored[RENDER_MAX_ENTRY_REFS];
    int count = db.LookupIndex()->ReadEntryRefs(db.FindWord("w"), stored, RENDER_MAX_ENTRY_REFS);

    // Each block takes 256 bytes more than asked, so 600 bytes hold three of the 100-byte
    // forms or samples (and the verb note made from three samples) but not a fourth.
    RecordingSink sink;
    CHtmlEntryRenderer renderer(RecordingSink::Proc, &sink, db.BlockStore());
    renderer.SetTextByteCeiling(600);
    EXPECT_TRUE(renderer.Render("w", stored, count, 0));
    ASSERT_EQ(sink.notes.size(), 2u);
    EXPECT_EQ(sink.notes[0], "plural: " + a + ", " + b + ", " + c);
    EXPECT_EQ(sink.notes[1], "Sample:<br>w " + a + ". \nw " + b + ". \nw " + c + ". ");
    EXPECT_EQ(sink.html, "<b>noun</b>" + NoteMarker(1) + "<ol><li>g" + Spacer() + "</ol>");
}

}  // namespace

namespace {

using namespace render_test;

TEST(GlossTest, DollarsOfTheDictionaryTextReachThePage) {
    FixtureDatabase fixture;
    const std::string dollar(1, static_cast<char>(lcv::kGlossLiteralDollar));
    uint32_t target = fixture.Append(Synset({"coin"}, "g"));
    uint32_t sense = fixture.Append(
        Synset({"price", "cost"},
               "worth " + dollar + "5 or more$paid " + dollar + "5 for the price$no word " + dollar,
               {{0x8A, target}}));
    fixture.AddWord("price", {Ref(0x81, sense)});
    fixture.Open();
    EXPECT_EQ(fixture.Render("price", 0).html,
              "<b>noun</b><ol><li>worth $5 or more" + Sample("paid $5 for the price") +
                  SenseLink("price", 1) + SynonymTable({"cost"}) + "</ol>");
    std::string links = fixture.Render("price", 1).html;
    EXPECT_EQ(links.substr(0, links.find("<br><img")),
              "<b>Word Links<br>" + Link("price", true) + "</b>: worth $5 or more");
}

}  // namespace

namespace {

using namespace render_test;

void Put32(std::string* out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// A zlib stream of one stored (uncompressed) deflate block, byte by byte.
std::string StoredZlibStream(const std::string& data) {
    std::string out = "\x78\x01\x01";
    uint32_t length = static_cast<uint32_t>(data.size());
    out.push_back(static_cast<char>(length & 0xFF));
    out.push_back(static_cast<char>(length >> 8));
    out.push_back(static_cast<char>(~length & 0xFF));
    out.push_back(static_cast<char>((~length >> 8) & 0xFF));
    out += data;
    uint32_t a = 1;
    uint32_t b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((((b << 16) | a) >> shift) & 0xFF));
    }
    return out;
}

// A database made by hand: the one word "a" with a noun sense at text position 0, the text in
// stored blocks of 4096 bytes, an empty prefix table.
std::string HandMadeDatabase(const std::string& text) {
    std::string trie;
    Put32(&trie, 2);           // array words
    Put32(&trie, 0x61C00000);  // 'a', terminal, last sibling, no children
    Put32(&trie, 0x81000000);  // noun sense at 0
    Put32(&trie, 0x1100FAFA);  // trailer
    std::vector<std::string> blocks;
    for (size_t at = 0; at < text.size(); at += 4096) {
        blocks.push_back(StoredZlibStream(text.substr(at, 4096)));
    }
    std::string directory;
    Put32(&directory, static_cast<uint32_t>(blocks.size()));
    uint32_t end = 0;
    for (const std::string& block : blocks) {
        end += static_cast<uint32_t>(block.size());
        Put32(&directory, end);
    }
    uint32_t trieAt = 64;
    uint32_t prefixAt = trieAt + static_cast<uint32_t>(trie.size());
    uint32_t directoryAt = prefixAt + 4096;
    uint32_t dataAt = directoryAt + static_cast<uint32_t>(directory.size());
    std::string image;
    for (uint32_t word : {0x98AAu, trieAt, prefixAt, directoryAt, dataAt}) {
        Put32(&image, word);
    }
    image.resize(64, '\0');
    image += trie + std::string(4096, '\0') + directory;
    for (const std::string& block : blocks) {
        image += block;
    }
    return image;
}

size_t CountOf(const std::string& text, const std::string& piece) {
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
        ++count;
    }
    return count;
}

// A synset record whose words never end with LF would have a page read the rest of the text
// stream field by field; no synset holds more than 255 words, and no more are read.
TEST(DamagedRecordTest, ASynsetWithoutItsLfReadsAt255WordsAtMost) {
    std::string text = "a\r";
    for (int i = 1; i < 3000; ++i) {
        text += "w" + std::to_string(i) + "\r";
    }
    CFixtureWriter writer;
    uint32_t at = writer.Append(text);
    writer.AddWord("a", {Ref(0x81, at)});
    std::vector<uint8_t> written = writer.Image();
    struct Case {
        const char* name;
        std::string image;
    } cases[] = {
        {"written by the core's writer", std::string(written.begin(), written.end())},
        {"made by hand", HandMadeDatabase(text)},
    };
    for (const Case& c : cases) {
        CTempDir dir;
        std::string path = dir.WriteFile("wordnet.lcv", c.image);
        CDictionaryDatabase db;
        ASSERT_TRUE(db.Open(path.c_str())) << c.name;
        for (int entryIndex : {0, 1}) {
            RecordingSink sink;
            EXPECT_TRUE(
                db.RenderEntry(RecordingSink::Proc, &sink, "a", db.FindWord("a"), entryIndex))
                << c.name;
            // Word positions 1 to 255: the headword and 254 synonyms, w1 to w254.
            EXPECT_EQ(CountOf(sink.html, "<a href=\"w"), 254u) << c.name << " " << entryIndex;
            EXPECT_NE(sink.html.find(Link("w254", true)), std::string::npos) << c.name;
        }
    }
}

}  // namespace
