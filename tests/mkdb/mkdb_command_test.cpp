// lexicove-mkdb end to end on a small hand-made WordNet folder: the words, references and
// records it writes, the errors it reports (file and line named, no output left), and the
// *.dwg round trip.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "db/data_file.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "db/word_index.h"
#include "render/ipa_encoding.h"
#include "support/temp_dir.h"
#include "tools/mkdb/mkdb_command.h"

namespace {

const char kHeader[] = "  1 This software and database is being provided to you, the LICENSEE\n";

std::map<std::string, std::string> FixtureFiles() {
    return {
        {"data.noun",
         std::string(kHeader) +
             "00001000 09 n 02 lake 0 loch 0 002 @ 00002000 n 0000 ! 00003000 n 0201 | a body of "
             "water; \"we swam in the lake\"; \"paid $5 for a boat\"  \n"
             "00002000 09 n 01 body_of_water 0 001 ~ 00001000 n 0000 | the part of the earth's "
             "surface covered with water  \n"
             "00003000 09 n 01 Dry_Land 0 001 ! 00001000 n 0102 | land, as opposed to water  \n"},
        {"data.verb", std::string(kHeader) +
                          "00004000 38 v 01 swim 0 001 + 00001000 n 0101 01 + 02 00 | travel "
                          "through water; \"we swam across the river\"  \n"},
        {"data.adj",
         std::string(kHeader) +
             "00005000 00 a 01 good 0 001 ! 00006000 a 0101 | having desirable "
             "qualities  \n"
             "00006000 00 a 01 bad 0 000 | not good  \n"
             "00007000 00 s 01 wet(p) 0 001 & 00005000 a 0000 | covered with water  \n"},
        {"data.adv", std::string(kHeader) +
                         "00008000 02 r 01 well 0 001 \\ 00005000 a 0101 | in a good way  \n"},
        {"index.noun", std::string(kHeader) + "body_of_water n 1 1 ~ 1 0 00002000  \n"
                                              "dry_land n 1 1 ! 1 0 00003000  \n"
                                              "lake n 1 2 @ ! 1 0 00001000  \n"
                                              "loch n 1 2 @ ! 1 0 00001000  \n"},
        {"index.verb", std::string(kHeader) + "swim v 1 1 + 1 0 00004000  \n"},
        {"index.adj", std::string(kHeader) + "bad a 1 0 1 0 00006000  \n"
                                             "good a 1 1 ! 1 0 00005000  \n"
                                             "wet a 1 1 & 1 0 00007000  \n"},
        {"index.adv", std::string(kHeader) + "well r 1 1 \\ 1 0 00008000  \n"},
        {"noun.exc", "geese goose\nlochen loch\n"},
        {"verb.exc", "swam swim\nswimming swim\nswum swim\n"},
        {"adj.exc", "best good\nbetter good\nwetter wet\nworse bad\nworst bad\n"},
        {"adv.exc", "best well\nbetter well\n"},
        {"sents.vrb", "1 Somebody %s across the water\n2 They %s daily\n3 The water %ss \n"},
        {"sentidx.vrb", "swim%2:38:00:: 1,2,3\n"},
        {"cntlist.rev",
         "lake%1:17:00:: 1 5\nLoch%1:17:00:: 1 2\nswim%2:38:00:: 1 3\n"
         "swim%2:38:01:: 2 4\n"},
        {"index.js",
         "/** @type {{ [word: string]: string }} */\n"
         "export const dictionary = {\n"
         "  \"lake\": \"L EY1 K\",\n"
         "  \"lake(2)\": \"L EY1 K S\",\n"
         "  \"swim\": \"S W IH1 M\",\n"
         "  \"water\": \"W AO1 T ER0 # a comment\",\n"
         "  \"body\": \"B AA1 D IY0\",\n"
         "  \"of\": \"AH1 V\"\n"
         "}\n"},
    };
}

class MkdbCommandTest : public ::testing::Test {
  protected:
    void WriteFixture(const std::map<std::string, std::string>& files) {
        for (const auto& [name, text] : files) {
            dir_.WriteFile(sub_ + "wn/" + name, text);
        }
    }
    int Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        CMkdbCommand command(out, err, false);
        int status = command.Run(args);
        out_ = out.str();
        err_ = err.str();
        return status;
    }
    int Build(const std::map<std::string, std::string>& files) {
        WriteFixture(files);
        std::string wordnet = dir_.Path() + sub_ + "wn";
        std::vector<std::string> args = {"--wordnet",           wordnet, "--cmudict",
                                         wordnet + "/index.js", "-o",    Output()};
        args.insert(args.end(), extra_.begin(), extra_.end());
        return Run(args);
    }
    std::string Output() const { return dir_.Path() + sub_ + "out.lcv"; }
    bool OutputExists() const { return ::access(Output().c_str(), F_OK) == 0; }

