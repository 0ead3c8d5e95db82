// Word page benchmarks on the real wordnet.lcv (in the program folder, or $LEXICOVE_DATABASE):
// lookup to finished page for 1,000 random words (median and 99th percentile reported as
// counters) and for a few of the largest words, repeated and as the first page after opening;
// lexicove-cli define run as a whole process,
// beside WordNet's own "wn run -over" as the peer and an empty process ("true") as the floor.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "db/block_store.h"
#include "db/dictionary_database.h"
#include "render/html_display.h"
#include "render/render_worker.h"

extern char** environ;

namespace {

// Takes the posted page as the desktop display would, without showing it.
class CNullDisplay : public IHtmlDisplay {
  public:
    bool IsWindow() const override { return true; }
    void Clear() override {}
    void AddText(const char* text) override { bytes += std::strlen(text); }
    void EndOfSource() override {}
    void PostAddText(const char* text) override { bytes += std::strlen(text); }
    void PostEndOfSource() override {}
    void ShowError(const char*) override {}
    size_t bytes = 0;
};

struct Loaded {
    CDictionaryDatabase db;
    std::string path;
    bool open = false;
    std::vector<std::string> sample;
};

bool Collect(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(word);
    return true;
}

Loaded& Data() {
    static Loaded* loaded = [] {
        auto* l = new Loaded;
        const char* given = std::getenv("LEXICOVE_DATABASE");
        l->path = given != nullptr ? given : GetProgramFolder() + "wordnet.lcv";
        l->open = l->db.Open(l->path.c_str());
        if (l->open) {
            std::vector<std::string> words;
            l->db.EnumerateWords(Collect, &words, "", true);
            std::mt19937 rng(2024);
            for (int i = 0; i < 1000 && !words.empty(); ++i) {
                l->sample.push_back(words[rng() % words.size()]);
            }
        }
        return l;
    }();
    return *loaded;
}

// Lookup as the user means it, then the whole page built and handed over.
size_t ShowWord(CDictionaryDatabase& db, CRenderWorker& worker, const std::string& word) {
    char buffer[LOOKUP_BUFFER_SIZE];
    std::snprintf(buffer, sizeof buffer, "%s", word.c_str());
    uint32_t number = 0;
    if (!db.LookupWord(buffer, &number)) {
        return 0;
    }
    worker.RenderWord(buffer, number);
    return worker.Page().Length();
}

void BM_RandomWordPages(benchmark::State& state) {
    Loaded& data = Data();
    if (!data.open) {
        state.SkipWithError(("no database at " + data.path).c_str());
        return;
    }
    CNullDisplay display;
    CRenderWorker worker(&data.db, false);
    worker.SetDisplay(&display);
    std::vector<double> micros;
    for (auto _ : state) {
        for (const std::string& word : data.sample) {
            auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(ShowWord(data.db, worker, word));
            auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
    state.SetItemsProcessed(static_cast<int64_t>(micros.size()));
}
BENCHMARK(BM_RandomWordPages)->Unit(benchmark::kMillisecond);

void BM_WordPage(benchmark::State& state, const char* word) {
    Loaded& data = Data();
    if (!data.open) {
        state.SkipWithError(("no database at " + data.path).c_str());
        return;
    }
    CNullDisplay display;
    CRenderWorker worker(&data.db, false);
    worker.SetDisplay(&display);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = ShowWord(data.db, worker, word);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_WordPage, set, "set")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WordPage, break, "break")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WordPage, run, "run")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WordPage, take, "take")->Unit(benchmark::kMicrosecond);

// The same page right after the database was opened, with no block kept yet: each block the
// page reads is inflated once (the repeated page above inflates none).
void BM_FirstWordPage(benchmark::State& state, const char* word) {
    Loaded& data = Data();
    if (!data.open) {
        state.SkipWithError(("no database at " + data.path).c_str());
        return;
    }
    CNullDisplay display;
    uint64_t inflated = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CDictionaryDatabase db;
        db.Open(data.path.c_str());
        CRenderWorker worker(&db, false);
        worker.SetDisplay(&display);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ShowWord(db, worker, word));
        inflated = db.BlockStore()->InflateCount();
    }
    state.counters["blocks_inflated"] = static_cast<double>(inflated);
}
BENCHMARK_CAPTURE(BM_FirstWordPage, run, "run")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FirstWordPage, take, "take")->Unit(benchmark::kMicrosecond);

// The benchmark program is in build/bench/; lexicove-cli in build/.
std::string CliPath() {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    path = path.substr(0, path.rfind('/'));
    return path.substr(0, path.rfind('/')) + "/lexicove-cli";
}

// Runs a program to its end with its output sent to /dev/null. Returns its exit status, or
// -1 when it could not be run or did not exit normally.
int RunProcess(const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

void BM_DefineRunProcess(benchmark::State& state) {
    Loaded& data = Data();
    std::vector<std::string> args = {CliPath(), "--database", data.path, "define", "run"};
    if (!data.open || RunProcess(args) != 0) {
        state.SkipWithError("lexicove-cli define run failed");
        return;
    }
    for (auto _ : state) {
        RunProcess(args);
    }
}
BENCHMARK(BM_DefineRunProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// What starting any process costs on this machine, to read the two above against.
void BM_TrueProcess(benchmark::State& state) {
    std::vector<std::string> args = {"true"};
    for (auto _ : state) {
        RunProcess(args);
    }
}
BENCHMARK(BM_TrueProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WnRunOverProcess(benchmark::State& state) {
    // wn exits with the number of senses it found.
    std::vector<std::string> args = {"wn", "run", "-over"};
    if (RunProcess(args) < 0) {
        state.SkipWithError("wn is not installed (Debian package wordnet)");
        return;
    }
    for (auto _ : state) {
        RunProcess(args);
    }
}
BENCHMARK(BM_WnRunOverProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
