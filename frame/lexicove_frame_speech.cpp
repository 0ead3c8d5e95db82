// CLexicoveFrame: reading aloud. The Read command (the menu item, the Content view's Read
// button and the selection menu's Read) speaks the display's selection, or else the current
// word; "Speech Volume" opens the speech volume dialog. Both are enabled only while a speech
// engine is registered.
#include <QAction>
#include <string>

#include "frame/command_ids.h"
#include "frame/lexicove_frame.h"
#include "speech/gui/speech_volume_dlg.h"
#include "speech/speech_engine.h"
#include "ui/content_view.h"
#include "ui/html_display.h"

namespace {

// The word of a page text: a Word Links page's text "word:N" is read as "word".
std::string SpokenWord(std::string text) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        return text;
    }
    for (size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return text;
        }
    }
    text.resize(colon);
    return text;
}

}  // namespace

bool CLexicoveFrame::SpeechAvailable() {
    return speech_ != nullptr && speech_->EngineAvailable();
}

void CLexicoveFrame::UpdateSpeechCommands() {
    const bool available = SpeechAvailable();
    Action(ID_SPEECH_VOLUME)->setEnabled(available);
    Action(ID_READ)->setEnabled(available);
    const bool shownEnabled = readButton_.State() != CHeaderButton::STATE_DISABLED;
    if (shownEnabled != available) {
        readButton_.Enable(available);
        if (client_ != nullptr) {
            client_->update(readButton_.Rect());
        }
    }
}

void CLexicoveFrame::ReadAloud() {
    if (speech_ == nullptr || !speech_->EnsureEngine()) {
        return;
    }
    void* window = reinterpret_cast<void*>(winId());
    std::u16string selection;
    if (contentView_ != nullptr && contentView_->Display()->GetSelectionText(&selection) &&
        !selection.empty()) {
        speech_->Speak(window, std::u16string_view(selection));
        return;
    }
    std::string word = SpokenWord(CurrentWord());
    if (!word.empty()) {
        speech_->Speak(window, word.data());
    }
}

void CLexicoveFrame::ShowSpeechVolume() {
    if (!SpeechAvailable()) {
        return;
    }
    CSpeechVolumeDlg dialog(speech_, this);
    dialog.exec();
}
