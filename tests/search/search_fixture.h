#pragma once

// Small word tries for the search tests: written with the core's writer (plain *.dwg tries,
// or dictionary databases whose words carry entry references) or from hand-made bytes, and
// searched with a collecting callback.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/data_file.h"
#include "db/database_writer.h"
#include "search/search_index.h"
#include "support/temp_dir.h"

struct FoundWords {
    std::vector<std::string> words;
    size_t stopAfter = SIZE_MAX;         // the callback declines the word that makes this many
    size_t stopRequestAfter = SIZE_MAX;  // asks for a stop once this many have come
};

inline bool CollectWord(void* context, const char* word, uint32_t number) {
    auto* found = static_cast<FoundWords*>(context);
    EXPECT_EQ(number, 0u);
    found->words.push_back(word);
    if (found->words.size() >= found->stopRequestAfter) {
        CSearchIndex::RequestStop();
    }
    return found->words.size() < found->stopAfter;
}

// A CSearchIndex over a file in a scratch folder.
class CSearchFixture {
  public:
    // A plain word trie of the words (sorted, duplicates dropped by the writer).
    void OpenWords(const std::vector<std::string>& words) {
        std::vector<uint8_t> image;
        std::string error;
        ASSERT_TRUE(CDatabaseWriter::BuildWordList(words, &image, &error)) << error;
        OpenBytes(image, true);
    }
    void OpenBytes(const std::vector<uint8_t>& bytes, bool plain) {
        index_.reset();
        file_ = std::make_unique<CDataFile>();
        path_ = dir_.WriteFile("words.dwg", bytes);
        ASSERT_TRUE(file_->OpenRead(path_.c_str()));
        index_ = std::make_unique<CSearchIndex>(file_.get(), 0, plain);
        ASSERT_EQ(index_->Status(), 0);
    }

    // Runs a search; the words come back as reported, duplicates included.
    int Search(const std::string& query, int mode, FoundWords* found) {
        CSearchIndex::ClearStop();
        return index_->Search(CollectWord, found, query.c_str(), mode);
    }

    CSearchIndex& Index() { return *index_; }
    const std::string& Path() const { return path_; }
    const CTempDir& Dir() const { return dir_; }

  private:
    CTempDir dir_;
    std::string path_;
    std::unique_ptr<CDataFile> file_;
    std::unique_ptr<CSearchIndex> index_;
};
