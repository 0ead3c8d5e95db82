#include "options/random_word_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "study_fixture.h"

namespace {

using study_fixture::StudyFixture;

class RandomWordSourceTest : public StudyFixture {
  protected:
    std::set<std::string> Draws(const std::u16string& name, int count) {
        CRandomWordSource source(&database_);
        EXPECT_TRUE(source.Open(folder_.Path(), name));
        std::set<std::string> words;
        std::string word;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(source.Draw(&word));
            words.insert(word);
        }
        return words;
    }
};

TEST_F(RandomWordSourceTest, TheDictionaryGivesItsOwnWords) {
    std::set<std::string> words = Draws(u"", 50);
    EXPECT_GT(words.size(), 40u);  // a running seed: draws in a row differ
    for (const std::string& word : words) {
        EXPECT_TRUE(word == "welcome" || database_.FindWord(word.c_str()) != 0) << word;
    }
}

TEST_F(RandomWordSourceTest, AWordListFileGivesItsWords) {
    std::vector<std::string> list = study_fixture::ListWords();
    std::set<std::string> words = Draws(u"words.dwg", 50);
    size_t fromList = 0;
    for (const std::string& word : words) {
        bool listed = std::find(list.begin(), list.end(), word) != list.end();
        EXPECT_TRUE(listed || word == "welcome") << word;
        fromList += listed ? 1 : 0;
    }
    EXPECT_GT(fromList, 40u);
}

TEST_F(RandomWordSourceTest, NothingDrawnBeforeOpening) {
    CRandomWordSource source(&database_);
    std::string word = "kept";
    EXPECT_FALSE(source.Draw(&word));
    EXPECT_EQ(word, "kept");
}

struct RefusedSource {
    const char* fault;
    std::u16string name;
    std::string file;  // written under that name when not empty
};

class RefusedSourceTest : public StudyFixture,
                          public ::testing::WithParamInterface<RefusedSource> {};

TEST_P(RefusedSourceTest, OpensNothing) {
    const RefusedSource& c = GetParam();
    if (!c.file.empty()) {
        folder_.WriteFile(std::string(c.name.begin(), c.name.end()), c.file);
    }
    CRandomWordSource source(&database_);
    EXPECT_FALSE(source.Open(folder_.Path(), c.name));
    std::string word = "kept";
    EXPECT_FALSE(source.Draw(&word));
    EXPECT_EQ(word, "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedSourceTest,
    ::testing::Values(RefusedSource{"MissingFile", u"gone.dwg", ""},
                      RefusedSource{"TextNotATrie", u"text.dwg", "just some words\r\nin lines\r\n"},
                      RefusedSource{"ShortFile", u"short.dwg", std::string("\x01\x00", 2)},
                      RefusedSource{"NameLeavesTheFolder", u"../wordnet.lcv", ""},
                      RefusedSource{"NameInASubfolder", u"sub/words.dwg", ""}),
    [](const ::testing::TestParamInfo<RefusedSource>& info) { return info.param.fault; });

TEST_F(RandomWordSourceTest, APathLongerThan255CharactersIsRefused) {
    std::vector<uint8_t> image;
    std::string error;
    ASSERT_TRUE(CDatabaseWriter::BuildWordList(study_fixture::ListWords(), &image, &error));
    // A folder whose path with the name comes to exactly 255 characters, then one more.
    std::string folder = folder_.Path();
    std::string sub(200 - folder.size(), 'd');
    std::string deep = folder_.MakeDir(sub);
    ASSERT_EQ(deep.size(), 201u);
    std::string fits(255 - deep.size() - 4, 'n');
    folder_.WriteFile(sub + "/" + fits + ".dwg", image);
    folder_.WriteFile(sub + "/" + fits + "n.dwg", image);
    CRandomWordSource source(&database_);
    std::u16string name(fits.begin(), fits.end());
    EXPECT_TRUE(source.Open(deep, name + u".dwg"));
    EXPECT_FALSE(source.Open(deep, name + u"n.dwg"));
}

}  // namespace
