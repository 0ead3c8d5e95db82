// lexicove-cli run as a process over a small fixture database.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "db/database_writer.h"
#include "db/format.h"
#include "render/ipa_encoding.h"
#include "support/cli_runner.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

// The exit statuses every command documents, stated here on their own so that a change in the
// program's constants shows.
constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;
constexpr int kNoDatabase = 3;

std::string Synset(const std::vector<std::string>& words, const std::string& gloss,
                   const std::string& relations = "") {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        out += words[i] + (i + 1 == words.size() ? "\n" : "\r");
    }
    return out + gloss + "\n" + relations;
}

std::string Relation(uint8_t kind, uint32_t target) {
    std::string r(6, '\0');
    r[0] = static_cast<char>(kind);
    r[1] = static_cast<char>(target & 0xFF);
    r[2] = static_cast<char>((target >> 8) & 0xFF);
    r[3] = static_cast<char>(target >> 16);
    return r;
}

class CliTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new CTempDir;
        CFixtureWriter w;
        uint32_t feline = w.Append(Synset({"feline", "felid"}, "a cat-like mammal"));
        uint32_t pron = w.Append("k" + std::string(1, char(IpaByte(U'\u00E6'))) + "t:s\n");
        uint32_t plural = w.Append("cats\n");
        uint32_t frame = w.Append("Somebody %s something\n");
        uint32_t noun = w.Append(Synset(
            {"cat", "true cat"}, "feline mammal$the cat purred$dogs bark", Relation(0x8A, feline)));
        uint32_t verb = w.Append(Synset({"cat"}, "beat with a whip"));
        w.AddWord("cat",
                  {lcv::MakeRef(0xED, pron), lcv::MakeRef(0xE1, plural), lcv::MakeRef(0xE8, frame),
                   lcv::MakeRef(0x81, noun), lcv::MakeRef(0x82, verb)});
        w.AddWord("feline", {lcv::MakeRef(0x81, feline)});
        uint32_t goose = w.Append(Synset({"goose"}, "a water bird"));
        w.AddWord("goose", {lcv::MakeRef(0x81, goose)});
        w.AddWord("geese", {lcv::MakeRef(0xE0, w.Append("goose\n"))});
        for (const char* word : {"apple", "banana", "cherry", "zebra"}) {
            w.AddWord(word, {lcv::MakeRef(0x81, w.Append(Synset({word}, "a thing")))});
        }
        database_ = new std::string(dir_->Path() + "fixture.lcv");
        w.Write(*database_);
        std::string error;
        wordList_ = new std::string(dir_->Path() + "fruit.dwg");
        ASSERT_TRUE(
            CDatabaseWriter::WriteWordList({"apple", "banana", "cherry"}, *wordList_, &error))
            << error;
    }
    static void TearDownTestSuite() {
        delete database_;
        delete wordList_;
        delete dir_;
    }

    static CliResult Run(const std::vector<std::string>& args, bool withDatabase = true) {
        std::vector<std::string> all;
        if (withDatabase) {
            all = {"--database", *database_};
        }
        all.insert(all.end(), args.begin(), args.end());
        return RunCli(all, dir_->Path());
    }

    static CTempDir* dir_;
    static std::string* database_;
    static std::string* wordList_;
};

CTempDir* CliTest::dir_ = nullptr;
std::string* CliTest::database_ = nullptr;
std::string* CliTest::wordList_ = nullptr;

