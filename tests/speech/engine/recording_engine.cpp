// A speech engine library for the tests: it records every call into a log the test reads
// through the control functions of recording_engine_client.h, and its results are set by the
// test. Built a second time with RECORDING_ENGINE_PARTIAL, exporting only "SEOpen" and
// "SEClose", to show that missing entry points fail quietly.

#include <cstdio>
#include <cstring>
#include <string>

#define SE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string g_log;
int g_openResult = 1;
float g_speechResult = 1.0f;
float g_waveResult = 1.0f;

void Record(const std::string& line) {
    g_log += line;
    g_log += '\n';
}

}  // namespace

SE_EXPORT const char* RecordingEngineLog(void) {
    return g_log.c_str();
}

SE_EXPORT void RecordingEngineReset(int openResult, float speechResult, float waveResult) {
    g_log.clear();
    g_openResult = openResult;
    g_speechResult = speechResult;
    g_waveResult = waveResult;
}

SE_EXPORT int SEOpen(void) {
    Record("open");
    return g_openResult;
}

SE_EXPORT void SEClose(void) {
    Record("close");
}

#ifndef RECORDING_ENGINE_PARTIAL

namespace {

// "name <byte count>:<text>"
void RecordText(const char* name, const char* text) {
    Record(std::string(name) + " " + std::to_string(std::strlen(text)) + ":" + text);
}

}  // namespace

SE_EXPORT void SESetWaveScale(float scale) {
    char line[32];
    std::snprintf(line, sizeof(line), "scale %g", static_cast<double>(scale));
    Record(line);
}

SE_EXPORT float SETextToSpeech(void* /*window*/, const char* text) {
    RecordText("speech", text);
    return g_speechResult;
}

// Writes the text into the file, so that the test's player can tell it was written.
SE_EXPORT float SETextToWave(void* /*window*/, const char* text, const char* wavePath) {
    RecordText("wave", text);
    if (g_waveResult > 0.0f) {
        FILE* file = std::fopen(wavePath, "wb");
        if (file == nullptr) {
            return 0.0f;
        }
        std::fputs(text, file);
        std::fclose(file);
    }
    return g_waveResult;
}

#endif
