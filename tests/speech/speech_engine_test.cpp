#include "speech/speech_engine.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/memory_settings_store.h"
#include "speech/engine/recording_engine_client.h"
#include "speech/engine/resident_library.h"
#include "speech/engine_registration.h"
#include "speech/path_text.h"
#include "speech/wave_player.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    return names;
}

// Plays nothing: keeps each file's name and its bytes at the moment it was to be played.
class CRecordingPlayer : public IWavePlayer {
  public:
    bool PlayWave(const std::string& path) override {
        paths.push_back(path);
        contents.push_back(ReadWholeFile(path));
        return result;
    }

    std::vector<std::string> paths;
    std::vector<std::string> contents;
    bool result = true;
};

// The speech engine key as the set-up leaves it.
void Register(CMemorySettingsStore& store, const std::string& path, float volume, int viaWave) {
    store.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, std::u16string(path.begin(), path.end()));
    store.WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VOLUME, std::bit_cast<int32_t>(volume));
    store.WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, viaWave);
}

float StoredVolume(const CMemorySettingsStore& store) {
    return std::bit_cast<float>(ReadIntegerOr(store, SPEECH_ENGINE_KEY, SPEECH_VOLUME, -1));
}

// Each test gets its own temporary folder for the "TTS_" files.
class SpeechEngineTest : public testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("TMPDIR");
        oldTemp_ = old != nullptr ? old : "";
        setenv("TMPDIR", temp_.Path().c_str(), 1);
        ASSERT_TRUE(client_.Loaded());
        client_.Reset();
    }
    void TearDown() override {
        if (oldTemp_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", oldTemp_.c_str(), 1);
        }
    }

    // The text spoken through a fresh engine over the recording library; the call log.
    std::string SpeakOnce(int viaWave, const char* text,
                          const char* library = RECORDING_ENGINE_PATH) {
        Register(store_, library, 1.5f, viaWave);
        CSpeechEngine engine(&store_, &player_);
        EXPECT_TRUE(engine.EnsureEngine());
        std::string buffer = text;
        spoken_ = engine.Speak(nullptr, buffer.data());
        engine.ShutdownEngine();
        return client_.Log();
    }

    CTempDir temp_;
    std::string oldTemp_;
    CMemorySettingsStore store_;
    CRecordingPlayer player_;
    CRecordingEngineClient client_{RECORDING_ENGINE_PATH};
    bool spoken_ = false;
};

TEST_F(SpeechEngineTest, AvailableOnlyWithPathAndReadsValuesOnceThePathIsKnown) {
    CSpeechEngine engine(&store_, &player_);
    EXPECT_FALSE(engine.EngineAvailable());
    store_.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, u"");
    EXPECT_FALSE(engine.EngineAvailable());

    // Read again while no path is known.
    Register(store_, "/opt/engine.so", 1.5f, 1);
    EXPECT_TRUE(engine.EngineAvailable());
    EXPECT_EQ(engine.Volume(), 1.5f);
    EXPECT_TRUE(engine.ViaWave());

    // Never again once it is.
    Register(store_, "", 2.0f, 0);
    EXPECT_TRUE(engine.EngineAvailable());
    EXPECT_EQ(engine.Volume(), 1.5f);
    EXPECT_TRUE(engine.ViaWave());
}

TEST_F(SpeechEngineTest, UnreadableVolumeAndFlagLeaveZero) {
    store_.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, u"/opt/engine.so");
    store_.WriteString(SPEECH_ENGINE_KEY, SPEECH_VOLUME, u"loud");
    CSpeechEngine engine(&store_, &player_);
    EXPECT_TRUE(engine.EngineAvailable());
    EXPECT_EQ(engine.Volume(), 0.0f);
    EXPECT_FALSE(engine.ViaWave());
}

TEST_F(SpeechEngineTest, CallsGoOpenScaleSpeakClose) {
    EXPECT_EQ(SpeakOnce(0, "hello"), "open\nscale 1.5\nspeech 5:hello\nclose\n");
    EXPECT_TRUE(spoken_);
    EXPECT_TRUE(player_.paths.empty());
    EXPECT_EQ(StoredVolume(store_), 1.5f);
    EXPECT_EQ(ReadIntegerOr(store_, SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, -1), 0);
}

TEST_F(SpeechEngineTest, ViaWaveWritesATemporaryFilePlaysItAndDeletesIt) {
    EXPECT_EQ(SpeakOnce(1, "hello"), "open\nscale 1.5\nwave 5:hello\nclose\n");
    EXPECT_TRUE(spoken_);
    ASSERT_EQ(player_.paths.size(), 1u);
    EXPECT_EQ(player_.paths[0].rfind(temp_.Path() + "TTS_", 0), 0u) << player_.paths[0];
    EXPECT_EQ(player_.contents[0], "hello");
    EXPECT_TRUE(FolderEntries(temp_.Path()).empty());
    EXPECT_EQ(ReadIntegerOr(store_, SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, -1), 1);
}

