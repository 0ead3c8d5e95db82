#include "search/search_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/messages.h"
#include "app/options_record.h"
#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "lists/word_list.h"
#include "search/recording_listener.h"
#include "search/search_result_sink.h"
#include "search/search_status.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

// A dictionary of 300 three-letter words "baa" .. plus a few with spaces and sounds.
std::vector<std::string> FixtureWords() {
    std::vector<std::string> words = {"ab",    "abc",   "ice cream", "schmidt",
                                      "smith", "smyth", "zebra"};
    for (char a = 'b'; a <= 'm'; ++a) {
        for (char b = 'a'; b <= 'y'; ++b) {
            words.push_back(std::string{a, b, 'q'});
        }
    }
    return words;  // 7 + 12 * 25 = 307 words
}

class SearchWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CFixtureWriter writer;
        uint32_t record = writer.Append("a record\n");
        for (const std::string& word : FixtureWords()) {
            writer.AddWord(word, {lcv::MakeRef(lcv::ENTRY_NOUN, record)});
        }
        std::string path = dir_.Path() + "wordnet.lcv";
        writer.Write(path);
        ASSERT_TRUE(database_.Open(path.c_str()));
        sink_.searched = &searched_;
        sink_.listener = &listener_;
    }

    // Starts a search and waits until the worker is idle again.
    void RunSearch(const std::u16string& query, int mode = SEARCH_MODE_PATTERN,
                   const std::string& path = "") {
        ASSERT_TRUE(worker_.Start(query, mode, path));
        ASSERT_TRUE(listener_.WaitDone());
        WaitIdle();
    }
    void WaitIdle() {
        for (int i = 0; i < 60000 && worker_.IsBusy(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_FALSE(worker_.IsBusy());
    }
    std::vector<intptr_t> AddedPositions() const {
        std::vector<intptr_t> positions;
        for (const auto& m : listener_.Messages()) {
            if (m.message == WM_LIST_ITEM_ADDED) {
                EXPECT_EQ(m.wParam, LIST_SEARCHED);
                positions.push_back(m.lParam);
            }
        }
        return positions;
    }
    std::vector<intptr_t> DoneStatuses() const {
        std::vector<intptr_t> statuses;
        for (const auto& m : listener_.Messages()) {
            if (m.message == WM_SEARCH_DONE) {
                EXPECT_EQ(m.wParam, 0);
                statuses.push_back(m.lParam);
            }
        }
        return statuses;
    }

    CTempDir dir_;
    CDictionaryDatabase database_;
    CWordList searched_;
    CRecordingListener listener_{&searched_};
    SearchSinkContext sink_;
    COptionsRecord options_;
    CSearchWorker worker_{&database_, &sink_, &options_};
};

TEST_F(SearchWorkerTest, TheResultLimitEndsTheSearchOnTheWordThatFillsTheList) {
    RunSearch(u"*");
    std::vector<std::string> rows = listener_.Rows();
    ASSERT_EQ(rows.size(), 129u);
    EXPECT_EQ(rows.front(), "ab");
    EXPECT_EQ(rows.back(), "< Truncated >");
    EXPECT_EQ(searched_.Count(), RESULT_LIMIT_DEFAULT);
    EXPECT_EQ(DoneStatuses(), std::vector<intptr_t>{SEARCH_TRUNCATED});
    EXPECT_EQ(listener_.Clears(), 1);

    // The limit comes from the options record when the search starts.
    CRecordingListener second(&searched_);
    sink_.listener = &second;
    ASSERT_TRUE(options_.SetResultLimit(5));
    ASSERT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, ""));
    ASSERT_TRUE(second.WaitDone());
    WaitIdle();
    EXPECT_EQ(second.Rows(),
              (std::vector<std::string>{"ab", "abc", "baq", "bbq", "bcq", "< Truncated >"}));
}

TEST_F(SearchWorkerTest, ADuplicateIsAnnouncedAgainAtItsPositionAndAddsNoRow) {
    RunSearch(u"ab*");  // "ab" comes at its node and again through the empty run
    EXPECT_EQ(AddedPositions(), (std::vector<intptr_t>{-1, 0, 0, 1, -1}));
    EXPECT_EQ(listener_.Rows(), (std::vector<std::string>{"ab", "abc", "< Completed >"}));
}

