// Reading aloud with our espeak-ng engine library: the time from Speak to the first sample of
// audio written, for one word and for a 500-character selection, through the program's own
// binding (CSpeechEngine) in via-wave mode. A watcher thread follows the private temporary
// folder and stops the clock when the "TTS_" file is first written past its 44-byte header;
// the time to the finished wave (the player's call) is reported as the counter complete_ms,
// and the share of runs where the watcher saw no sample before the file was gone as
// "unseen" (their time is the finished wave's, an upper bound). The program's first Read,
// which loads the library and starts espeak-ng, is timed once apart.
// The engine is $LEXICOVE_SPEECH_ENGINE, else liblexicove-espeak.so in the build folder.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/memory_settings_store.h"
#include "speech/engine_registration.h"
#include "speech/speech_engine.h"
#include "speech/wave_player.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr off_t kWaveHeaderSize = 44;

constexpr char kWord[] = "welcome";
// 500 characters of ordinary prose, as a user might select on a page.
constexpr char kSelection[] =
    "A dictionary is a listing of lexemes from the lexicon of one or more specific languages, "
    "often arranged alphabetically, which may include information on definitions, usage, "
    "etymologies, pronunciations, translation, etc. It is a lexicographical reference that "
    "shows inter-relationships among the data. A broad distinction is made between general and "
    "specialized dictionaries. Specialized dictionaries include words in specialist fields, "
    "rather than a complete range of words in the language. See also.";
static_assert(sizeof(kSelection) - 1 == 500);

// Takes the finished wave without playing it and notes when it came.
class CTimingPlayer : public IWavePlayer {
  public:
    bool PlayWave(const std::string& /*path*/) override {
        called = Clock::now();
        return true;
    }
    Clock::time_point called;
};

// The first moment a "TTS_" file in the folder holds a sample. The watcher thread is spinning
// before the clock starts: it looks for the file as the binding creates it, then spins on its
// size, so the moment is taken within microseconds of the write that passes the 44-byte
// header (a wakeup from a blocking wait could come after the whole wave of a short word has
// been written). A file deleted before any sample was seen gives no moment.
class CFirstSampleWatcher {
  public:
    explicit CFirstSampleWatcher(const std::string& folder) : folder_(folder) {
        thread_ = std::thread([this] { Watch(); });
        while (!running_) {
            std::this_thread::yield();
        }
    }
    ~CFirstSampleWatcher() { Seen(); }
    CFirstSampleWatcher(const CFirstSampleWatcher&) = delete;
    CFirstSampleWatcher& operator=(const CFirstSampleWatcher&) = delete;

    // Stops watching; the moment seen, or the clock's epoch when none was.
    Clock::time_point Seen() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return seen_;
    }

  private:
    void Watch() {
        running_ = true;
        std::string path;
        while (!stop_ && path.empty()) {
            path = FindFile();
        }
        struct stat info {};
        while (!path.empty() && !stop_ && stat(path.c_str(), &info) == 0) {
            if (info.st_size > kWaveHeaderSize) {
                seen_ = Clock::now();
                return;
            }
        }
    }

    // The path of a "TTS_" file in the folder, or an empty string.
    std::string FindFile() const {
        std::string path;
        DIR* dir = opendir(folder_.c_str());
        if (dir == nullptr) {
            return path;
        }
        while (const dirent* entry = readdir(dir)) {
            if (std::string_view(entry->d_name).starts_with("TTS_")) {
                path = folder_ + entry->d_name;
                break;
            }
        }
        closedir(dir);
        return path;
    }

    std::string folder_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stop_{false};
    Clock::time_point seen_{};
    std::thread thread_;
};

std::string EnginePath() {
    const char* path = std::getenv("LEXICOVE_SPEECH_ENGINE");
    if (path != nullptr && path[0] != '\0') {
        return path;
    }
    return RunningProgramFolder() + "../" + BUNDLED_ENGINE_FILE;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// A private temporary folder for the "TTS_" files, as $TMPDIR for the benchmark's length.
class CBenchFolder {
  public:
    CBenchFolder()
        : path_((std::filesystem::temp_directory_path() /
                 ("lexicove-speech-bench-" + std::to_string(getpid())))
                    .string() +
                "/") {
        std::filesystem::create_directories(path_);
        const char* old = std::getenv("TMPDIR");
        kept_ = old != nullptr ? old : "";
        setenv("TMPDIR", path_.c_str(), 1);
    }
    ~CBenchFolder() {
        std::filesystem::remove_all(path_);
        if (kept_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", kept_.c_str(), 1);
        }
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::string kept_;
};

// The engine's key as the set-up leaves it, speaking through wave files.
void RegisterEngine(CMemorySettingsStore& store) {
    const std::string path = EnginePath();
    store.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, std::u16string(path.begin(), path.end()));
    store.WriteInteger(SPEECH_ENGINE_KEY, SPEECH_VIA_WAVE, 1);
}

void BM_SpeakToFirstSample(benchmark::State& state, const char* text) {
    CBenchFolder folder;
    CMemorySettingsStore store;
    RegisterEngine(store);
    CTimingPlayer player;
    CSpeechEngine engine(&store, &player);
    if (!engine.EnsureEngine()) {
        state.SkipWithError(("no speech engine at " + EnginePath()).c_str());
        return;
    }
    double completeMs = 0.0;
    double missed = 0.0;
    for (auto _ : state) {
        std::string buffer = text;
        CFirstSampleWatcher watcher(folder.Path());
        const Clock::time_point start = Clock::now();
        const bool spoken = engine.Speak(nullptr, buffer.data());
        Clock::time_point first = watcher.Seen();
        if (!spoken) {
            state.SkipWithError("the engine wrote no wave");
            break;
        }
        // Unseen: the whole wave was written first; its end bounds the first sample.
        if (first == Clock::time_point()) {
            first = player.called;
            missed += 1.0;
        }
        state.SetIterationTime(std::chrono::duration<double>(first - start).count());
        completeMs += Milliseconds(player.called - start);
    }
    state.counters["complete_ms"] =
        benchmark::Counter(completeMs, benchmark::Counter::kAvgIterations);
    state.counters["unseen"] = benchmark::Counter(missed, benchmark::Counter::kAvgIterations);
    engine.ShutdownEngine();
}

// The program's first Read: loading the library and starting espeak-ng (its voice data) come
// before the first sample. Only the process's first opening is cold (the library stays
// loaded), so this is registered first and runs once.
void BM_FirstReadToFirstSample(benchmark::State& state) {
    CBenchFolder folder;
    CMemorySettingsStore store;
    RegisterEngine(store);
    CTimingPlayer player;
    for (auto _ : state) {
        std::string buffer = kWord;
        CSpeechEngine engine(&store, &player);
        CFirstSampleWatcher watcher(folder.Path());
        const Clock::time_point start = Clock::now();
        const bool spoken = engine.EnsureEngine() && engine.Speak(nullptr, buffer.data());
        Clock::time_point first = watcher.Seen();
        if (!spoken) {
            state.SkipWithError(("no speech from the engine at " + EnginePath()).c_str());
            break;
        }
        if (first == Clock::time_point()) {
            first = player.called;
        }
        state.SetIterationTime(std::chrono::duration<double>(first - start).count());
        state.counters["complete_ms"] = Milliseconds(player.called - start);
    }
}

BENCHMARK(BM_FirstReadToFirstSample)
    ->Iterations(1)
    ->Repetitions(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SpeakToFirstSample, word, kWord)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SpeakToFirstSample, selection500, kSelection)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