    std::vector<uint32_t> Refs(const char* word) {
        uint32_t n = db_.FindWord(word);
        std::vector<uint32_t> refs(128);
        refs.resize(
            n == 0 ? 0
                   : static_cast<size_t>(db_.LookupIndex()->ReadEntryRefs(n, refs.data(), 128)));
        return refs;
    }
    std::string Field(uint32_t ref) {
        uint32_t length = 0;
        const char* f = db_.BlockStore()->ReadRecord(lcv::RefPosition(ref), &length);
        return f == nullptr ? "<none>" : std::string(f, length);
    }
    std::vector<std::string> Kinds(const char* word) {
        std::vector<std::string> out;
        for (uint32_t ref : Refs(word)) {
            char kind[8];
            std::snprintf(kind, sizeof kind, "%02X", lcv::RefKind(ref));
            out.push_back(std::string(kind) +
                          (lcv::RefKind(ref) >= 0xE0 ? " " + Field(ref) : std::string()));
        }
        return out;
    }
    // The record bytes of a sense from its position: words and gloss up to the relations.
    std::string RecordBytes(uint32_t ref, size_t length) {
        std::string bytes;
        for (size_t i = 0; i < length; ++i) {
            bytes +=
                static_cast<char>(db_.BlockStore()->ReadByte(lcv::RefPosition(ref) + i, i > 0));
        }
        return bytes;
    }

    CTempDir dir_;
    std::string sub_;  // the folder of the current fixture inside dir_
    // More arguments: by default the words CMUdict lacks stay unpronounced, so that the
    // fixture's records do not depend on espeak-ng's version.
    std::vector<std::string> extra_ = {"--no-espeak"};
    CDictionaryDatabase db_;
    std::string out_, err_;
};

TEST_F(MkdbCommandTest, BuildsTheWordsWithTheirReferencesInOrder) {
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    std::string lake, lakes;
    ASSERT_TRUE(IpaEncode(U"\u02C8le\u026Ak", &lake));
    ASSERT_TRUE(IpaEncode(U"\u02C8le\u026Aks", &lakes));
    std::string swim;
    ASSERT_TRUE(IpaEncode(U"\u02C8sw\u026Am", &swim));
    // Both of CMUdict's pronunciations of lake, as they differ in more than stress.
    EXPECT_EQ(Kinds("lake"),
              (std::vector<std::string>{"ED " + lake, "ED " + lakes, "E1 lakes", "81"}));
    EXPECT_EQ(Kinds("loch"), (std::vector<std::string>{"E1 lochen", "81"}));
    // A frame's blank before its end is dropped: the page puts ". " after it.
    EXPECT_EQ(Kinds("swim"),
              (std::vector<std::string>{"ED " + swim, "E4 swam", "E5 swum",
                                        "E8 Somebody %s across the water", "E8 They %s daily",
                                        "E8 The water %ss", "82"}));
    EXPECT_EQ(Kinds("good"), (std::vector<std::string>{"E9 better", "E9 best", "83"}));
    EXPECT_EQ(Kinds("wet"), (std::vector<std::string>{"E9 wetter", "84"}));
    EXPECT_EQ(Kinds("well"), (std::vector<std::string>{"EB better", "EB best", "85"}));
    EXPECT_EQ(Kinds("bad"), (std::vector<std::string>{"E9 worse", "E9 worst", "83"}));
    // A name gets no plural from the rule; a compound noun pluralises its head and is
    // pronounced from its parts.
    EXPECT_EQ(Kinds("dry land"), (std::vector<std::string>{"81"}));
    EXPECT_EQ(Kinds("body of water").size(), 3u);
    EXPECT_EQ(Kinds("body of water")[1], "E1 bodies of water");
    // Irregular forms that are no lemma redirect to their first base that is one.
    EXPECT_EQ(Kinds("lochen"), (std::vector<std::string>{"E0 loch"}));
    EXPECT_EQ(Kinds("swam"), (std::vector<std::string>{"E0 swim"}));
    EXPECT_EQ(Kinds("better"), (std::vector<std::string>{"E0 good"}));
    EXPECT_EQ(db_.FindWord("geese"), 0u);  // goose is no lemma
    EXPECT_EQ(Kinds("swimming"), (std::vector<std::string>{"E0 swim"}));
    EXPECT_NE(out_.find("redirects"), std::string::npos);
}