TEST_F(SearchWorkerTest, StatusRowsTellHowTheSearchEnded) {
    struct Case {
        std::u16string query;
        int mode;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {u"zzzzz", SEARCH_MODE_PATTERN, {"< No word found >"}},
        {u"()", SEARCH_MODE_PATTERN, {"< Invalid Query >"}},
        {u"[abc", SEARCH_MODE_PATTERN, {"< Invalid Query >"}},
        {u"icecream", SEARCH_MODE_PATTERN, {"ice cream", "< Completed >"}},
        {u"smith", SEARCH_MODE_PHONETIC, {"schmidt", "smith", "smyth", "< Completed >"}},
        // A character the 8-bit word index cannot hold would become a wildcard "?".
        {u"c\u4e2dt", SEARCH_MODE_PATTERN, {"< Invalid Query >"}},
        {std::u16string(128, u'*'), SEARCH_MODE_PATTERN, {"< Invalid Query >"}},
        {u"cat", 9, {"< Invalid Query >"}},
        // Far more steps than the dictionary has nodes, and no word at the end of them.
        {u"{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}zzz",
         SEARCH_MODE_PATTERN,
         {"< No word found >"}},
    };
    for (const Case& c : cases) {
        CRecordingListener listener(&searched_);
        sink_.listener = &listener;
        ASSERT_TRUE(worker_.Start(c.query, c.mode, ""));
        ASSERT_TRUE(listener.WaitDone());
        WaitIdle();
        EXPECT_EQ(listener.Rows(), c.rows) << c.rows.front();
    }
}

TEST_F(SearchWorkerTest, TheOptionsSetTheMatchingFlags) {
    options_.SetKeepSpaces(true);
    RunSearch(u"icecream");
    EXPECT_EQ(listener_.Rows(), std::vector<std::string>{"< No word found >"});
}

TEST_F(SearchWorkerTest, AWordListIsSearchedWithSpacesIgnoredAndPunctuationKept) {
    std::string error;
    std::string path = dir_.Path() + "names.dwg";
    ASSERT_TRUE(CDatabaseWriter::WriteWordList({"new york", "u.s.a.", "usa"}, path, &error))
        << error;
    options_.SetKeepSpaces(true);
    options_.SetKeepNonAlphanumerics(false);
    RunSearch(u"{newyork,u?s?a?}", SEARCH_MODE_PATTERN, path);
    EXPECT_EQ(listener_.Rows(), (std::vector<std::string>{"new york", "u.s.a.", "< Completed >"}));
}

TEST_F(SearchWorkerTest, AMissingWordListIsADataError) {
    RunSearch(u"*", SEARCH_MODE_PATTERN, dir_.Path() + "missing.dwg");
    EXPECT_EQ(listener_.Rows(), std::vector<std::string>{"< Data Error >"});
    EXPECT_EQ(searched_.Count(), 0);

    CRecordingListener second(&searched_);
    sink_.listener = &second;
    std::string notATrie = dir_.WriteFile("bad.dwg", std::string("not a word list"));
    ASSERT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, notATrie));
    ASSERT_TRUE(second.WaitDone());
    WaitIdle();
    EXPECT_EQ(second.Rows(), std::vector<std::string>{"< Data Error >"});
}

TEST_F(SearchWorkerTest, StopSearchingKeepsTheWordsFoundSoFar) {
    listener_.HoldPost(1);  // the start call's announcement
    ASSERT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, ""));
    ASSERT_TRUE(listener_.WaitHeld());
    database_.StopSearch();  // before the search proper has begun: it still counts
    listener_.Release();
    ASSERT_TRUE(listener_.WaitDone());
    WaitIdle();
    EXPECT_EQ(listener_.Rows(), std::vector<std::string>{"< Cancelled >"});

    // A stop in the middle: the worker is held while it announces its second word (the
    // posts are the start call's, "ab", "ab" again, then "abc").
    CRecordingListener second(&searched_);
    sink_.listener = &second;
    second.HoldPost(4);
    ASSERT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, ""));
    ASSERT_TRUE(second.WaitHeld());
    database_.StopSearch();
    second.Release();
    ASSERT_TRUE(second.WaitDone());
    WaitIdle();
    EXPECT_EQ(second.Rows(), (std::vector<std::string>{"ab", "abc", "< Cancelled >"}));
    EXPECT_EQ(DoneStatuses(), std::vector<intptr_t>{SEARCH_CANCELLED});
}