TEST_F(CliTest, DefinePrintsAReadablePage) {
    CliResult r = Run({"define", "Cats"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "cat\n"
              "/k\xC3\xA6t:s/\n"
              "\n"
              "noun [1]\n"
              "  1. feline mammal \xE2\x80\xA2 the cat purred [links 4]\n"
              "     syn. true cat\n"
              "verb [2]\n"
              "  1. beat with a whip\n"
              "\n"
              "Notes\n"
              "  [1] plural: cats\n"
              "  [2] Sample:\n"
              "      Somebody cat something.\n");
}

TEST_F(CliTest, DefineFollowsRedirectsAndShowsWordLinks) {
    CliResult geese = Run({"define", "GEESE"});
    EXPECT_EQ(geese.status, 0);
    EXPECT_EQ(geese.out, "goose\nnoun\n  1. a water bird\n");
    CliResult links = Run({"define", "--links", "4", "cat"});
    EXPECT_EQ(links.status, 0) << links.err;
    EXPECT_EQ(links.out,
              "Word Links\ncat: feline mammal\n\nSynonym\n  \xE2\x80\xA2 true cat\nHypernym\n"
              "  \xE2\x80\xA2 felid, feline\n");
    // The page text of a link works as a word too.
    EXPECT_EQ(Run({"define", "cat:4"}).out, links.out);
}

TEST_F(CliTest, DefineHtmlIsTheExactPage) {
    CliResult r = Run({"define", "--html", "--links=4", "cat"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
              "charset=ISO-8859-1\"></head><body topmargin=4 leftmargin=4 rightmargin=4 "
              "bgcolor=#FFFFFF><b>Word Links<br><a href=\"cat\">cat</a></b>: feline mammal<br><img "
              "src=pixel.gif width=1 height=4><br><b>Synonym</b><ul><li><a href=\"true cat\">true "
              "cat</a></ul><b>Hypernym</b><ul><li><a href=\"felid\">felid</a>, <a "
              "href=\"feline\">feline</a></ul></body></html>\r\n");
}

// The structured page: senses with their samples, synonyms and Word Links entry, the notes as
// the forms, 8-bit text and the IPA font's bytes as UTF-8.
TEST_F(CliTest, DefineJsonIsTheStructuredPage) {
    CliResult r = Run({"define", "--json", "Cats"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, R"({
  "word": "cat",
  "pronunciations": [
    "kæt:s"
  ],
  "parts": [
    {
      "part": "noun",
      "notes": [
        1
      ],
      "senses": [
        {
          "gloss": "feline mammal",
          "samples": [
            "the cat purred"
          ],
          "synonyms": [
            "true cat"
          ],
          "links": 4
        }
      ]
    },
    {
      "part": "verb",
      "notes": [
        2
      ],
      "senses": [
        {
          "gloss": "beat with a whip",
          "samples": [],
          "synonyms": []
        }
      ]
    }
  ],
  "forms": [
    {
      "note": 1,
      "text": "plural: cats"
    },
    {
      "note": 2,
      "text": "Sample:\nSomebody cat something."
    }
  ]
}
)");
    CliResult links = Run({"define", "--json", "--links", "4", "cat"});
    EXPECT_EQ(links.status, 0) << links.err;
    EXPECT_NE(links.out.find(R"("relation": "Hypernym",
      "words": [
        "felid",
        "feline"
      ])"),
              std::string::npos)
        << links.out;
    EXPECT_EQ(Run({"define", "--json", "--html", "cat"}).status, kUsage);
    CliResult missing = Run({"define", "--json", "bandana"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
}

TEST(CliJsonTest, EightBitTextComesOutAsUtf8) {
    CTempDir dir;
    CFixtureWriter w;
    w.AddWord("cafe", {lcv::MakeRef(0x81, w.Append(Synset({"cafe", "caf\xE9"},
                                                          "a small restaurant "
                                                          "\x96 na\xEFve$a caf\xE9 "
                                                          "near the cafe")))});
    const std::string database = dir.Path() + "cafe.lcv";
    w.Write(database);
    CliResult page = RunCli({"--database", database, "define", "--json", "cafe"}, dir.Path());
    EXPECT_EQ(page.status, 0) << page.err;
    EXPECT_NE(page.out.find("\"synonyms\": [\n            \"caf\xC3\xA9\""), std::string::npos)
        << page.out;
    EXPECT_NE(page.out.find("\"gloss\": \"a small restaurant \xE2\x80\x93 na\xC3\xAFve\""),
              std::string::npos)
        << page.out;
    EXPECT_NE(page.out.find("\"a caf\xC3\xA9 near the cafe\""), std::string::npos) << page.out;
    CliResult list = RunCli({"--database", database, "list", "--json", "c"}, dir.Path());
    EXPECT_EQ(list.out, "{\n  \"prefix\": \"c\",\n  \"words\": [\n    \"cafe\"\n  ]\n}\n");
}

TEST_F(CliTest, WordNotFoundShowsTheNearestWords) {
    CliResult r = Run({"define", "Bandana"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Lexicove could not locate the word definition in current data file.\n"
              "Did you mean: banana?\n"
              "Nearest words:\n  apple\n  banana\n  cat\n  cherry\n  feline\n  geese\n  goose\n"
              "  zebra\n");
    EXPECT_EQ(Run({"define", std::string(300, 'a')}).status, 1);
}

TEST_F(CliTest, SuggestPrintsTheSuggestionsBestFirst) {
    CliResult r = Run({"suggest", "Kat"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "cat\n");
    r = Run({"suggest", "gose"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "goose\ngeese\n");  // geese: same sound, two edits
    r = Run({"suggest", "qqqqqqqq"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    // --json: the same words as a document; none gives an empty list.
    r = Run({"suggest", "--json", "Gose"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\n  \"text\": \"Gose\",\n  \"words\": [\n    \"goose\",\n    \"geese\"\n  ]\n}\n");
    r = Run({"suggest", "qqqqqqqq", "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\n  \"text\": \"qqqqqqqq\",\n  \"words\": []\n}\n");
}

TEST_F(CliTest, MeaningSearchWithoutTheIndexSaysSo) {
    CliResult r = Run({"search", "--meaning", "a small cat"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no meaning index"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"search", "--meaning", "cat", "--puzzle", "c?t"}).status, kUsage);
}

// Every command's ways to end: a wrong command line, no database (missing, or a file that is
// not one), nothing found and found. Export reads its lists from the program folder, where
// Favorites holds "cat" and the Study List has no file, so it is empty.
TEST_F(CliTest, EveryCommandEndsWithItsDocumentedStatus) {
    const std::string home = dir_->MakeDir("exit-home");
    dir_->WriteFile("exit-home/Favorites.txt", "cat\r\n");
    const std::string notADatabase = dir_->WriteFile("exit-home/broken.lcv", "not a database");
    const std::string missingList = dir_->Path() + "missing.dwg";
    // status: with the fixture; withoutDatabase: with a database path that is missing or not a
    // database. A wrong command line is told before the database is opened; keys needs none;
    // a search's query is read by the search itself.
    struct Case {
        std::vector<std::string> args;
        int status;
        int withoutDatabase;
    } cases[] = {
        {{}, kUsage, kUsage},
        {{"frobnicate"}, kUsage, kUsage},
        {{"define"}, kUsage, kUsage},
        {{"define", "--links", "0", "cat"}, kUsage, kUsage},
        {{"define", "bandana"}, kNotFound, kNoDatabase},
        {{"define", "cat"}, kFound, kNoDatabase},
        {{"list", "--bad"}, kUsage, kUsage},
        {{"list", "zz"}, kFound, kNoDatabase},  // the page near the text: never empty
        {{"random", "-n", "x"}, kUsage, kUsage},
        {{"random", "--wordlist", missingList}, kNotFound, kNoDatabase},
        {{"random", "--wordlist", *wordList_}, kFound, kNoDatabase},
        {{"search"}, kUsage, kUsage},
        {{"search", "--puzzle", "c?t", "--anagram", "tac"}, kUsage, kUsage},
        {{"search", "--wildcard", "()"}, kUsage, kNoDatabase},  // an invalid query
        {{"search", "--wildcard", "zzz"}, kNotFound, kNoDatabase},
        {{"search", "--wildcard", "c?t"}, kFound, kNoDatabase},
        {{"suggest"}, kUsage, kUsage},
        {{"suggest", "--bad", "cat"}, kUsage, kUsage},
        {{"suggest", "qqqqqqqq"}, kNotFound, kNoDatabase},
        {{"suggest", "kat"}, kFound, kNoDatabase},
        {{"keys"}, kUsage, kUsage},
        {{"keys", "smith"}, kFound, kFound},
        {{"export"}, kUsage, kUsage},
        {{"export", "favorites", "--format", "xml"}, kUsage, kUsage},
        {{"export", "favorites", "study"}, kUsage, kUsage},
        {{"export", "study"}, kNotFound, kNoDatabase},  // an empty list
        {{"export", "favorites", "-o", dir_->Path() + "no/such/folder/out.csv"},
         kNotFound,
         kNoDatabase},
        {{"export", "favorites"}, kFound, kNoDatabase},
        {{"export", "favorites", "--format", "anki"}, kFound, kNoDatabase},
    };
    auto run = [&](const std::string& database, const std::vector<std::string>& args) {
        std::vector<std::string> all = {"LEXICOVE_HOME=" + home, CliProgramPath(), "--database",
                                        database};
        all.insert(all.end(), args.begin(), args.end());
        return RunProgram("/usr/bin/env", all, dir_->Path());
    };
    const std::string startUpFailure =
        "Lexicove failed to find the database file: WordNet.lcv. Please reinstall the software "
        "to fix the problem.\n";
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& arg : c.args) {
            name += arg + " ";
        }
        SCOPED_TRACE(name);
        CliResult r = run(*database_, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const std::string& database :
             {std::string("/nonexistent/wordnet.lcv"), notADatabase}) {
            CliResult without = run(database, c.args);
            EXPECT_EQ(without.status, c.withoutDatabase) << database;
            if (c.withoutDatabase == kNoDatabase) {
                EXPECT_EQ(without.err, startUpFailure) << database;
                EXPECT_EQ(without.out, "") << database;
            }
        }
    }
    // The empty list still gives its header.
    CliResult empty = run(*database_, {"export", "study"});
    EXPECT_EQ(empty.out, "word,pronunciation,part of speech,gloss,sample\r\n");
    EXPECT_NE(empty.err.find("Study List is empty"), std::string::npos) << empty.err;
}

TEST_F(CliTest, ListShowsTheLookupPage) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"list", "-n", "3"}, "apple\nbanana\ncat\n"},
        {{"list", "  CH ", "-n", "2"}, "cherry\nfeline\n"},
        {{"list", "cat", "-n=2"}, "cat\ncherry\n"},
        // Near the end the page is topped up with the words before the text.
        {{"list", "zz", "-n", "3"}, "geese\ngoose\nzebra\n"},
        {{"list", "-n", "100"}, "apple\nbanana\ncat\ncherry\nfeline\ngeese\ngoose\nzebra\n"},
    };
    for (const Case& c : cases) {
        CliResult r = Run(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[1];
    }
}

TEST_F(CliTest, RandomDrawsFromTheWordList) {
    CliResult r = Run({"random", "-n", "20", "--wordlist", *wordList_});
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(line == "apple" || line == "banana" || line == "cherry" || line == "welcome")
            << line;
    }
    EXPECT_EQ(count, 20);
    EXPECT_EQ(Run({"random", "--wordlist", dir_->Path() + "missing.dwg"}).status, 1);
}

// The rows the Searched tab shows, a word a line and the status row last, and the exit status.
TEST_F(CliTest, SearchPrintsTheSearchedRows) {
    const std::string missing = dir_->Path() + "missing.dwg";
    struct Case {
        std::vector<std::string> args;
        std::string out;
        int status;
    } cases[] = {
        {{"--wildcard", "c*"}, "cat\ncherry\n< Completed >\n", 0},
        {{"--puzzle", "G??SE"}, "geese\ngoose\n< Completed >\n", 0},
        {{"--anagram", "tac"}, "cat\n< Completed >\n", 0},
        {{"--anagram", "ppleab", "--length", "5"}, "apple\n< Completed >\n", 0},
        {{"--phonetic", "kat"}, "cat\n< Completed >\n", 0},
        {{"--wildcard", "*", "--limit", "3"}, "apple\nbanana\ncat\n< Truncated >\n", 0},
        {{"--wildcard", "*e*", "--wordlist", *wordList_}, "apple\ncherry\n< Completed >\n", 0},
        {{"--wildcard", "zzz"}, "< No word found >\n", 1},
        {{"--wildcard", "()"}, "< Invalid Query >\n", kUsage},
        {{"--wildcard", "c*", "--wordlist", missing}, "< Data Error >\n", 1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"search"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliResult r = Run(args);
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        EXPECT_EQ(r.out, c.out) << r.err;
        EXPECT_EQ(r.status, c.status);
    }
}

TEST_F(CliTest, HelpVersionAndWrongCommandLines) {
    struct Case {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"--help"}, 0},
        {{"--version"}, 0},
        {{"define", "--help"}, 0},
        {{}, kUsage},
        {{"frobnicate"}, kUsage},
        {{"define"}, kUsage},
        {{"define", "-x", "a"}, kUsage},
        {{"list", "-n", "0"}, kUsage},
        {{"random", "-n", "x"}, kUsage},
        {{"define", "--links", "cat"}, kUsage},
    };
    for (const Case& c : cases) {
        CliResult r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << (c.args.empty() ? "" : c.args[0]) << " " << r.err;
    }
    EXPECT_NE(Run({"--version"}).out.find("lexicove-cli "), std::string::npos);
    EXPECT_NE(Run({"--help"}).out.find("define [--html | --json] [--links N] WORD"),
              std::string::npos);
}

}  // namespace
