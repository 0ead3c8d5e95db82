#include "lists/list_exporter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "lists/word_list.h"
#include "render/ipa_encoding.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

// A dictionary of two words: "cafe", whose gloss holds commas, quotes, a "<" and an 8-bit
// character and whose pronunciation is in the IPA encoding, and "goose" with its plural.
class ListExporterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CFixtureWriter w;
        const uint32_t pron = w.Append("k" + std::string(1, char(IpaByte(U'\u00E6'))) + "fe\n");
        const uint32_t cafe =
            w.Append("cafe\na small \"bistro\", 2 < 3, caf\xE9$the cafe was full\n");
        w.AddWord("cafe", {lcv::MakeRef(0xED, pron), lcv::MakeRef(0x81, cafe)});
        const uint32_t goose = w.Append("goose\na water bird\n");
        w.AddWord("goose", {lcv::MakeRef(0x81, goose)});
        w.AddWord("geese", {lcv::MakeRef(0xE0, w.Append("goose\n"))});
        path_ = dir_.Path() + "fixture.lcv";
        w.Write(path_);
        ASSERT_TRUE(database_.Open(path_.c_str()));
    }

    std::string Export(const std::vector<const char*>& items, ExportFormat format) {
        CWordList list;
        for (const char* item : items) {
            list.Add(item);
        }
        return CListExporter(&database_).Export(list, format);
    }

    CTempDir dir_;
    std::string path_;
    CDictionaryDatabase database_;
};

TEST_F(ListExporterTest, CsvQuotesWhatNeedsItAndWritesUtf8) {
    EXPECT_EQ(Export({"cafe", "Geese", "goose:1", "no such word"}, EXPORT_CSV),
              "word,pronunciation,part of speech,gloss,sample\r\n"
              "cafe,k\xC3\xA6"
              "fe,noun,\"a small \"\"bistro\"\", 2 < 3, caf\xC3\xA9\",the cafe was "
              "full\r\n"
              "Geese,,noun,a water bird,\r\n"
              "goose,,noun,a water bird,\r\n"
              "no such word,,,,\r\n");
}

TEST_F(ListExporterTest, AnkiEscapesTheMarkup) {
    EXPECT_EQ(Export({"cafe", "no such word"}, EXPORT_ANKI),
              "#separator:tab\n#html:true\n#columns:Front\tBack\n"
              "cafe\t/k\xC3\xA6"
              "fe/<br><i>noun</i> a small &quot;bistro&quot;, 2 &lt; 3, caf\xC3\xA9\n"
              "no such word\t\n");
}

TEST_F(ListExporterTest, AnEmptyListGivesTheHeaderAlone) {
    EXPECT_EQ(Export({}, EXPORT_CSV), "word,pronunciation,part of speech,gloss,sample\r\n");
    EXPECT_EQ(Export({}, EXPORT_ANKI), "#separator:tab\n#html:true\n#columns:Front\tBack\n");
}

}  // namespace
