#include "options/study_assistant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options_record.h"
#include "lists/word_list.h"
#include "options/random_word_source.h"
#include "study_fixture.h"

namespace {

using study_fixture::StudyFixture;

std::vector<std::string> Items(const CWordList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(list.At(i));
    }
    return items;
}

// Fills a list with count entries that are no dictionary words.
void Fill(CWordList* list, int count) {
    for (int i = 0; i < count; ++i) {
        list->Add(("entry" + std::to_string(i)).c_str());
    }
}

class StudyAssistantTest : public StudyFixture {
  protected:
    CStudyAssistant Assistant() { return CStudyAssistant(&database_, folder_.Path()); }
};

// The day check over stored and current stamps, with the study option on and off.
struct DayCase {
    const char* name;
    int32_t stored;
    int32_t today;
    bool addStudyWords;
    bool newDay;
};

class DayCheckTest : public StudyAssistantTest, public ::testing::WithParamInterface<DayCase> {};

TEST_P(DayCheckTest, ActsOnADayOtherThanTheStoredOne) {
    const DayCase& c = GetParam();
    COptionsRecord options;
    options.SetDayStamp(c.stored);
    options.SetAddStudyWords(c.addStudyWords);
    options.SetStudyWordCount(7);
    ASSERT_TRUE(options.SetStudySource(u"words.dwg"));
    CStudyAssistant study = Assistant();
    study.SetDayStampSource([&] { return c.today; });
    CStudyAssistant::DayWork work;
    work.studyWordCount = -1;
    ASSERT_EQ(study.CheckDay(options, &work), c.newDay);
    EXPECT_EQ(study.StoreDayStamp(&options), c.newDay);
    EXPECT_EQ(options.DayStamp(), c.today);
    if (!c.newDay) {
        EXPECT_EQ(work.studyWordCount, -1);  // untouched
        return;
    }
    EXPECT_EQ(work.addStudyWords, c.addStudyWords);
    EXPECT_EQ(work.studyWordCount, c.addStudyWords ? 7 : 0);
    EXPECT_EQ(work.studySource, c.addStudyWords ? u"words.dwg" : u"");
}

const int32_t kToday = COptionsRecord::MakeDayStamp(2026, 12, 10);
const int32_t kTomorrow = COptionsRecord::MakeDayStamp(2026, 12, 11);

INSTANTIATE_TEST_SUITE_P(
    Days, DayCheckTest,
    ::testing::Values(DayCase{"FreshRecordWithStudyWords", 0, kToday, true, true},
                      DayCase{"FreshRecordWithoutStudyWords", 0, kToday, false, true},
                      DayCase{"SameDay", kToday, kToday, true, false},
                      DayCase{"NextDay", kToday, kTomorrow, true, true},
                      DayCase{"DateSetBack", kTomorrow, kToday, true, true}),
    [](const ::testing::TestParamInfo<DayCase>& info) { return info.param.name; });

TEST_F(StudyAssistantTest, AChangedDateActsAndChangingItBackActsAgain) {
    COptionsRecord options;
    CStudyAssistant study = Assistant();
    int32_t today = kToday;
    study.SetDayStampSource([&] { return today; });
    CStudyAssistant::DayWork work;
    std::vector<bool> acted;
    for (int32_t day : {kToday, kToday, kTomorrow, kTomorrow, kToday}) {
        today = day;
        bool act = study.CheckDay(options, &work);
        acted.push_back(act);
        if (act) {
            study.StoreDayStamp(&options);
        }
    }
    EXPECT_EQ(acted, (std::vector<bool>{true, false, true, false, true}));
}

TEST_F(StudyAssistantTest, ACheckAcrossMidnightStoresTheDayItEndsOn) {
    COptionsRecord options;
    options.SetDayStamp(kToday);
    CStudyAssistant study = Assistant();
    std::vector<int32_t> stamps = {kTomorrow, kToday};  // the second reading comes back
    size_t reading = 0;
    study.SetDayStampSource([&] { return stamps[std::min(reading++, stamps.size() - 1)]; });
    CStudyAssistant::DayWork work;
    ASSERT_TRUE(study.CheckDay(options, &work));
    EXPECT_FALSE(study.StoreDayStamp(&options));
    EXPECT_EQ(options.DayStamp(), kToday);
}

