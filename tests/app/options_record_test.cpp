#include "app/options_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/memory_settings_store.h"

namespace {

constexpr char KEY[] = "\\Software\\Brennovale\\Lexicove\\Settings";

std::vector<uint8_t> Bytes(const COptionsRecord& record) {
    return std::vector<uint8_t>(record.Bytes().begin(), record.Bytes().end());
}

void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void PutUtf16(std::vector<uint8_t>& bytes, size_t offset, const std::u16string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[offset + 2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes[offset + 2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
}

// The default record written out by hand, byte by byte.
std::vector<uint8_t> DefaultImage() {
    std::vector<uint8_t> bytes(284, 0);
    bytes[4] = 1;    // keep non-alphanumerics
    bytes[140] = 5;  // study words per day
    bytes[276] = 1;  // show random words
    bytes[280] = 128;
    return bytes;
}

TEST(OptionsRecordTest, DefaultsAreTheDocumentedBytes) {
    COptionsRecord record;
    EXPECT_EQ(Bytes(record), DefaultImage());
    // With no stored value a search ignores spaces, keeps punctuation and stops at 128.
    EXPECT_FALSE(record.KeepSpaces());
    EXPECT_TRUE(record.KeepNonAlphanumerics());
    EXPECT_FALSE(record.AddStudyWords());
    EXPECT_EQ(record.StudySource(), u"");
    EXPECT_EQ(record.StudyWordCount(), 5);
    EXPECT_EQ(record.RandomSource(), u"");
    EXPECT_EQ(record.DayStamp(), 0);
    EXPECT_TRUE(record.ShowRandomWords());
    EXPECT_EQ(record.ResultLimit(), 128);
}

// A stored record with every field away from its default, made by hand.
std::vector<uint8_t> StoredImage() {
    std::vector<uint8_t> bytes(284, 0);
    PutLe32(bytes, 0, 1);
    PutLe32(bytes, 4, 0);
    PutLe32(bytes, 8, 2);  // any non-zero word is a set flag
    PutUtf16(bytes, 12, u"Animals.dwg");
    PutLe32(bytes, 140, 42);
    PutUtf16(bytes, 144, u"Caf\u00e9 \u4e2d.dwg");
    PutLe32(bytes, 272, 0x01020304);
    PutLe32(bytes, 276, 0);
    PutLe32(bytes, 280, 999);
    return bytes;
}

TEST(OptionsRecordTest, LoadTakesAStoredRecordFieldByField) {
    CMemorySettingsStore store;
    ASSERT_TRUE(store.WriteBinary(KEY, "Options", StoredImage()));
    COptionsRecord record;
    EXPECT_TRUE(record.LoadOptions(store));
    EXPECT_EQ(Bytes(record), StoredImage());
    EXPECT_TRUE(record.KeepSpaces());
    EXPECT_FALSE(record.KeepNonAlphanumerics());
    EXPECT_TRUE(record.AddStudyWords());
    EXPECT_EQ(record.StudySource(), u"Animals.dwg");
    EXPECT_EQ(record.StudyWordCount(), 42);
    EXPECT_EQ(record.RandomSource(), u"Caf\u00e9 \u4e2d.dwg");
    EXPECT_EQ(record.DayStamp(), 0x01020304);
    EXPECT_FALSE(record.ShowRandomWords());
    EXPECT_EQ(record.ResultLimit(), 999);
}

struct LoadCase {
    const char* name;
    std::function<void(CMemorySettingsStore&)> store;
};

class OptionsNotTakenTest : public ::testing::TestWithParam<LoadCase> {};

// Whatever is wrong with the stored value, all the defaults stay, silently.
TEST_P(OptionsNotTakenTest, DefaultsStay) {
    CMemorySettingsStore store;
    GetParam().store(store);
    COptionsRecord record;
    EXPECT_FALSE(record.LoadOptions(store));
    EXPECT_EQ(Bytes(record), DefaultImage());
}

std::vector<uint8_t> Resized(size_t size) {
    std::vector<uint8_t> bytes = StoredImage();
    bytes.resize(size, 0x55);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsNotTakenTest,
    ::testing::Values(
        LoadCase{"NoKey", [](CMemorySettingsStore&) {}},
        LoadCase{"NoValue", [](CMemorySettingsStore& s) { s.WriteInteger(KEY, "TextSize", 2); }},
        LoadCase{"Bytes283",
                 [](CMemorySettingsStore& s) { s.WriteBinary(KEY, "Options", Resized(283)); }},
        LoadCase{"Bytes285",
                 [](CMemorySettingsStore& s) { s.WriteBinary(KEY, "Options", Resized(285)); }},
        LoadCase{"Empty", [](CMemorySettingsStore& s) { s.WriteBinary(KEY, "Options", {}); }},
        LoadCase{"Integer", [](CMemorySettingsStore& s) { s.WriteInteger(KEY, "Options", 1); }},
        LoadCase{"String",
                 [](CMemorySettingsStore& s) {
                     s.WriteString(KEY, "Options", std::u16string(142, u'x'));
                 }},
        LoadCase{"OtherKey",
                 [](CMemorySettingsStore& s) {
                     s.WriteBinary("\\Software\\Brennovale\\Glimmerpad\\Settings", "Options",
                                   StoredImage());
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionsRecordTest, SaveThenLoadGivesTheSameRecord) {
    COptionsRecord saved;
    saved.SetKeepSpaces(true);
    saved.SetKeepNonAlphanumerics(false);
    saved.SetAddStudyWords(true);
    ASSERT_TRUE(saved.SetStudySource(u"Verbs.dwg"));
    ASSERT_TRUE(saved.SetStudyWordCount(99));
    ASSERT_TRUE(saved.SetRandomSource(u"Nouns.dwg"));
    saved.SetDayStamp(COptionsRecord::MakeDayStamp(2024, 2, 29));
    saved.SetShowRandomWords(false);
    ASSERT_TRUE(saved.SetResultLimit(1));

    CMemorySettingsStore store;
    EXPECT_TRUE(saved.SaveOptions(store));
    std::vector<uint8_t> stored;
    ASSERT_TRUE(store.ReadBinary(KEY, "Options", &stored));
    EXPECT_EQ(stored, Bytes(saved));

    COptionsRecord loaded;
    ASSERT_TRUE(loaded.LoadOptions(store));
    EXPECT_EQ(Bytes(loaded), Bytes(saved));
    EXPECT_EQ(loaded.StudySource(), u"Verbs.dwg");
    EXPECT_EQ(loaded.ResultLimit(), 1);
}

TEST(OptionsRecordTest, FailedSaveKeepsTheRecordInMemory) {
    COptionsRecord record;
    record.SetResultLimit(300);
    CMemorySettingsStore store;
    store.SetFailWrites(true);
    EXPECT_FALSE(record.SaveOptions(store));
    EXPECT_FALSE(store.KeyExists(KEY));
    EXPECT_EQ(record.ResultLimit(), 300);
}

TEST(OptionsRecordTest, SourceFieldsHoldSixtyThreeCharacters) {
    COptionsRecord record;
    const std::u16string longest = std::u16string(59, u'n') + u".dwg";  // 63 with the ".dwg"
    EXPECT_TRUE(record.SetStudySource(longest));
    EXPECT_EQ(record.StudySource(), longest);
    // The terminator is stored: the unit after the text is 0.
    EXPECT_EQ(record.Bytes()[12 + 2 * 63], 0);
    EXPECT_EQ(record.Bytes()[12 + 2 * 63 + 1], 0);
    EXPECT_EQ(record.StudyWordCount(), 5);  // the next field is untouched

    // One more does not fit: refused, the old name stays.
    EXPECT_FALSE(record.SetStudySource(std::u16string(60, u'n') + u".dwg"));
    EXPECT_EQ(record.StudySource(), longest);
    EXPECT_FALSE(record.SetRandomSource(std::u16string(64, u'r')));
    EXPECT_FALSE(record.SetRandomSource(std::u16string(u"a\0b.dwg", 7)));
    EXPECT_EQ(record.RandomSource(), u"");
    EXPECT_EQ(record.DayStamp(), 0);

    // A shorter name leaves nothing of the longer one behind.
    EXPECT_TRUE(record.SetStudySource(u"a.dwg"));
    EXPECT_EQ(record.StudySource(), u"a.dwg");
    for (size_t i = 12 + 2 * 5; i < 140; ++i) {
        EXPECT_EQ(record.Bytes()[i], 0) << "offset " << i;
    }
}

TEST(OptionsRecordTest, UnterminatedSourcesStopAtTheirField) {
    std::vector<uint8_t> bytes = StoredImage();
    PutUtf16(bytes, 12, std::u16string(64, u'x'));   // up to the count at 140
    PutUtf16(bytes, 144, std::u16string(64, u'y'));  // up to the day stamp at 272
    CMemorySettingsStore store;
    ASSERT_TRUE(store.WriteBinary(KEY, "Options", bytes));
    COptionsRecord record;
    ASSERT_TRUE(record.LoadOptions(store));
    EXPECT_EQ(record.StudySource(), std::u16string(64, u'x'));
    EXPECT_EQ(record.RandomSource(), std::u16string(64, u'y'));
}

struct RangeCase {
    int32_t value;
    bool taken;
};

class StudyWordCountTest : public ::testing::TestWithParam<RangeCase> {};
class ResultLimitTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(StudyWordCountTest, OnlyValuesInRangeAreTaken) {
    COptionsRecord record;
    EXPECT_EQ(record.SetStudyWordCount(GetParam().value), GetParam().taken);
    EXPECT_EQ(record.StudyWordCount(), GetParam().taken ? GetParam().value : 5);
}

TEST_P(ResultLimitTest, OnlyValuesInRangeAreTaken) {
    COptionsRecord record;
    EXPECT_EQ(record.SetResultLimit(GetParam().value), GetParam().taken);
    EXPECT_EQ(record.ResultLimit(), GetParam().taken ? GetParam().value : 128);
}

INSTANTIATE_TEST_SUITE_P(Cases, StudyWordCountTest,
                         ::testing::Values(RangeCase{1, true}, RangeCase{99, true},
                                           RangeCase{0, false}, RangeCase{100, false},
                                           RangeCase{-1, false}));
INSTANTIATE_TEST_SUITE_P(Cases, ResultLimitTest,
                         ::testing::Values(RangeCase{1, true}, RangeCase{999, true},
                                           RangeCase{0, false}, RangeCase{1000, false},
                                           RangeCase{INT32_MIN, false}));

// A stored record may hold numbers the dialog would never write: readers get the defaults,
// and the bytes are kept as they came.
TEST(OptionsRecordTest, StoredNumbersOutOfRangeReadAsDefaults) {
    std::vector<uint8_t> bytes = StoredImage();
    PutLe32(bytes, 140, 0x7FFFFFFF);
    PutLe32(bytes, 280, 0);
    CMemorySettingsStore store;
    ASSERT_TRUE(store.WriteBinary(KEY, "Options", bytes));
    COptionsRecord record;
    ASSERT_TRUE(record.LoadOptions(store));
    EXPECT_EQ(record.StudyWordCount(), 5);
    EXPECT_EQ(record.ResultLimit(), 128);
    EXPECT_EQ(Bytes(record), bytes);
}

struct Date {
    int year, month, day;
};

struct StampCase {
    const char* name;
    Date a, b;
    bool same;
};

class DayStampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(DayStampTest, DatesAndStamps) {
    const StampCase& c = GetParam();
    int32_t a = COptionsRecord::MakeDayStamp(c.a.year, c.a.month, c.a.day);
    int32_t b = COptionsRecord::MakeDayStamp(c.b.year, c.b.month, c.b.day);
    EXPECT_EQ(a == b, c.same);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DayStampTest,
    ::testing::Values(StampCase{"SameDate", {2024, 5, 17}, {2024, 5, 17}, true},
                      StampCase{"NextDay", {2024, 5, 17}, {2024, 5, 18}, false},
                      StampCase{"NextMonth", {2024, 5, 17}, {2024, 6, 17}, false},
                      StampCase{"NextYearSameDayAndMonth", {2024, 5, 17}, {2025, 5, 17}, false},
                      StampCase{"NewYearsEveToNewYear", {2024, 12, 31}, {2025, 1, 1}, false},
                      StampCase{"MonthEndToMonthStart", {2024, 1, 31}, {2024, 2, 1}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DayStampTest, FormulaAndNoTwoDatesAlike) {
    EXPECT_EQ(COptionsRecord::MakeDayStamp(1975, 1, 1), 18);  // (0 * 33 + 1) * 17 + 1
    EXPECT_EQ(COptionsRecord::MakeDayStamp(2024, 2, 29), ((49 * 33) + 29) * 17 + 2);
    std::set<int32_t> seen;
    for (int year = 1975; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                ASSERT_TRUE(seen.insert(COptionsRecord::MakeDayStamp(year, month, day)).second)
                    << year << "-" << month << "-" << day;
            }
        }
    }
    // The stored stamp starts at 0, which no date gives: the first check finds a new day.
    EXPECT_EQ(seen.count(0), 0u);
    EXPECT_NE(COptionsRecord::TodayDayStamp(), 0);
}

}  // namespace
