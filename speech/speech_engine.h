#pragma once

// CSpeechEngine: reading words aloud through a separate speech engine library, loaded at run
// time from the path in the speech engine's key (SPEECH_ENGINE_KEY):
// - "DLL": string, the library's path; empty or missing = no speech;
// - "Volume": 32-bit integer holding the bits of a float, the wave scale; 0.0 = default;
// - "ViaWave": 32-bit integer, 1 = speak through a temporary wave file and the sound player.
//
// The library exports, with C linkage, "SEOpen" (int, 0 = failed to start), "SESetWaveScale"
// (float), "SETextToSpeech" (window, text -> float, above 0.0 = spoken), "SETextToWave"
// (window, text, wave path -> float, above 0.0 = written) and "SEClose". Each entry point is
// looked up by name whenever it is used; a missing one makes that use fail quietly. Calls go
// in the order open, set scale, speak or write wave, close.
//
// One object serves the whole program (the frame makes it over the machine-scope settings
// store and the system sound player). Main thread only: Speak blocks until the engine and,
// via a wave file, the player return.

#include <string>
#include <string_view>

class ISettingsStore;
class IWavePlayer;

// Texts longer than this many bytes are passed to the engine cut to it.
inline constexpr size_t SPEECH_TEXT_LIMIT = 512;

inline constexpr char SPEECH_DLL[] = "DLL";
inline constexpr char SPEECH_VOLUME[] = "Volume";
inline constexpr char SPEECH_VIA_WAVE[] = "ViaWave";

class CSpeechEngine {
  public:
    // Neither pointer is owned; both must outlive the object.
    CSpeechEngine(ISettingsStore* machineSettings, IWavePlayer* player);
    // Shuts the engine down (see ShutdownEngine) when it is still loaded.
    virtual ~CSpeechEngine();
    CSpeechEngine(const CSpeechEngine&) = delete;
    CSpeechEngine& operator=(const CSpeechEngine&) = delete;

    // While no library path is known, reads "DLL" and, when it is not empty, "Volume" and
    // "ViaWave" (a failed read leaves 0); once a path is known nothing is read again. True
    // when there is a path: the Read command and the Speech Volume dialog are enabled.
    bool EngineAvailable();

    // Loads the library and opens the engine unless it is loaded already; then passes the
    // volume. True when the library is loaded.
    bool EnsureEngine();

    // Stores the volume; when the engine is loaded, passes it on.
    void SetWaveScale(float scale);

    // Speaks the NUL-terminated 8-bit text. A text longer than SPEECH_TEXT_LIMIT is cut for
    // the call and restored afterwards. Through the engine directly, or, with the via-wave
    // flag, into a temporary "TTS_" wave file played by the sound player and then deleted,
    // also when it could not be written or played. True when the text was spoken; false
    // when there is no text, the engine is not loaded or it failed.
    bool Speak(void* window, char* text);
    // The same for UTF-16 text, converted to the 8-bit code page first.
    bool Speak(void* window, std::u16string_view text);

    // When the engine is loaded, or the volume or the flag changed since they were read:
    // writes "Volume" and "ViaWave". When loaded: closes the engine and unloads the library.
    // Called at program exit and after the engine failed to start.
    void ShutdownEngine();

    float Volume() const { return volume_; }
    bool ViaWave() const { return viaWave_; }
    void SetViaWave(bool viaWave);
    bool IsLoaded() const { return library_ != nullptr; }

  private:
    void* EntryPoint(const char* name) const;
    bool SpeakCut(void* window, const char* text);
    bool SpeakViaWave(void* window, const char* text);

    ISettingsStore* settings_;
    IWavePlayer* player_;
    std::string path_;  // the library's path, UTF-8; empty until known
    float volume_ = 0.0f;
    bool viaWave_ = false;
    bool changed_ = false;  // volume or flag set since read, not yet written
    void* library_ = nullptr;
};