// The npm packages' files, as the set-up installs them under node_modules.
std::map<std::string, std::string> InflectionFiles() {
    return {
        {"english-verbs-irregular/resources/irregularVerbs.json",
         "{\"swim\": [[\"swam\", \"swum\"]], \"set\": [[\"set\", \"set\"]]}"},
        {"english-verbs-irregular/resources/consonantDoubled.json", "[\"swim\"]"},
        {"irregular-plurals/irregular-plurals.json", "{\"loch\": \"loch\", \"Lake\": \"x\"}"},
    };
}

TEST_F(MkdbCommandTest, TheInflectionListsGiveTheFormsWordNetLacks) {
    for (const auto& [name, text] : InflectionFiles()) {
        dir_.WriteFile("npm/" + name, text);
    }
    extra_.insert(extra_.end(), {"--inflections", dir_.Path() + "npm"});
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    // A zero plural from the list, WordNet's own form kept beside it.
    EXPECT_EQ(Kinds("loch"), (std::vector<std::string>{"E1 loch", "E1 lochen", "81"}));
    EXPECT_EQ(Kinds("lake")[2], "E1 lakes");  // the list's capitalised entry is not a noun's
    EXPECT_NE(out_.find("past 1, participle 1"), std::string::npos) << out_;
    EXPECT_EQ(err_.find("no --inflections"), std::string::npos) << err_;
}

TEST_F(MkdbCommandTest, ABrokenInflectionListIsNamedAndLeavesNoOutput) {
    int n = 0;
    for (const auto& [broken, text] : std::vector<std::pair<std::string, std::string>>{
             {"english-verbs-irregular/resources/irregularVerbs.json", "{\"swim\": [\"swam\"]}"},
             {"irregular-plurals/irregular-plurals.json", "{\"loch\": \"lochs\",\n 3}"},
             {"english-verbs-irregular/resources/consonantDoubled.json", ""}}) {
        sub_ = "case" + std::to_string(++n) + "/";
        for (const auto& [name, good] : InflectionFiles()) {
            if (name == broken && text.empty()) {
                continue;
            }
            dir_.WriteFile(sub_ + "npm/" + name, name == broken ? text : good);
        }
        extra_ = {"--no-espeak", "--inflections", dir_.Path() + sub_ + "npm"};
        EXPECT_EQ(Build(FixtureFiles()), 1) << broken;
        EXPECT_NE(err_.find(broken), std::string::npos) << err_;
        EXPECT_FALSE(OutputExists()) << broken;
    }
    extra_ = {"--inflections", dir_.Path() + "absent"};
    EXPECT_EQ(Build(FixtureFiles()), 1);
    EXPECT_NE(err_.find("absent does not exist"), std::string::npos) << err_;
}

TEST_F(MkdbCommandTest, EspeakNgPronouncesTheWordsCmuDictLacks) {
    extra_.clear();
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    for (const char* word : {"loch", "good", "bad", "dry land", "well"}) {
        std::vector<std::string> kinds = Kinds(word);
        ASSERT_FALSE(kinds.empty()) << word;
        EXPECT_EQ(kinds[0].substr(0, 3), "ED ") << word;
        EXPECT_GT(kinds[0].size(), 4u) << word;
    }
    // Each part of a multi-word lemma is spoken on its own, the blank kept.
    EXPECT_NE(Kinds("dry land")[0].find(' ', 3), std::string::npos);
    EXPECT_NE(out_.find("espeak-ng 5,"), std::string::npos) << out_;
}

