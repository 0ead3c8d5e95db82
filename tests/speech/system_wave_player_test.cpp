#include "speech/system_wave_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/memory_settings_store.h"
#include "speech/engine/resident_library.h"
#include "speech/speech_engine.h"
#include "support/scoped_environment.h"
#include "support/temp_dir.h"

namespace {

// Runs with PATH set to a folder of stand-in players, each a shell script that notes its
// name and argument in played.txt and exits with the given status.
class SystemWavePlayerTest : public testing::Test {
  protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        oldPath_ = path != nullptr ? path : "";
        bin_ = temp_.MakeDir("bin");
        setenv("PATH", bin_.c_str(), 1);
    }
    void TearDown() override { setenv("PATH", oldPath_.c_str(), 1); }

    void AddPlayer(const std::string& name, int status) {
        const std::string script = "#!/bin/sh\necho \"" + name + " $1\" >> '" + temp_.Path() +
                                   "played.txt'\nexit " + std::to_string(status) + "\n";
        const std::string file = temp_.WriteFile("bin/" + name, script);
        chmod(file.c_str(), 0755);
    }

    std::string Played() const {
        std::ifstream in(temp_.Path() + "played.txt");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    CTempDir temp_;
    std::string bin_;
    std::string oldPath_;
};

TEST_F(SystemWavePlayerTest, RunsTheFirstPlayerFoundAndWaitsForIt) {
    struct Case {
        std::vector<std::string> installed;
        std::string used;
    };
    for (const Case& c : {Case{{"aplay", "paplay", "pw-play"}, "pw-play"},
                          Case{{"aplay", "paplay"}, "paplay"}, Case{{"aplay"}, "aplay"}}) {
        SCOPED_TRACE(c.used);
        for (const std::string& name : c.installed) {
            AddPlayer(name, 0);
        }
        std::remove((temp_.Path() + "played.txt").c_str());
        EXPECT_EQ(CSystemWavePlayer::FindPlayer(), bin_ + c.used);
        CSystemWavePlayer player;
        EXPECT_TRUE(player.PlayWave("/tmp/a b.wav"));
        EXPECT_EQ(Played(), c.used + " /tmp/a b.wav\n");  // finished when PlayWave returned
        for (const std::string& name : c.installed) {
            std::remove((bin_ + name).c_str());
        }
    }
}

TEST_F(SystemWavePlayerTest, FailsWhenThePlayerFailsOrNoneIsFound) {
    CSystemWavePlayer player;
    EXPECT_EQ(CSystemWavePlayer::FindPlayer(), "");
    EXPECT_FALSE(player.PlayWave("/tmp/x.wav"));
    AddPlayer("aplay", 1);
    EXPECT_FALSE(player.PlayWave("/tmp/x.wav"));
    EXPECT_EQ(Played(), "aplay /tmp/x.wav\n");
}

#ifdef ESPEAK_ENGINE_PATH

// Without a sound device our espeak-ng engine speaks through a wave file and the system
// player, and no file stays behind. The sound server and the sound card are stand-ins that
// cannot be opened, so the test neither depends on nor plays through the machine's own; the
// sound client leaves nothing in HOME.
TEST_F(SystemWavePlayerTest, EspeakEngineSpeaksThroughThePlayerWithoutASoundDevice) {
    KeepLibraryResident(ESPEAK_ENGINE_PATH);
    AddPlayer("aplay", 0);
    const std::string folder = temp_.MakeDir("tmp");
    const std::string home = temp_.MakeDir("home");
    CScopedEnvironment environment;
    environment.Set("TMPDIR", folder);
    environment.Set("HOME", home);
    environment.Unset("XDG_RUNTIME_DIR");
    environment.Set("PULSE_SERVER", "unix:" + temp_.Path() + "no-sound-server");
    environment.Set("PULSE_RUNTIME_PATH", temp_.Path() + "pulse");
    environment.Set("ALSA_CONFIG_PATH", temp_.WriteFile("asound.conf", ""));
    CMemorySettingsStore store;
    const std::string path = ESPEAK_ENGINE_PATH;
    store.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, std::u16string(path.begin(), path.end()));
    CSystemWavePlayer player;
    CSpeechEngine engine(&store, &player);
    ASSERT_TRUE(engine.EnsureEngine());
    std::string text = "hello";
    EXPECT_TRUE(engine.Speak(nullptr, text.data()));
    engine.ShutdownEngine();
    const std::string played = Played();
    ASSERT_EQ(played.rfind("aplay " + folder + "TTS_", 0), 0u) << played;
    struct stat info {};
    EXPECT_NE(stat(played.substr(6, played.size() - 7).c_str(), &info), 0);
    EXPECT_EQ(std::filesystem::directory_iterator(home), std::filesystem::directory_iterator());
}

#endif

}  // namespace
