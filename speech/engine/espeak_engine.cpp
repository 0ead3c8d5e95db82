// Lexicove's speech engine library over espeak-ng: the five entry points the program looks up
// by name. English voice; the wave scale sets the amplitude (0.0 = espeak-ng's default).
//
// Speech goes out through espeak-ng's own audio output, synchronously. Where that output
// cannot be opened (no sound server or card), the text is synthesised into a temporary wave
// file that the system sound player plays. Wave files are 16-bit mono at espeak-ng's rate.
// Writing a wave file never touches the sound system: the audio output is opened by the first
// direct speech only (see create_audio_device_object below).
//
// espeak-ng is initialised once per process and never terminated: after espeak_Terminate its
// command thread leaves a stale "command running" state behind, and the next
// espeak_Terminate after a new initialisation waits for that command for ever. So SEClose
// only closes the engine for the caller, and the library is linked "nodelete": unloading it
// would take espeak-ng's still running thread with it.

#include <dlfcn.h>
#include <espeak-ng/espeak_ng.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "app/code_page.h"
#include "speech/engine/wave_file_writer.h"
#include "speech/system_wave_player.h"
#include "speech/temp_wave_file.h"

#define SE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr char kVoice[] = "en";
constexpr int kMaximumAmplitude = 200;  // espeak-ng's loudest

enum class Output { NONE, WAVE, AUDIO };

struct EngineState {
    bool initialised = false;  // espeak-ng is set up, for the rest of the process
    bool open = false;
    Output output = Output::NONE;
    bool audioWanted = false;  // direct speech has asked for the audio output
    bool audioFailed = false;  // the audio device could not be opened
    int defaultAmplitude = 100;
    CWaveFileWriter* sink = nullptr;  // where synthesised samples go, while writing a wave
};

EngineState g_engine;

int OnSamples(short* samples, int count, espeak_EVENT* /*events*/) {
    if (g_engine.sink != nullptr && samples != nullptr && count > 0) {
        g_engine.sink->Write(samples, static_cast<size_t>(count));
    }
    return 0;  // go on
}

// Switches espeak-ng between synthesis into OnSamples and playing on the audio device.
bool SelectOutput(Output output) {
    if (g_engine.output == output) {
        return true;
    }
    if (output == Output::AUDIO) {
        g_engine.audioWanted = true;
    }
    const auto mode = output == Output::AUDIO
                          ? static_cast<espeak_ng_OUTPUT_MODE>(ENOUTPUT_MODE_SYNCHRONOUS |
                                                               ENOUTPUT_MODE_SPEAK_AUDIO)
                          : ENOUTPUT_MODE_SYNCHRONOUS;
    if (espeak_ng_InitializeOutput(mode, 0, nullptr) != ENS_OK) {
        return false;
    }
    g_engine.output = output;
    return true;
}

// Synthesis is synchronous: the samples have been delivered (or played) on return. The
// program's text is in its 8-bit code page, Windows-1252; espeak-ng's own 8-bit mode reads
// ISO-8859-1, which has no curly quotes or dashes at 0x80-0x9F, so the text goes in as UTF-8.
espeak_ng_STATUS Synthesize(const char* text) {
    const std::u16string wide = CodePageToUtf16(text);
    std::string utf8;
    utf8.reserve(wide.size() + 8);
    for (const char16_t c : wide) {
        AppendUtf8(c, &utf8);
    }
    return espeak_ng_Synthesize(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
                                espeakCHARS_UTF8, nullptr, nullptr);
}

// Synthesises the text into the wave file; its length in seconds, 0.0 when not written.
float WriteWave(const char* text, const char* path) {
    if (!SelectOutput(Output::WAVE)) {
        return 0.0f;
    }
    CWaveFileWriter writer;
    const int rate = espeak_ng_GetSampleRate();
    if (!writer.Open(path, rate)) {
        return 0.0f;
    }
    g_engine.sink = &writer;
    const bool synthesised = Synthesize(text) == ENS_OK;
    g_engine.sink = nullptr;
    const size_t samples = writer.SampleCount();
    if (!writer.Close() || !synthesised || samples == 0) {
        return 0.0f;
    }
    return static_cast<float>(samples) / static_cast<float>(rate);
}

}  // namespace