TEST_F(MkdbCommandTest, SynsetRecordsHoldWordsGlossSamplesAndRelations) {
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    uint32_t lakeSense = Refs("lake").back();
    uint32_t bodySense = Refs("body of water").back();
    uint32_t drySense = Refs("dry land").back();
    std::string text =
        "lake\rloch\na body of water$we swam in the lake$paid \xA4"
        "5 for a boat\n";
    ASSERT_EQ(RecordBytes(lakeSense, text.size() + 13),
              text + std::string("\x8A", 1) +
                  std::string(1, char(lcv::RefPosition(bodySense) & 0xFF)) +
                  std::string(1, char(lcv::RefPosition(bodySense) >> 8 & 0xFF)) +
                  std::string(1, char(lcv::RefPosition(bodySense) >> 16)) + std::string(2, '\0') +
                  "\x89" + std::string(1, char(lcv::RefPosition(drySense) & 0xFF)) +
                  std::string(1, char(lcv::RefPosition(drySense) >> 8 & 0xFF)) +
                  std::string(1, char(lcv::RefPosition(drySense) >> 16)) + "\x01\x02" + "\n");
    // Markers like "(p)" are dropped; "\" on an adverb is "derived from adjective".
    uint32_t wetSense = Refs("wet").back();
    EXPECT_EQ(RecordBytes(wetSense, 24), "wet\ncovered with water\n\x9A");
    uint32_t wellSense = Refs("well").back();
    EXPECT_EQ(static_cast<uint8_t>(RecordBytes(wellSense, 20).back()), 0x8D);
}

TEST_F(MkdbCommandTest, TwoBuildsGiveTheSameBytes) {
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    std::string first = dir_.Path() + "first.lcv";
    ASSERT_EQ(std::rename(Output().c_str(), first.c_str()), 0);
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    std::ifstream a(first, std::ios::binary), b(Output(), std::ios::binary);
    std::stringstream sa, sb;
    sa << a.rdbuf();
    sb << b.rdbuf();
    EXPECT_EQ(sa.str(), sb.str());
    EXPECT_GT(sa.str().size(), 64u + 4096u);
}

TEST_F(MkdbCommandTest, BadInputFailsWithItsPlaceAndLeavesNoOutput) {
    std::string longWord(129, 'a');
    struct Case {
        const char* what;
        const char* file;
        std::string text;  // replaces the file; empty removes it
        const char* message;
    } cases[] = {
        {"missing file", "sentidx.vrb", "", "sentidx.vrb: cannot be opened"},
        {"malformed data line", "data.noun",
         std::string(kHeader) + "00002000 09 n 01 body_of_water 0 0x1 | the part\n",
         "data.noun:2: the pointer count is not 3 digits"},
        {"malformed index line", "index.verb", std::string(kHeader) + "swim v one\n",
         "index.verb:2:"},
        {"pointer to a missing synset", "data.verb",
         std::string(kHeader) + "00004000 38 v 01 swim 0 001 + 00009999 n 0101 00 | travel\n",
         "data.verb:2: a \"+\" pointer names synset 9999"},
        {"unknown pointer", "data.adv",
         std::string(kHeader) + "00008000 02 r 01 well 0 001 ?? 00005000 a 0101 | in a good way\n",
         "data.adv:2: pointer 1 is malformed"},
        {"word over 128 bytes", "index.adv",
         std::string(kHeader) + longWord + " r 1 0 1 0 00008000\n", "longer than 128 bytes"},
        {"frame without %s", "sents.vrb", "1 Somebody swims\n", "sents.vrb:1:"},
        {"malformed CMUdict line", "index.js",
         "export const dictionary = {\n  \"lake\" \"L\",\n}\n", "index.js:2:"},
        {"unknown phone", "index.js", "  \"lake\": \"L EY1 Q\",\n", "index.js:1: unknown"},
        {"malformed sense count line", "cntlist.rev", "lake%1:17:00:: 1\n", "cntlist.rev:1:"},
        {"reserved byte in a gloss", "data.adv",
         std::string(kHeader) + "00008000 02 r 01 well 0 000 | costs 5\xA4\n", "data.adv:2:"},
    };
    int n = 0;
    for (const Case& c : cases) {
        sub_ = "case" + std::to_string(++n) + "/";
        auto files = FixtureFiles();
        if (c.text.empty()) {
            files.erase(c.file);
        } else {
            files[c.file] = c.text;
        }
        EXPECT_EQ(Build(files), 1) << c.what;
        EXPECT_NE(err_.find(c.message), std::string::npos) << c.what << ": " << err_;
        EXPECT_FALSE(OutputExists()) << c.what;
    }
}

