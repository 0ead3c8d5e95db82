#include "options/study_assistant.h"

#include "app/options_record.h"
#include "lists/word_list.h"
#include "options/random_word_source.h"

CStudyAssistant::CStudyAssistant(CDictionaryDatabase* database, std::string folder)
    : database_(database), folder_(std::move(folder)), today_(&COptionsRecord::TodayDayStamp) {}

bool CStudyAssistant::CheckDay(const COptionsRecord& options, DayWork* work) const {
    if (today_() == options.DayStamp()) {
        return false;
    }
    *work = DayWork();
    if (options.AddStudyWords()) {
        work->addStudyWords = true;
        work->studyWordCount = options.StudyWordCount();
        work->studySource = options.StudySource();
    }
    return true;
}

bool CStudyAssistant::StoreDayStamp(COptionsRecord* options) const {
    // Taken again: a check that ran across midnight stores the day it ended on.
    int32_t today = today_();
    if (today == options->DayStamp()) {
        return false;
    }
    options->SetDayStamp(today);
    return true;
}

bool CStudyAssistant::AddStudyWords(CWordList* list, int count, const std::u16string& source) {
    if (list->Count() > STUDY_LIST_FULL) {
        return false;
    }
    CRandomWordSource words(database_);
    if (!words.Open(folder_, source)) {
        return false;
    }
    std::string word;
    for (int i = 0; i < count; ++i) {
        if (words.Draw(&word)) {
            list->Add(word.c_str());
        }
    }
    return true;
}

bool CStudyAssistant::DrawWord(const std::u16string& source, std::string* word) {
    CRandomWordSource words(database_);
    return words.Open(folder_, source) && words.Draw(word);
}