TEST_F(SearchWorkerTest, ASearchPastTheTimeLimitIsCancelled) {
    // With the limit at nothing, the search ends at its first look at the clock.
    database_.SearchIndex()->SetTimeLimit(std::chrono::milliseconds(0));
    RunSearch(u"{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}{,}ab");
    EXPECT_EQ(listener_.Rows(), (std::vector<std::string>{"ab", "< Cancelled >"}));
    EXPECT_EQ(DoneStatuses(), std::vector<intptr_t>{SEARCH_CANCELLED});
}

// While the worker hands over its final status it is still busy but no longer searching: a
// window that updates its commands on that report (Stop Searching) sees the search as ended.
TEST_F(SearchWorkerTest, TheFinalReportEndsTheSearchBeforeTheWorkerIsIdle) {
    RunSearch(u"zzz");  // no word; a second search of it posts as many messages
    EXPECT_FALSE(worker_.IsSearching());
    listener_.HoldPost(static_cast<int>(listener_.Messages().size()));
    ASSERT_TRUE(worker_.Start(u"zzz", SEARCH_MODE_PATTERN, ""));
    ASSERT_TRUE(listener_.WaitHeld());
    EXPECT_EQ(DoneStatuses().size(), 2u);  // held at the last post, after the final status
    EXPECT_TRUE(worker_.IsBusy());
    EXPECT_FALSE(worker_.IsSearching());
    listener_.Release();
    WaitIdle();
}

TEST_F(SearchWorkerTest, ASecondRequestWhileBusyIsDropped) {
    listener_.HoldPost(1);
    ASSERT_TRUE(worker_.Start(u"ab*", SEARCH_MODE_PATTERN, ""));
    ASSERT_TRUE(listener_.WaitHeld());
    EXPECT_TRUE(worker_.IsBusy());
    EXPECT_FALSE(worker_.Start(u"zebra", SEARCH_MODE_PATTERN, ""));
    listener_.Release();
    ASSERT_TRUE(listener_.WaitDone());
    WaitIdle();
    EXPECT_EQ(listener_.Rows(), (std::vector<std::string>{"ab", "abc", "< Completed >"}));
    EXPECT_EQ(DoneStatuses().size(), 1u);
    EXPECT_EQ(listener_.Clears(), 1);
}

TEST_F(SearchWorkerTest, AnEmptyQueryIsRefused) {
    EXPECT_FALSE(worker_.Start(u"", SEARCH_MODE_PATTERN, ""));
    EXPECT_FALSE(worker_.IsBusy());
    EXPECT_TRUE(listener_.Messages().empty());
}

TEST_F(SearchWorkerTest, AThreadThatCannotBeMadeIsReported) {
    worker_.SetThreadStarter([](void (*)(CSearchWorker*), CSearchWorker*) { return false; });
    EXPECT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, ""));
    EXPECT_FALSE(worker_.IsBusy());
    EXPECT_EQ(listener_.Errors(),
              std::vector<std::string>{"Failed to create new thread to search."});
    EXPECT_TRUE(listener_.Messages().empty());
}

// The terminal's way: the whole search before the call returns, on the calling thread, with
// the same rows as the window's; no thread is made, and the requests Start refuses are refused.
TEST_F(SearchWorkerTest, SearchHereRunsTheSearchOnTheCallingThread) {
    worker_.SetThreadStarter([](void (*)(CSearchWorker*), CSearchWorker*) { return false; });
    ASSERT_TRUE(options_.SetResultLimit(3));
    EXPECT_EQ(worker_.SearchHere(u"b?q", SEARCH_MODE_PATTERN, ""), SEARCH_TRUNCATED);
    EXPECT_FALSE(worker_.IsBusy());
    EXPECT_EQ(listener_.Rows(), (std::vector<std::string>{"baq", "bbq", "bcq", "< Truncated >"}));
    EXPECT_EQ(listener_.Clears(), 1);
    EXPECT_TRUE(listener_.Errors().empty());

    EXPECT_EQ(worker_.SearchHere(u"", SEARCH_MODE_PATTERN, ""), SEARCH_INVALID_QUERY);
    EXPECT_EQ(listener_.Clears(), 1);
    EXPECT_EQ(worker_.SearchHere(u"zz?", SEARCH_MODE_PATTERN, dir_.Path() + "missing.dwg"),
              SEARCH_DATA_ERROR);
    EXPECT_EQ(listener_.Rows(), std::vector<std::string>{"< Data Error >"});
}

