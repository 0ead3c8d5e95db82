#pragma once

// CStudyAssistant: the day check of the daily timer, the drawing of new Study List words and
// of the word of the day, without any window. The main frame runs the day check once a minute,
// posts the work it asks for and keeps the results (the Study List, the word of the day).
//
// Words come from the dictionary (an empty source name) or from a word-list file of the
// folder (CRandomWordSource); a missing or damaged file makes an operation do nothing.
//
// Main thread only.

#include <cstdint>
#include <functional>
#include <string>

#include "app/program_folder.h"

class COptionsRecord;
class CDictionaryDatabase;
class CWordList;

class CStudyAssistant {
  public:
    // A Study List holding more entries than this receives no new words.
    static constexpr int STUDY_LIST_FULL = 256;

    // Today's day stamp (COptionsRecord::MakeDayStamp of the local date); tests set their own.
    using DayStampSource = std::function<int32_t()>;

    // The work a new day brings, in the order it is to be done: the study words (when asked
    // for), then a new word of the day.
    struct DayWork {
        bool addStudyWords = false;
        int32_t studyWordCount = 0;
        std::u16string studySource;  // a word-list file name, or empty for the dictionary
    };

    // The database is not owned and must stay open; folder holds the word-list files and
    // ends with "/".
    explicit CStudyAssistant(CDictionaryDatabase* database,
                             std::string folder = GetProgramFolder());
    virtual ~CStudyAssistant() = default;

    void SetDayStampSource(DayStampSource source) { today_ = std::move(source); }
    int32_t TodayDayStamp() const { return today_(); }

    // The first half of the day check: false when today's stamp equals the stored one (nothing
    // to do); otherwise true and *work says what to post.
    bool CheckDay(const COptionsRecord& options, DayWork* work) const;
    // The second half: takes today's stamp afresh and, when it differs from the stored one,
    // stores it. True when it stored a new stamp (the caller then saves the record).
    bool StoreDayStamp(COptionsRecord* options) const;

    // Adds count words drawn from source to list, each word once (so fewer may be added).
    // False, with the list untouched, when the list holds more than STUDY_LIST_FULL entries
    // or the source cannot be opened; true otherwise (the caller saves and shows the list).
    bool AddStudyWords(CWordList* list, int count, const std::u16string& source);

    // Draws one word from source into *word. False when the source cannot be opened or the
    // word drawn is empty.
    bool DrawWord(const std::u16string& source, std::string* word);

    const std::string& Folder() const { return folder_; }

  private:
    CDictionaryDatabase* database_;
    std::string folder_;
    DayStampSource today_;
};
