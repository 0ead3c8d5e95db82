// CLexicoveFrame: the study assistance and the word of the day (the daily timer's day check,
// the new Study List words, the "Random Word:" area) and the Options dialog.
#include <QMetaObject>
#include <string>

#include "app/code_page.h"
#include "app/messages.h"
#include "app/options_record.h"
#include "app/settings_store.h"
#include "frame/command_ids.h"
#include "frame/hot_key_service.h"
#include "frame/lexicove_frame.h"
#include "options/gui/options_dialog.h"
#include "platform/message_poster.h"
#include "platform/platform_info.h"

void CLexicoveFrame::CheckDay() {
    COptionsRecord& options = GetOptionsRecord();
    CStudyAssistant::DayWork work;
    if (!study_.CheckDay(options, &work)) {
        return;
    }
    // The work runs after the tick, in this order: the study words, then the word of the day.
    if (work.addStudyWords) {
        // The name travels with the queued call, as the posted message's text.
        QMetaObject::invokeMethod(
            this,
            [this, count = work.studyWordCount, source = work.studySource] {
                SendMessage(WM_ADD_STUDY_WORDS, count, reinterpret_cast<intptr_t>(source.c_str()));
            },
            Qt::QueuedConnection);
    }
    CMessagePoster(this).Post(WM_COMMAND, ID_WORD_OF_THE_DAY, COMMAND_HELD);
    if (study_.StoreDayStamp(&options)) {
        options.SaveOptions(*settings_);
    }
}

void CLexicoveFrame::AddStudyWords(int count, const std::u16string& source) {
    if (!study_.AddStudyWords(&studyList_, count, source)) {
        return;
    }
    studyList_.Save();
    CMessagePoster(this).Post(WM_LIST_CHANGED, LIST_STUDY, 0);
}

void CLexicoveFrame::NextRandomWord(bool showCurrent) {
    if (showCurrent && !wordOfTheDay_.empty()) {
        OpenWord(wordOfTheDay_, true);
    }
    std::string word;
    if (!study_.DrawWord(GetOptionsRecord().RandomSource(), &word)) {
        return;  // the word of the day stays
    }
    wordOfTheDay_ = CodePageToUtf16(word);
    settings_->WriteString(SETTINGS_KEY, SETTING_WORD_THE_DAY, wordOfTheDay_);
    // After a tap the Content view is up; the Lookup view repaints when it comes back.
    if (!showCurrent && client_ != nullptr) {
        client_->update(layout_.WordOfTheDayArea());
    }
}

void CLexicoveFrame::ShowOptions() {
    COptionsRecord& options = GetOptionsRecord();
    COptionsDialog dialog(
        &options,
        [this](uint32_t message, intptr_t wParam, intptr_t lParam) {
            SendMessage(message, wParam, lParam);
        },
        IsLandscape(this), this, study_.Folder());
    if (messageBox_) {
        dialog.SetMessageBoxHook(messageBox_);
    }
    dialog.SetHotKey(hotKey_->Key(), hotKey_->StatusText());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    options.SaveOptions(*settings_);
    if (dialog.HotKey() != hotKey_->Key()) {
        hotKey_->SetKey(dialog.HotKey());
    }
    // The handheld's full-screen dialog left the whole window to repaint: "Show random words"
    // shows from that paint on.
    if (client_ != nullptr) {
        client_->update();
    }
}