TEST_F(SearchWorkerTest, TheMainThreadReadsTheListWhileTheWorkerFillsIt) {
    ASSERT_TRUE(options_.SetResultLimit(999));
    ASSERT_TRUE(worker_.Start(u"*", SEARCH_MODE_PATTERN, ""));
    // Each position once seen keeps naming the same word while the search runs.
    std::vector<std::string> seen;
    while (worker_.IsBusy()) {
        int count = searched_.Count();
        for (int i = static_cast<int>(seen.size()); i < count; ++i) {
            std::string word;
            ASSERT_TRUE(searched_.CopyAt(i, &word));
            seen.push_back(word);
        }
        for (size_t i = 0; i < seen.size(); i += 17) {
            std::string word;
            ASSERT_TRUE(searched_.CopyAt(static_cast<int>(i), &word));
            EXPECT_EQ(word, seen[i]);
        }
    }
    ASSERT_TRUE(listener_.WaitDone());
    EXPECT_EQ(searched_.Count(), 307);
    std::vector<std::string> rows = listener_.Rows();
    EXPECT_EQ(rows.back(), "< Completed >");
    rows.pop_back();
    EXPECT_EQ(rows.size(), 307u);
}

TEST(SearchResultSinkTest, StartWordAndEndCalls) {
    CWordList searched;
    CRecordingListener listener(&searched);
    SearchSinkContext sink;
    sink.searched = &searched;
    sink.listener = &listener;
    sink.resultLimit = 2;
    searched.Add("old");
    EXPECT_TRUE(SearchResultSink(&sink, nullptr, SEARCH_STARTED));
    EXPECT_EQ(searched.Count(), 0);
    EXPECT_TRUE(SearchResultSink(&sink, "cat", 0));
    EXPECT_TRUE(SearchResultSink(&sink, "CAT", 0));  // listed already, ignoring case
    EXPECT_FALSE(SearchResultSink(&sink, "cot", 0));
    SearchResultSink(&sink, nullptr, SEARCH_TRUNCATED);
    std::vector<CRecordingListener::Message> m = listener.Messages();
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[0].lParam, -1);
    EXPECT_EQ(m[1].lParam, 0);
    EXPECT_EQ(m[2].lParam, 0);
    EXPECT_EQ(m[3].lParam, 1);
    EXPECT_EQ(m[4].message, WM_SEARCH_DONE);
    EXPECT_EQ(m[4].lParam, SEARCH_TRUNCATED);
    EXPECT_EQ(m[5].message, WM_LIST_ITEM_ADDED);
    EXPECT_EQ(m[5].lParam, -1);
    EXPECT_EQ(listener.Clears(), 1);
}

TEST(SearchMessagesTest, ValuesAsTheFrameTablesThem) {
    EXPECT_EQ(WM_LIST_ITEM_ADDED, 0x8002u);
    EXPECT_EQ(WM_SEARCH_DONE, 0x8004u);
    EXPECT_EQ(WM_SEARCH_PATTERN, 0x8014u);
    EXPECT_EQ(WM_SEARCH_PHONETIC, 0x8015u);
    EXPECT_EQ(SEARCH_STARTED, 0xFFFFu);
    EXPECT_STREQ(SearchStatusRow(SEARCH_OUT_OF_MEMORY, true), "< out of Memory >");
    EXPECT_STREQ(SearchStatusRow(SEARCH_OK, false), "< No word found >");
    EXPECT_STREQ(SearchStatusRow(42, true), "< Completed >");
}

}  // namespace
