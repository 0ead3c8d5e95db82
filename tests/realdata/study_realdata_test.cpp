// The daily Study List words and the word of the day over the real wordnet.lcv (in the program
// folder, or $LEXICOVE_DATABASE), from the dictionary and from a word-list file made of some
// of its words. Skipped when there is no database: scripts/dev.sh database builds it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "lists/word_list.h"
#include "options/study_assistant.h"
#include "support/real_database.h"
#include "support/temp_dir.h"

namespace {

bool KeepWordsEndingInNess(void* context, const char* word, uint32_t) {
    std::string text = word;
    if (text.size() > 4 && text.compare(text.size() - 4, 4, "ness") == 0) {
        static_cast<std::vector<std::string>*>(context)->push_back(text);
    }
    return true;
}

class StudyRealDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string path = RealDatabasePath();
        if (::access(path.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path << " (scripts/dev.sh database builds it)";
        }
        ASSERT_TRUE(db_.Open(path.c_str())) << path;
        // A clock that never moves: the draws still differ through the running seed, and
        // every run draws the same words.
        db_.SetTimeSource([] { return 4321u; });
    }

    CDictionaryDatabase db_;
    CTempDir folder_;
};

TEST_F(StudyRealDataTest, NinetyNineStudyWordsAreDictionaryWords) {
    CStudyAssistant study(&db_, folder_.Path());
    CWordList list;
    ASSERT_TRUE(study.AddStudyWords(&list, 99, u""));
    EXPECT_GT(list.Count(), 90);
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_NE(db_.FindWord(list.At(i)), 0u) << list.At(i);
    }
}

TEST_F(StudyRealDataTest, WordsOfAWordListFileComeFromIt) {
    std::vector<std::string> words;
    db_.EnumerateWords(KeepWordsEndingInNess, &words, "", true);
    ASSERT_GT(words.size(), 1000u);
    std::string error;
    ASSERT_TRUE(CDatabaseWriter::WriteWordList(words, folder_.Path() + "ness words.dwg", &error))
        << error;
    std::set<std::string> listed(words.begin(), words.end());
    CStudyAssistant study(&db_, folder_.Path());
    CWordList list;
    ASSERT_TRUE(study.AddStudyWords(&list, 50, u"ness words.dwg"));
    int fromFile = 0;
    for (int i = 0; i < list.Count(); ++i) {
        bool inFile = listed.count(list.At(i)) != 0;
        // Past the file's last word a draw keeps "welcome".
        EXPECT_TRUE(inFile || std::string(list.At(i)) == "welcome") << list.At(i);
        fromFile += inFile ? 1 : 0;
    }
    EXPECT_GT(fromFile, 30);
    std::string word;
    ASSERT_TRUE(study.DrawWord(u"ness words.dwg", &word));
    EXPECT_TRUE(listed.count(word) != 0 || word == "welcome") << word;
}

}  // namespace
