#include "speech/speech_engine.h"

#include <dlfcn.h>
#include <bit>
#include <cstdint>
#include <cstring>

#include "app/code_page.h"
#include "app/settings_store.h"
#include "speech/path_text.h"
#include "speech/temp_wave_file.h"
#include "speech/wave_player.h"

namespace {

using OpenFunction = int (*)();
using SetWaveScaleFunction = void (*)(float);
using TextToSpeechFunction = float (*)(void*, const char*);
using TextToWaveFunction = float (*)(void*, const char*, const char*);
using CloseFunction = void (*)();

}  // namespace

CSpeechEngine::CSpeechEngine(ISettingsStore* machineSettings, IWavePlayer* player)
    : settings_(machineSettings), player_(player) {}

CSpeechEngine::~CSpeechEngine() {
    ShutdownEngine();
}

void* CSpeechEngine::EntryPoint(const char* name) const {
    return library_ != nullptr ? dlsym(library_, name) : nullptr;
}

bool CSpeechEngine::EngineAvailable() {
    if (path_.empty()) {
        std::u16string path;
        if (settings_->ReadString(SPEECH_ENGINE_KEY, SPEECH_DLL, &path) && !path.empty()) {
            path_ = PathToUtf8(path);
            int32_t volume = 0;
            settings_->ReadInteger(SPEECH_ENGINE_KEY, SPEECH_VOLUME, &volume);
            volume_ = std::bit_cast<float>(volume);
            int32_t viaWave = 0;
            settings_->ReadInteger(SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, &viaWave);
            viaWave_ = viaWave != 0;
        }
    }
    return !path_.empty();
}

bool CSpeechEngine::EnsureEngine() {
    if (library_ != nullptr) {
        return true;
    }
    if (!EngineAvailable()) {
        return false;
    }
    library_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        return false;
    }
    auto open = reinterpret_cast<OpenFunction>(EntryPoint("SEOpen"));
    if (open != nullptr && open() == 0) {
        ShutdownEngine();
    }
    SetWaveScale(volume_);
    return library_ != nullptr;
}

void CSpeechEngine::SetWaveScale(float scale) {
    changed_ = changed_ || std::bit_cast<uint32_t>(scale) != std::bit_cast<uint32_t>(volume_);
    volume_ = scale;
    auto setScale = reinterpret_cast<SetWaveScaleFunction>(EntryPoint("SESetWaveScale"));
    if (setScale != nullptr) {
        setScale(scale);
    }
}

void CSpeechEngine::SetViaWave(bool viaWave) {
    changed_ = changed_ || viaWave != viaWave_;
    viaWave_ = viaWave;
}

bool CSpeechEngine::Speak(void* window, char* text) {
    if (text == nullptr) {
        return false;
    }
    if (std::strlen(text) <= SPEECH_TEXT_LIMIT) {
        return SpeakCut(window, text);
    }
    const char kept = text[SPEECH_TEXT_LIMIT];
    text[SPEECH_TEXT_LIMIT] = '\0';
    const bool spoken = SpeakCut(window, text);
    text[SPEECH_TEXT_LIMIT] = kept;
    return spoken;
}

bool CSpeechEngine::Speak(void* window, std::u16string_view text) {
    std::string bytes = Utf16ToCodePage(text);
    return Speak(window, bytes.data());
}

bool CSpeechEngine::SpeakCut(void* window, const char* text) {
    if (viaWave_) {
        return SpeakViaWave(window, text);
    }
    auto toSpeech = reinterpret_cast<TextToSpeechFunction>(EntryPoint("SETextToSpeech"));
    return toSpeech != nullptr && toSpeech(window, text) > 0.0f;
}

// The wave file is deleted on every path out, written or not, played or not.
bool CSpeechEngine::SpeakViaWave(void* window, const char* text) {
    auto toWave = reinterpret_cast<TextToWaveFunction>(EntryPoint("SETextToWave"));
    if (toWave == nullptr) {
        return false;
    }
    CTempWaveFile wave;
    if (!wave.Create() || !(toWave(window, text, wave.Path().c_str()) > 0.0f)) {
        return false;
    }
    return player_->PlayWave(wave.Path());
}

void CSpeechEngine::ShutdownEngine() {
    if (library_ != nullptr || changed_) {
        const bool written =
            settings_->WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VOLUME,
                                    std::bit_cast<int32_t>(volume_)) &&
            settings_->WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, viaWave_ ? 1 : 0);
        changed_ = changed_ && !written;
    }
    if (library_ == nullptr) {
        return;
    }
    auto close = reinterpret_cast<CloseFunction>(EntryPoint("SEClose"));
    if (close != nullptr) {
        close();
    }
    dlclose(library_);
    library_ = nullptr;
}