TEST_F(SpeechEngineTest, ResultAboveZeroMeansSpoken) {
    struct Case {
        int viaWave;
        float result;
        bool playerResult;
        bool spoken;
    };
    for (const Case& c :
         {Case{0, 1.0f, true, true}, Case{0, 0.25f, true, true}, Case{0, 0.0f, true, false},
          Case{0, -1.0f, true, false}, Case{1, 2.0f, true, true}, Case{1, 2.0f, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.viaWave << " " << c.result << " " << c.playerResult);
        client_.Reset(1, c.result, c.result);
        player_.result = c.playerResult;
        SpeakOnce(c.viaWave, "word");
        EXPECT_EQ(spoken_, c.spoken);
    }
}

TEST_F(SpeechEngineTest, FailedOpenShutsTheEngineDown) {
    client_.Reset(0);
    Register(store_, RECORDING_ENGINE_PATH, 1.5f, 0);
    CSpeechEngine engine(&store_, &player_);
    EXPECT_FALSE(engine.EnsureEngine());
    EXPECT_FALSE(engine.IsLoaded());
    std::string text = "hello";
    EXPECT_FALSE(engine.Speak(nullptr, text.data()));
    EXPECT_EQ(client_.Log(), "open\nclose\n");
}

TEST_F(SpeechEngineTest, NothingIsCalledBeforeTheEngineIsLoaded) {
    Register(store_, RECORDING_ENGINE_PATH, 1.5f, 0);
    CSpeechEngine engine(&store_, &player_);
    std::string text = "hello";
    EXPECT_FALSE(engine.Speak(nullptr, text.data()));
    engine.SetWaveScale(2.0f);
    EXPECT_EQ(client_.Log(), "");
}

TEST_F(SpeechEngineTest, MissingLibraryFails) {
    Register(store_, temp_.Path() + "none.so", 1.0f, 0);
    CSpeechEngine engine(&store_, &player_);
    EXPECT_TRUE(engine.EngineAvailable());
    EXPECT_FALSE(engine.EnsureEngine());
}

TEST_F(SpeechEngineTest, MissingEntryPointsFailQuietly) {
    CRecordingEngineClient partial(PARTIAL_ENGINE_PATH);
    ASSERT_TRUE(partial.Loaded());
    partial.Reset();
    for (int viaWave : {0, 1}) {
        Register(store_, PARTIAL_ENGINE_PATH, 1.5f, viaWave);
        CSpeechEngine engine(&store_, &player_);
        EXPECT_TRUE(engine.EnsureEngine());
        engine.SetWaveScale(2.0f);
        std::string text = "hello";
        EXPECT_FALSE(engine.Speak(nullptr, text.data()));
    }
    EXPECT_EQ(partial.Log(), "open\nclose\nopen\nclose\n");
    EXPECT_TRUE(player_.paths.empty());
    EXPECT_TRUE(FolderEntries(temp_.Path()).empty());
}

TEST_F(SpeechEngineTest, LongTextIsCutAt512BytesForTheCallAndRestored) {
    for (int viaWave : {0, 1}) {
        for (size_t length : {511u, 512u, 513u, 600u}) {
            SCOPED_TRACE(testing::Message() << viaWave << " " << length);
            client_.Reset();
            std::string original;
            for (size_t i = 0; i < length; ++i) {
                original += static_cast<char>('a' + i % 26);
            }
            Register(store_, RECORDING_ENGINE_PATH, 0.0f, viaWave);
            CSpeechEngine engine(&store_, &player_);
            ASSERT_TRUE(engine.EnsureEngine());
            std::string text = original;
            EXPECT_TRUE(engine.Speak(nullptr, text.data()));
            EXPECT_EQ(text, original);  // the byte at 512 is back
            const size_t passed = std::min<size_t>(length, SPEECH_TEXT_LIMIT);
            const std::string expected = (viaWave ? "wave " : "speech ") + std::to_string(passed) +
                                         ":" + original.substr(0, passed);
            EXPECT_NE(client_.Log().find(expected + "\n"), std::string::npos);
        }
    }
}

TEST_F(SpeechEngineTest, Utf16TextGoesOutInTheCodePage) {
    Register(store_, RECORDING_ENGINE_PATH, 0.0f, 0);
    CSpeechEngine engine(&store_, &player_);
    ASSERT_TRUE(engine.EnsureEngine());
    EXPECT_TRUE(engine.Speak(nullptr, std::u16string_view(u"caf\u00e9 \u2022")));
    EXPECT_NE(client_.Log().find("speech 6:caf\xe9 \x95\n"), std::string::npos);
}

// Whatever goes wrong after the temporary file was made, it is deleted and Speak says false.
TEST_F(SpeechEngineTest, FailedWaveLeavesNoTemporaryFile) {
    struct Case {
        const char* name;
        float waveResult;
        bool playerResult;
        size_t played;
    };
    for (const Case& c : {Case{"not written", 0.0f, true, 0}, Case{"refused", -1.0f, true, 0},
                          Case{"not played", 1.0f, false, 1}}) {
        SCOPED_TRACE(c.name);
        client_.Reset(1, 1.0f, c.waveResult);
        player_ = CRecordingPlayer();
        player_.result = c.playerResult;
        SpeakOnce(1, "hello");
        EXPECT_FALSE(spoken_);
        EXPECT_EQ(player_.paths.size(), c.played);
        EXPECT_TRUE(FolderEntries(temp_.Path()).empty());
    }
}

TEST_F(SpeechEngineTest, UnwritableTemporaryFolderFailsBeforeTheEngine) {
    setenv("TMPDIR", (temp_.Path() + "missing").c_str(), 1);
    EXPECT_EQ(SpeakOnce(1, "hello"), "open\nscale 1.5\nclose\n");
    EXPECT_FALSE(spoken_);
    EXPECT_TRUE(player_.paths.empty());
}

// A volume or flag chosen while the engine was never loaded is kept too.
TEST_F(SpeechEngineTest, ChangedValuesAreWrittenWithoutTheEngineLoaded) {
    Register(store_, RECORDING_ENGINE_PATH, 0.0f, 0);
    {
        CSpeechEngine engine(&store_, &player_);
        ASSERT_TRUE(engine.EngineAvailable());
        engine.ShutdownEngine();
    }
    store_.DeleteValue(SPEECH_ENGINE_KEY, SPEECH_VOLUME);
    {
        CSpeechEngine engine(&store_, &player_);
        ASSERT_TRUE(engine.EngineAvailable());
        engine.ShutdownEngine();  // nothing changed: nothing written
        int32_t volume = 0;
        EXPECT_FALSE(store_.ReadInteger(SPEECH_ENGINE_KEY, SPEECH_VOLUME, &volume));
        engine.SetWaveScale(2.0f);
        engine.SetViaWave(true);
        engine.ShutdownEngine();
    }
    EXPECT_EQ(StoredVolume(store_), 2.0f);
    EXPECT_EQ(ReadIntegerOr(store_, SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, -1), 1);
    EXPECT_EQ(client_.Log(), "");
}

// The bundled library is registered where no engine is, and only when it really loads; a
// registered engine whose file exists is kept; our own library registered from a folder that
// is gone is forgotten.
TEST_F(SpeechEngineTest, RegistersTheBundledEngineOnlyWhereNoneIs) {
    enum Bundled { NONE, NOT_A_LIBRARY, LIBRARY };
    const std::string gone = temp_.Path() + "gone/" + BUNDLED_ENGINE_FILE;
    struct Case {
        const char* name;
        const char* registered;  // nullptr: no value; "@gone": our library's old place
        Bundled bundled;
        bool written;
        const char* after;  // "@bundled": the bundled library's path; nullptr: no value
    };
    const Case cases[] = {
        {"nothing anywhere", nullptr, NONE, false, nullptr},
        {"a file that is no library", nullptr, NOT_A_LIBRARY, false, nullptr},
        {"no value", nullptr, LIBRARY, true, "@bundled"},
        {"an empty value", "", LIBRARY, true, "@bundled"},
        {"a missing engine", "/opt/none/engine.so", LIBRARY, true, "@bundled"},
        {"an engine that exists", RECORDING_ENGINE_PATH, LIBRARY, false, RECORDING_ENGINE_PATH},
        {"our library gone", "@gone", NONE, true, ""},
        {"another missing engine", "/opt/none/engine.so", NONE, false, "/opt/none/engine.so"},
    };
    int count = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = temp_.MakeDir("program" + std::to_string(++count));
        const std::string bundled = folder + BUNDLED_ENGINE_FILE;
        if (c.bundled == NOT_A_LIBRARY) {
            temp_.WriteFile("program" + std::to_string(count) + "/" + BUNDLED_ENGINE_FILE, "x");
        } else if (c.bundled == LIBRARY) {
            std::filesystem::copy_file(RECORDING_ENGINE_PATH, bundled);
        }
        CMemorySettingsStore store;
        if (c.registered != nullptr) {
            const std::string path = std::string(c.registered) == "@gone" ? gone : c.registered;
            store.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, PathToUtf16(path));
        }
        EXPECT_EQ(RegisterBundledEngine(store, folder), c.written);
        std::u16string value;
        const bool present = store.ReadString(SPEECH_ENGINE_KEY, SPEECH_DLL, &value);
        ASSERT_EQ(present, c.after != nullptr);
        if (present) {
            const std::string after = std::string(c.after) == "@bundled" ? bundled : c.after;
            EXPECT_EQ(PathToUtf8(value), after);
        }
    }
}