TEST_F(MkdbCommandTest, UseCountsSumTheSensesAndFormsCountForTheirBase) {
    ASSERT_EQ(Build(FixtureFiles()), 0) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    ASSERT_TRUE(db_.UseCounts().Available());
    struct Case {
        const char* word;
        uint32_t count;
    } cases[] = {{"lake", 5}, {"loch", 2},   {"swim", 7}, {"swam", 7},
                 {"swum", 7}, {"lochen", 2}, {"good", 0}, {"body of water", 0}};
    for (const Case& c : cases) {
        uint32_t n = db_.FindWord(c.word);
        ASSERT_NE(n, 0u) << c.word;
        EXPECT_EQ(db_.UseCounts().Count(n), c.count) << c.word;
    }
}

TEST_F(MkdbCommandTest, WithoutSenseCountsTheDatabaseHasNoUseCounts) {
    auto files = FixtureFiles();
    files.erase("cntlist.rev");
    ASSERT_EQ(Build(files), 0) << err_;
    EXPECT_NE(err_.find("cntlist.rev is missing"), std::string::npos) << err_;
    ASSERT_TRUE(db_.Open(Output().c_str()));
    EXPECT_FALSE(db_.UseCounts().Available());
    EXPECT_EQ(db_.Sections()->Count(), 1u);  // the meaning index
    EXPECT_TRUE(db_.MeaningIndex().Available());
}

TEST_F(MkdbCommandTest, ATextStreamPast16MiBIsRefused) {
    auto files = FixtureFiles();
    files["data.adv"] = std::string(kHeader) + "00008000 02 r 01 well 0 001 \\ 00005000 a 0101 | " +
                        std::string(17 << 20, 'w') + "\n";
    EXPECT_EQ(Build(files), 1);
    EXPECT_NE(err_.find("past the limit of 16 MiB"), std::string::npos) << err_;
    EXPECT_FALSE(OutputExists());
}

TEST_F(MkdbCommandTest, AMissingWordNetFolderIsNamed) {
    EXPECT_EQ(Run({"--wordnet", dir_.Path() + "nowhere", "-o", Output()}), 1);
    EXPECT_NE(err_.find("nowhere does not exist"), std::string::npos) << err_;
    EXPECT_FALSE(OutputExists());
}

TEST_F(MkdbCommandTest, CommandLineHelpVersionAndUsageErrors) {
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.find("Usage: lexicove-mkdb"), std::string::npos);
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(out_.rfind("lexicove-mkdb ", 0), 0u);
    EXPECT_EQ(Run({"--wordnet", "/usr/share/wordnet"}), 2);
    EXPECT_NE(err_.find("no output file"), std::string::npos);
    EXPECT_EQ(Run({"--frobnicate", "-o", Output()}), 2);
    EXPECT_EQ(Run({"-o"}), 2);
    EXPECT_EQ(Run({"dwg", "-o", Output()}), 2);
}

bool Collect(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->push_back(word);
    return true;
}

TEST_F(MkdbCommandTest, AWordListComesBackInByteOrderThroughAPlainIndex) {
    std::string input =
        dir_.WriteFile("words.txt", std::string("zebra\r\nb\n\n\xE9t\xE9\nA\nb\nab\n\xFF\n"));
    std::string output = dir_.Path() + "list.dwg";
    ASSERT_EQ(Run({"dwg", input, "-o", output}), 0) << err_;
    CDataFile file;
    ASSERT_TRUE(file.OpenRead(output.c_str()));
    CLookupIndex index(&file, 0, true);
    ASSERT_EQ(index.Status(), 0);
    std::vector<std::string> words;
    ASSERT_TRUE(index.Enumerate(Collect, &words, "", true));
    EXPECT_EQ(words, (std::vector<std::string>{"A", "ab", "b", "zebra", "\xE9t\xE9", "\xFF"}));
    EXPECT_NE(index.Find("\xE9t\xE9"), 0u);
}

TEST_F(MkdbCommandTest, AWordListLineWithANulIsNamed) {
    std::string input = dir_.WriteFile("words.txt", std::string("one\ntw\0o\n", 9));
    std::string output = dir_.Path() + "list.dwg";
    EXPECT_EQ(Run({"dwg", input, "-o", output}), 1);
    EXPECT_NE(err_.find("words.txt:2: the line holds a NUL"), std::string::npos) << err_;
    EXPECT_NE(access(output.c_str(), F_OK), 0);
    EXPECT_EQ(Run({"dwg", dir_.Path() + "absent.txt", "-o", output}), 1);
    EXPECT_NE(err_.find("absent.txt: cannot be opened"), std::string::npos);
}

}  // namespace
