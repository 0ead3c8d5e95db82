#pragma once

// COptionsRecord: the user's options, kept as the 284-byte record that is stored whole as the
// binary value "Options" of the settings key. The bytes are the record: no header, version
// or padding; integers are 32-bit little-endian; the two text fields are UTF-16LE, 64 units
// each, NUL-terminated when shorter.
//
//   offset size field                                    default
//        0    4 keep spaces (flag)                       0
//        4    4 keep non-alphanumerics (flag)            1
//        8    4 add new study words every day (flag)     0
//       12  128 study word source (*.dwg name)           empty = the dictionary
//      140    4 new study words per day, 1 to 99         5
//      144  128 random word source (*.dwg name)          empty = the dictionary
//      272    4 day stamp of the last day acted on       0
//      276    4 show random words (flag)                 1
//      280    4 search result limit, 1 to 999            128
//
// The program has one record for the whole process (GetOptionsRecord), loaded once at
// start-up and used on the main thread; tests make their own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ISettingsStore;

inline constexpr size_t OPTIONS_RECORD_SIZE = 284;

// Field offsets within the record.
inline constexpr size_t OPTION_KEEP_SPACES = 0;
inline constexpr size_t OPTION_KEEP_NON_ALPHANUMERICS = 4;
inline constexpr size_t OPTION_ADD_STUDY_WORDS = 8;
inline constexpr size_t OPTION_STUDY_SOURCE = 12;
inline constexpr size_t OPTION_STUDY_WORD_COUNT = 140;
inline constexpr size_t OPTION_RANDOM_SOURCE = 144;
inline constexpr size_t OPTION_DAY_STAMP = 272;
inline constexpr size_t OPTION_SHOW_RANDOM_WORDS = 276;
inline constexpr size_t OPTION_RESULT_LIMIT = 280;

// A text field holds 64 UTF-16 units: at most 63 characters and the terminator.
inline constexpr size_t OPTION_TEXT_UNITS = 64;
inline constexpr size_t OPTION_TEXT_MAX_LENGTH = OPTION_TEXT_UNITS - 1;

inline constexpr int32_t STUDY_WORD_COUNT_MIN = 1;
inline constexpr int32_t STUDY_WORD_COUNT_MAX = 99;
inline constexpr int32_t STUDY_WORD_COUNT_DEFAULT = 5;
inline constexpr int32_t RESULT_LIMIT_MIN = 1;
inline constexpr int32_t RESULT_LIMIT_MAX = 999;
inline constexpr int32_t RESULT_LIMIT_DEFAULT = 128;

class COptionsRecord {
  public:
    // A record holding the defaults.
    COptionsRecord();

    // Flags read as set when the stored word is not 0; setters store 0 or 1.
    bool KeepSpaces() const { return Flag(OPTION_KEEP_SPACES); }
    void SetKeepSpaces(bool on) { SetFlag(OPTION_KEEP_SPACES, on); }
    bool KeepNonAlphanumerics() const { return Flag(OPTION_KEEP_NON_ALPHANUMERICS); }
    void SetKeepNonAlphanumerics(bool on) { SetFlag(OPTION_KEEP_NON_ALPHANUMERICS, on); }
    bool AddStudyWords() const { return Flag(OPTION_ADD_STUDY_WORDS); }
    void SetAddStudyWords(bool on) { SetFlag(OPTION_ADD_STUDY_WORDS, on); }
    bool ShowRandomWords() const { return Flag(OPTION_SHOW_RANDOM_WORDS); }
    void SetShowRandomWords(bool on) { SetFlag(OPTION_SHOW_RANDOM_WORDS, on); }

    // The sources: a word-list file name with its ".dwg", or empty for the dictionary. Read
    // up to the terminator, and never past the field's 64 units when none is stored.
    std::u16string StudySource() const { return Text(OPTION_STUDY_SOURCE); }
    std::u16string RandomSource() const { return Text(OPTION_RANDOM_SOURCE); }
    // False, leaving the field as it was, when the text has more than 63 units or holds a
    // NUL: a shortened file name would name another file.
    bool SetStudySource(std::u16string_view name) { return SetText(OPTION_STUDY_SOURCE, name); }
    bool SetRandomSource(std::u16string_view name) { return SetText(OPTION_RANDOM_SOURCE, name); }

    // The numbers as stored when within their ranges, else their defaults (a record loaded
    // from the store may hold anything). The setters refuse values outside the ranges.
    int32_t StudyWordCount() const;
    bool SetStudyWordCount(int32_t count);
    int32_t ResultLimit() const;
    bool SetResultLimit(int32_t limit);

    int32_t DayStamp() const { return Integer(OPTION_DAY_STAMP); }
    void SetDayStamp(int32_t stamp) { SetInteger(OPTION_DAY_STAMP, stamp); }

    // ((year - 1975) * 33 + day) * 17 + month, month 1 to 12 and day 1 to 31: different dates
    // give different stamps.
    static int32_t MakeDayStamp(int year, int month, int day);
    // The stamp of today's local date.
    static int32_t TodayDayStamp();

    // Replaces the record with the stored "Options" value when the settings key holds one of
    // exactly 284 bytes and of the binary kind; otherwise the record stays as it is. True
    // when the stored record was taken.
    bool LoadOptions(const ISettingsStore& store);
    // Writes the record as "Options". A failure is not reported to the user: the record in
    // memory keeps the choices for the rest of the run. False when the write failed.
    bool SaveOptions(ISettingsStore& store) const;

    std::span<const uint8_t, OPTIONS_RECORD_SIZE> Bytes() const { return bytes_; }

  private:
    int32_t Integer(size_t offset) const;
    void SetInteger(size_t offset, int32_t value);
    bool Flag(size_t offset) const { return Integer(offset) != 0; }
    void SetFlag(size_t offset, bool on) { SetInteger(offset, on ? 1 : 0); }
    std::u16string Text(size_t offset) const;
    bool SetText(size_t offset, std::u16string_view text);

    std::array<uint8_t, OPTIONS_RECORD_SIZE> bytes_{};
};

// The program's one options record.
COptionsRecord& GetOptionsRecord();
