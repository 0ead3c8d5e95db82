#include "tools/mkdb/espeak_phonemizer.h"

#include <espeak-ng/speak_lib.h>

namespace {

constexpr char kVoice[] = "en-us";

}  // namespace

// espeak-ng 1.51 asks pcaudiolib for an audio device whenever its output is set up, even in
// retrieval mode, and pcaudiolib connects to the sound server, whose client library leaves its
// folders in $TMPDIR and $HOME. The builder never makes a sound: defined in the program, this
// function comes before pcaudiolib's in espeak-ng's symbol lookup and gives it no device.
extern "C" struct audio_object* create_audio_device_object(const char*, const char*, const char*) {
    return nullptr;
}

CEspeakPhonemizer::~CEspeakPhonemizer() {
    if (open_) {
        espeak_Terminate();
    }
}

bool CEspeakPhonemizer::Open(std::string* error) {
    if (espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 0, nullptr, espeakINITIALIZE_DONT_EXIT) < 0) {
        *error = "espeak-ng cannot be initialised (is espeak-ng-data installed?)";
        return false;
    }
    open_ = true;
    if (espeak_SetVoiceByName(kVoice) != EE_OK) {
        *error = std::string("espeak-ng has no voice \"") + kVoice + "\"";
        return false;
    }
    return true;
}

std::string CEspeakPhonemizer::Ipa(const std::string& text) const {
    std::string ipa;
    if (!open_) {
        return ipa;
    }
    const void* at = text.c_str();
    // Each call gives the phonemes of one clause and moves the pointer on, to null at the end.
    while (at != nullptr) {
        const char* clause = espeak_TextToPhonemes(&at, espeakCHARS_UTF8, espeakPHONEMES_IPA);
        if (clause == nullptr) {
            break;
        }
        if (!ipa.empty() && *clause != '\0') {
            ipa += ' ';
        }
        ipa += clause;
    }
    return ipa;
}
