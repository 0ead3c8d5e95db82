#pragma once

// A fixture dictionary for the study assistance: 2,000 three-letter words "aaa" to "tjj", so
// that nearly every random draw lands on a word, and word-list files beside it in a scratch
// program folder. The random draws run on a clock that steps by one millisecond per draw
// from a set start, so that a run of draws can be replayed.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace study_fixture {

inline uint32_t g_clock = 0;

inline uint32_t SteppingClock() {
    return ++g_clock;
}

inline std::vector<std::string> DictionaryWords() {
    std::vector<std::string> words;
    for (char a = 'a'; a <= 't'; ++a) {
        for (char b = 'a'; b <= 'j'; ++b) {
            for (char c = 'a'; c <= 'j'; ++c) {
                words.push_back(std::string{a, b, c});
            }
        }
    }
    return words;
}

// The words of the word-list files: the dictionary's words with an "x" after them, none of
// them a dictionary word.
inline std::vector<std::string> ListWords() {
    std::vector<std::string> words;
    for (const std::string& word : DictionaryWords()) {
        words.push_back(word + "x");
    }
    return words;
}

class StudyFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        CFixtureWriter writer;
        for (const std::string& word : DictionaryWords()) {
            writer.AddWord(word);
        }
        writer.Write(folder_.Path() + "wordnet.lcv");
        ASSERT_TRUE(database_.Open((folder_.Path() + "wordnet.lcv").c_str()));
        database_.SetTimeSource(SteppingClock);
        g_clock = 0;
        std::string error;
        ASSERT_TRUE(
            CDatabaseWriter::WriteWordList(ListWords(), folder_.Path() + "words.dwg", &error))
            << error;
    }

    CTempDir folder_;
    CDictionaryDatabase database_;
};

}  // namespace study_fixture