TEST_F(StudyAssistantTest, TheDefaultClockGivesTodaysStamp) {
    CStudyAssistant study = Assistant();
    EXPECT_EQ(study.TodayDayStamp(), COptionsRecord::TodayDayStamp());
}

// A Study List of up to 256 entries receives every word drawn; one of 257 none.
class FullListTest : public StudyAssistantTest, public ::testing::WithParamInterface<int> {};

TEST_P(FullListTest, ReceivesTheWholeCountUpTo256Entries) {
    const int entries = GetParam();
    CWordList list;
    Fill(&list, entries);
    // The words the same ten draws give, added to a list of the same entries: a second
    // database over the same file, with its own running seed from 0 as the first has.
    CDictionaryDatabase replay;
    ASSERT_TRUE(replay.Open((folder_.Path() + "wordnet.lcv").c_str()));
    replay.SetTimeSource(study_fixture::SteppingClock);
    CWordList expected;
    Fill(&expected, entries);
    study_fixture::g_clock = 1000;
    CRandomWordSource source(&replay);
    ASSERT_TRUE(source.Open(folder_.Path(), u""));
    std::string word;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(source.Draw(&word));
        expected.Add(word.c_str());
    }
    ASSERT_GT(expected.Count(), entries + 5);

    study_fixture::g_clock = 1000;
    bool added = Assistant().AddStudyWords(&list, 10, u"");
    if (entries > CStudyAssistant::STUDY_LIST_FULL) {
        EXPECT_FALSE(added);
        EXPECT_EQ(list.Count(), entries);
    } else {
        EXPECT_TRUE(added);
        EXPECT_EQ(Items(list), Items(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, FullListTest, ::testing::Values(0, 255, 256, 257, 300));

TEST_F(StudyAssistantTest, WordsComeFromTheChosenWordListFile) {
    CWordList list;
    ASSERT_TRUE(Assistant().AddStudyWords(&list, 20, u"words.dwg"));
    std::vector<std::string> listed = study_fixture::ListWords();
    int fromFile = 0;
    for (const std::string& word : Items(list)) {
        bool inFile = std::find(listed.begin(), listed.end(), word) != listed.end();
        EXPECT_TRUE(inFile || word == "welcome") << word;
        fromFile += inFile ? 1 : 0;
    }
    EXPECT_GT(fromFile, 15);
}

TEST_F(StudyAssistantTest, AMissingOrDamagedFileAddsNothing) {
    folder_.WriteFile("damaged.dwg", "not a word trie");
    for (const char16_t* name : {u"missing.dwg", u"damaged.dwg"}) {
        CWordList list;
        Fill(&list, 3);
        EXPECT_FALSE(Assistant().AddStudyWords(&list, 5, name));
        EXPECT_EQ(list.Count(), 3);
        std::string word = "kept";
        EXPECT_FALSE(Assistant().DrawWord(name, &word));
        EXPECT_EQ(word, "kept");
    }
}

TEST_F(StudyAssistantTest, DuplicatesAreAddedOnce) {
    // A word list of one word: every draw that lands gives it.
    std::string error;
    ASSERT_TRUE(CDatabaseWriter::WriteWordList({"aaa"}, folder_.Path() + "one.dwg", &error));
    CWordList list;
    ASSERT_TRUE(Assistant().AddStudyWords(&list, 30, u"one.dwg"));
    EXPECT_LE(list.Count(), 2);  // "aaa" and, for draws past it, "welcome"
}

TEST_F(StudyAssistantTest, DrawWordTakesTheDictionaryOrAFile) {
    std::string word;
    ASSERT_TRUE(Assistant().DrawWord(u"", &word));
    EXPECT_TRUE(word == "welcome" || database_.FindWord(word.c_str()) != 0) << word;
    ASSERT_TRUE(Assistant().DrawWord(u"words.dwg", &word));
    EXPECT_TRUE(word == "welcome" || word.back() == 'x') << word;
}

}  // namespace