#ifdef ESPEAK_ENGINE_PATH

uint32_t Get32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

uint16_t Get16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(Get32(bytes + std::string(2, '\0'), at) & 0xFFFF);
}

// Our espeak-ng engine writes a real wave file, which the player gets and which is gone after.
// Writing it never starts the sound system: without a runtime folder the sound client would
// leave its folders in $TMPDIR and $HOME.
TEST_F(SpeechEngineTest, EspeakEngineWritesA16BitMonoWave) {
    KeepLibraryResident(ESPEAK_ENGINE_PATH);
    const std::string home = temp_.MakeDir("home");
    CScopedEnvironment environment;
    environment.Set("HOME", home);
    environment.Unset("XDG_RUNTIME_DIR");
    SpeakOnce(1, "hello world", ESPEAK_ENGINE_PATH);
    ASSERT_TRUE(spoken_);
    ASSERT_EQ(player_.contents.size(), 1u);
    const std::string& wave = player_.contents[0];
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(Get32(wave, 4), wave.size() - 8);
    EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Get32(wave, 16), 16u);
    EXPECT_EQ(Get16(wave, 20), 1u);  // PCM
    EXPECT_EQ(Get16(wave, 22), 1u);  // mono
    const uint32_t rate = Get32(wave, 24);
    EXPECT_EQ(rate, 22050u);  // espeak-ng's rate
    EXPECT_EQ(Get32(wave, 28), rate * 2);
    EXPECT_EQ(Get16(wave, 32), 2u);
    EXPECT_EQ(Get16(wave, 34), 16u);
    EXPECT_EQ(wave.substr(36, 4), "data");
    EXPECT_EQ(Get32(wave, 40), wave.size() - 44);
    // "hello world" takes well under two seconds and more than a few tenths.
    const double seconds = static_cast<double>(wave.size() - 44) / 2.0 / rate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(FolderEntries(temp_.Path()), std::vector<std::string>{"home"});
    EXPECT_TRUE(FolderEntries(home).empty());
}

