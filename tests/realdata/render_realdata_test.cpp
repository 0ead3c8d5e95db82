// Word pages over the real wordnet.lcv (in the program folder, or $LEXICOVE_DATABASE),
// checked against WordNet's own files. Skipped when there is no database: scripts/dev.sh
// database builds it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "support/cli_runner.h"
#include "support/real_database.h"
#include "support/temp_dir.h"

namespace {

std::string WordNetDir() {
    const char* dir = std::getenv("LEXICOVE_WORDNET_DIR");
    return dir != nullptr ? dir : "/usr/share/wordnet";
}

// The synset offsets of a lemma in WordNet's sense order, from index.POS.
std::vector<long> SenseOffsets(const std::string& pos, const std::string& lemma) {
    std::ifstream index(WordNetDir() + "/index." + pos);
    for (std::string line; std::getline(index, line);) {
        if (line.rfind(lemma + " ", 0) != 0) {
            continue;
        }
        std::istringstream fields(line);
        std::string word, type;
        int synsets = 0, pointers = 0;
        fields >> word >> type >> synsets >> pointers;
        for (std::string skip; pointers-- > 0;) {
            fields >> skip;
        }
        int senses = 0, tagged = 0;
        fields >> senses >> tagged;
        std::vector<long> offsets;
        for (long offset; offsets.size() < size_t(synsets) && fields >> offset;) {
            offsets.push_back(offset);
        }
        return offsets;
    }
    return {};
}

// The definition part of a synset's gloss in data.POS: the text after "| " up to its first
// quoted example.
std::string Definition(const std::string& pos, long offset) {
    std::ifstream data(WordNetDir() + "/data." + pos);
    data.seekg(offset);
    std::string line;
    std::getline(data, line);
    std::string gloss = line.substr(line.find(" | ") + 3);
    size_t example = gloss.find("; \"");
    if (example == std::string::npos && !gloss.empty() && gloss[0] == '"') {
        example = 0;
    }
    std::string definition = gloss.substr(0, example);
    while (!definition.empty() && (definition.back() == ' ' || definition.back() == ';')) {
        definition.pop_back();
    }
    return definition;
}

int AppendHtml(void* context, const char* text, int length, int kind) {
    if (kind == RENDER_HTML) {
        auto* page = static_cast<std::string*>(context);
        page->append(text, length < 0 ? std::strlen(text) : size_t(length));
    }
    return kind == RENDER_NOTE ? 0 : 1;
}

// The definitions of the senses listed under a part-of-speech heading of a word page.
std::vector<std::string> ListedDefinitions(const std::string& page, const std::string& label) {
    std::vector<std::string> definitions;
    size_t heading = page.find("<b>" + label + "</b>");
    if (heading == std::string::npos) {
        return definitions;
    }
    size_t begin = page.find("<ol>", heading);
    size_t end = page.find("</ol>", begin);
    std::string list = page.substr(begin, end - begin);
    for (size_t item = list.find("<li>"); item != std::string::npos;) {
        size_t next = list.find("<li>", item + 4);
        std::string text =
            list.substr(item + 4, next == std::string::npos ? next : next - item - 4);
        size_t stop = text.size();
        for (const char* marker : {" \x95 ", "&nbsp;<a href=", "<table", "<br><img"}) {
            stop = std::min(stop, text.find(marker));
        }
        definitions.push_back(text.substr(0, stop));
        item = next;
    }
    return definitions;
}

class RealDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = RealDatabasePath();
        if (::access(path_.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path_ << " (scripts/dev.sh database builds it)";
        }
        ASSERT_TRUE(db_.Open(path_.c_str())) << path_;
    }

    std::string WordPage(const char* word, int entryIndex = 0) {
        char buffer[LOOKUP_BUFFER_SIZE];
        std::snprintf(buffer, sizeof buffer, "%s", word);
        uint32_t number = 0;
        EXPECT_TRUE(db_.LookupWord(buffer, &number)) << word;
        std::string page;
        db_.RenderEntry(AppendHtml, &page, buffer, number, entryIndex);
        return page;
    }

    std::string path_;
    CDictionaryDatabase db_;
    CTempDir scratch_;
};

TEST_F(RealDatabaseTest, RunListsWordNetsSensesInOrderWithTheirGlosses) {
    std::string page = WordPage("run");
    struct Part {
        const char* pos;
        const char* label;
        size_t senses;
    } parts[] = {{"noun", "noun", 16}, {"verb", "verb", 41}};
    for (const Part& part : parts) {
        std::vector<long> offsets = SenseOffsets(part.pos, "run");
        ASSERT_EQ(offsets.size(), part.senses) << "WordNet's index." << part.pos;
        std::vector<std::string> listed = ListedDefinitions(page, part.label);
        ASSERT_EQ(listed.size(), part.senses) << part.label;
        for (size_t i = 0; i < offsets.size(); ++i) {
            EXPECT_EQ(listed[i], Definition(part.pos, offsets[i]))
                << part.label << " sense " << i + 1;
        }
    }
}

TEST_F(RealDatabaseTest, DefineGeeseShowsGoose) {
    CliResult r = RunCli({"--database", path_, "define", "geese"}, scratch_.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "goose");
    EXPECT_NE(r.out.find("noun"), std::string::npos);
}

TEST_F(RealDatabaseTest, WordLinksOfDogsFirstNounSenseListItsHypernyms) {
    uint32_t refs[RENDER_MAX_ENTRY_REFS];
    int count = db_.LookupIndex()->ReadEntryRefs(db_.FindWord("dog"), refs, RENDER_MAX_ENTRY_REFS);
    int first = 0;
    while (first < count && lcv::RefKind(refs[first]) != lcv::ENTRY_NOUN) {
        ++first;
    }
    ASSERT_LT(first, count);
    CliResult r =
        RunCli({"--database", path_, "define", "--links", std::to_string(first + 1), "dog"},
               scratch_.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    size_t heading = r.out.find("\nHypernym\n");
    ASSERT_NE(heading, std::string::npos) << r.out;
    std::string group = r.out.substr(heading + 10, r.out.find('\n', heading + 10) - heading - 10);
    EXPECT_NE(group.find("canine"), std::string::npos) << group;
    EXPECT_NE(group.find("domestic animal"), std::string::npos) << group;
}

TEST_F(RealDatabaseTest, EveryWordOfASampleRendersAWellClosedPage) {
    std::vector<std::string> words;
    auto collect = [](void* context, const char* word, uint32_t) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(word);
        return true;
    };
    db_.EnumerateWords(collect, &words, "", true);
    ASSERT_GT(words.size(), 100000u);
    for (size_t i = 0; i < words.size(); i += words.size() / 500) {
        std::string page = WordPage(words[i].c_str());
        size_t opened = 0, closed = 0;
        for (size_t at = page.find("<ol>"); at != std::string::npos;
             at = page.find("<ol>", at + 1)) {
            ++opened;
        }
        for (size_t at = page.find("</ol>"); at != std::string::npos;
             at = page.find("</ol>", at + 1)) {
            ++closed;
        }
        EXPECT_EQ(opened, closed) << words[i];
    }
}

}  // namespace
