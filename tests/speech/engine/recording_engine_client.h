#pragma once

// The test's side of the recording speech engine (recording_engine.cpp): opens the same
// library the program under test loads, so both see one copy of its log, and keeps it loaded
// for the test's length.

#include <dlfcn.h>

#include <string>

class CRecordingEngineClient {
  public:
    explicit CRecordingEngineClient(const char* path) : library_(dlopen(path, RTLD_NOW)) {}
    virtual ~CRecordingEngineClient() {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }
    CRecordingEngineClient(const CRecordingEngineClient&) = delete;
    CRecordingEngineClient& operator=(const CRecordingEngineClient&) = delete;

    bool Loaded() const { return library_ != nullptr; }

    // Empties the log and sets the results of "SEOpen", "SETextToSpeech" and "SETextToWave".
    void Reset(int openResult = 1, float speechResult = 1.0f, float waveResult = 1.0f) const {
        using Function = void (*)(int, float, float);
        reinterpret_cast<Function>(dlsym(library_, "RecordingEngineReset"))(
            openResult, speechResult, waveResult);
    }

    // One line per call: "open", "scale 1.5", "speech 5:hello", "wave 5:hello", "close".
    std::string Log() const {
        using Function = const char* (*)();
        return reinterpret_cast<Function>(dlsym(library_, "RecordingEngineLog"))();
    }

  private:
    void* library_;
};