// espeak-ng 1.51 asks pcaudiolib for an audio device each time its output is set up, in every
// mode, and pcaudiolib picks one by connecting to the sound server, whose client library then
// leaves its folders in $TMPDIR and $HOME even when only a wave file is written. This library
// defines that pcaudiolib function itself: loaded before espeak-ng and pcaudiolib, it comes
// first in espeak-ng's symbol lookup. It hands the request on to pcaudiolib only once direct
// speech wants the audio output; until then espeak-ng has no device and only synthesises.
// espeak-ng keeps the device it got and asks again at each set-up while it has none.
struct audio_object;

SE_EXPORT audio_object* create_audio_device_object(const char* device, const char* application,
                                                   const char* description) {
    if (!g_engine.audioWanted) {
        return nullptr;
    }
    using Create = audio_object* (*)(const char*, const char*, const char*);
    auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "create_audio_device_object"));
    return create != nullptr ? create(device, application, description) : nullptr;
}

SE_EXPORT int SEOpen(void) {
    if (g_engine.open) {
        return 1;
    }
    if (!g_engine.initialised) {
        espeak_ng_InitializePath(nullptr);
        if (espeak_ng_Initialize(nullptr) != ENS_OK) {
            return 0;
        }
        g_engine.initialised = true;
        g_engine.output = Output::NONE;
        espeak_SetSynthCallback(OnSamples);
        g_engine.defaultAmplitude = espeak_GetParameter(espeakVOLUME, 0);
    }
    if (!SelectOutput(Output::WAVE) || espeak_ng_SetVoiceByName(kVoice) != ENS_OK) {
        return 0;
    }
    // Each opening starts from espeak-ng's own volume, whatever the last caller chose.
    espeak_ng_SetParameter(espeakVOLUME, g_engine.defaultAmplitude, 0);
    g_engine.open = true;
    return 1;
}

SE_EXPORT void SESetWaveScale(float scale) {
    if (!g_engine.open) {
        return;
    }
    int amplitude = g_engine.defaultAmplitude;
    if (scale > 0.0f) {
        amplitude = std::clamp(static_cast<int>(std::lround(scale * static_cast<float>(amplitude))),
                               1, kMaximumAmplitude);
    }
    espeak_ng_SetParameter(espeakVOLUME, amplitude, 0);
}

SE_EXPORT float SETextToWave(void* /*window*/, const char* text, const char* wavePath) {
    if (!g_engine.open || text == nullptr || wavePath == nullptr) {
        return 0.0f;
    }
    return WriteWave(text, wavePath);
}

SE_EXPORT float SETextToSpeech(void* /*window*/, const char* text) {
    if (!g_engine.open || text == nullptr) {
        return 0.0f;
    }
    if (!g_engine.audioFailed && SelectOutput(Output::AUDIO)) {
        const espeak_ng_STATUS status = Synthesize(text);
        if (status != ENS_AUDIO_ERROR) {
            return status == ENS_OK ? 1.0f : 0.0f;
        }
    }
    // The audio device cannot be opened: from now on through a wave file and the player.
    g_engine.audioFailed = true;
    CTempWaveFile wave;
    CSystemWavePlayer player;
    float seconds = 0.0f;
    if (wave.Create()) {
        seconds = WriteWave(text, wave.Path().c_str());
    }
    return seconds > 0.0f && player.PlayWave(wave.Path()) ? seconds : 0.0f;
}

SE_EXPORT void SEClose(void) {
    g_engine.open = false;
    g_engine.sink = nullptr;
}