// The program's text is Windows-1252: its characters at 0x80-0x9F are spoken as the
// characters they are ("\x80" is the euro sign), not dropped as ISO-8859-1 control codes.
TEST_F(SpeechEngineTest, EspeakEngineSpeaksTheCodePagesOwnCharacters) {
    KeepLibraryResident(ESPEAK_ENGINE_PATH);
    auto seconds = [this](const char* text) {
        player_ = CRecordingPlayer();
        SpeakOnce(1, text, ESPEAK_ENGINE_PATH);
        const std::string& wave = player_.contents.at(0);
        return static_cast<double>(wave.size() - 44) / 2.0 / Get32(wave, 24);
    };
    const double plain = seconds("5");
    const double euro = seconds("5 \x80");
    EXPECT_GT(euro, plain + 0.2);  // "five euro", not "five"
}

// A louder scale gives louder samples; 0.0 is the engine's own default.
TEST_F(SpeechEngineTest, EspeakEngineScaleSetsTheAmplitude) {
    KeepLibraryResident(ESPEAK_ENGINE_PATH);
    auto peak = [this](float volume) {
        player_ = CRecordingPlayer();
        Register(store_, ESPEAK_ENGINE_PATH, volume, 1);
        CSpeechEngine engine(&store_, &player_);
        EXPECT_TRUE(engine.EnsureEngine());
        std::string text = "hello";
        EXPECT_TRUE(engine.Speak(nullptr, text.data()));
        int highest = 0;
        const std::string& wave = player_.contents.at(0);
        for (size_t at = 44; at + 1 < wave.size(); at += 2) {
            highest = std::max(highest, std::abs(static_cast<int16_t>(Get16(wave, at))));
        }
        return highest;
    };
    const int quiet = peak(0.25f);
    const int normal = peak(0.0f);
    const int loud = peak(1.5f);
    EXPECT_LT(quiet, normal);
    EXPECT_LT(normal, loud);
}

#endif

}  // namespace
