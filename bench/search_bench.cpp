// Word search benchmarks on the real wordnet.lcv, each query beside its peers in the same run:
//   Search   the trie matcher (CDictionaryDatabase::SearchWords), every word taken;
//   Regex    a scan of every dictionary word (held in memory) with an equivalent std::regex;
//   Grep     GNU grep -E over a one-word-per-line file of the same words, as a whole process;
//   Scan     for sounds-like queries, which no regular expression states: a scan of every
//            word with CPhoneticKey::MatchWord, the test the pruned walk saves.
// The matcher runs with the options' defaults: spaces ignored, punctuation kept. The regular
// expressions say the same: a space may stand between any two characters the pattern names.
// At start each query's word count is printed for the three methods; they must agree.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/database_locator.h"
#include "db/dictionary_database.h"
#include "search/phonetic_key.h"
#include "search/search_index.h"
#include "search/search_status.h"

extern char** environ;

namespace {

struct PatternQuery {
    const char* name;
    const char* pattern;
    const char* regex;     // the whole word must match
    const char* noRepeat;  // when set, a word must not match this search (repeated letters)
};

// " *" between named characters: the matcher passes over spaces there.
const PatternQuery kPatterns[] = {
    {"wildcard c?t", "c?t", "c *[^ ] *t", nullptr},
    {"wildcard *ness", "*ness", ".*n *e *s *s", nullptr},
    {"wildcard {un,re}*able", "{un,re}*able", "(u *n|r *e).*a *b *l *e", nullptr},
    {"puzzle ?a?e?", "?a?e?", "[^ ] *a *[^ ] *e *[^ ]", nullptr},
    {"anagram (aeinrst)", "(aeinrst)", "[aeinrst]( *[aeinrst]){0,6}", "([a-z]).*\\1"},
    {"anagram (7:aeinrst)", "(7:aeinrst)", "[aeinrst]( *[aeinrst]){6}", "([a-z]).*\\1"},
};
const char* kSounds[] = {"smith", "catherine", "fisiks"};

struct Loaded {
    CDictionaryDatabase db;
    std::vector<std::string> words;
    std::string wordFile;
    bool ok = false;
};

bool KeepWord(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(word);
    return true;
}

bool CountWord(void* context, const char*, uint32_t) {
    ++*static_cast<size_t*>(context);
    return true;
}

Loaded& Data() {
    static Loaded* data = [] {
        auto* d = new Loaded;
        std::string path;
        if (!LocateDatabase(&path) || !d->db.Open(path.c_str())) {
            return d;
        }
        d->db.EnumerateWords(KeepWord, &d->words, "", true);
        d->wordFile = "/tmp/lexicove-search-bench-words.txt";
        std::ofstream out(d->wordFile, std::ios::binary);
        for (const std::string& w : d->words) {
            out << w << '\n';
        }
        d->db.SetSearchFlags(true, false);
        d->ok = static_cast<bool>(out);
        return d;
    }();
    return *data;
}

size_t SearchCount(Loaded& d, const char* query, int mode, std::set<std::string>* found) {
    CSearchIndex::ClearStop();
    if (found != nullptr) {
        std::vector<std::string> words;
        d.db.SearchWords(KeepWord, &words, query, mode, "");
        found->insert(words.begin(), words.end());
        return found->size();
    }
    size_t n = 0;
    d.db.SearchWords(CountWord, &n, query, mode, "");
    return n;
}

size_t RegexCount(const Loaded& d, const std::regex& re, const std::regex* noRepeat) {
    size_t n = 0;
    for (const std::string& w : d.words) {
        n += std::regex_match(w, re) && (noRepeat == nullptr || !std::regex_search(w, *noRepeat));
    }
    return n;
}

// Runs the command line through /bin/sh with its output to /dev/null; returns its status.
int RunProcess(const std::string& command) {
    const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

std::string GrepCommand(const Loaded& d, const PatternQuery& q, bool count) {
    std::string cmd =
        "exec 2>/dev/null; LC_ALL=C grep -E -x '" + std::string(q.regex) + "' " + d.wordFile;
    if (q.noRepeat != nullptr) {
        cmd += " | LC_ALL=C grep -E -v '" + std::string(q.noRepeat) + "'";
    }
    return cmd + (count ? " | wc -l" : " >/dev/null");
}

size_t GrepCount(const Loaded& d, const PatternQuery& q) {
    std::string out = "/tmp/lexicove-search-bench-grep.txt";
    RunProcess(GrepCommand(d, q, true) + " >" + out);
    std::ifstream in(out);
    size_t n = 0;
    in >> n;
    return n;
}

void BM_Search(benchmark::State& state, const char* query, int mode) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv (scripts/dev.sh database builds it)");
        return;
    }
    size_t words = 0;
    for (auto _ : state) {
        words = SearchCount(d, query, mode, nullptr);
        benchmark::DoNotOptimize(words);
    }
    state.counters["reports"] = static_cast<double>(words);
}

void BM_Regex(benchmark::State& state, const PatternQuery* q) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv");
        return;
    }
    std::regex re(q->regex, std::regex::extended | std::regex::optimize);
    std::regex noRepeat(q->noRepeat != nullptr ? q->noRepeat : "x");  // ECMAScript: \1
    size_t words = 0;
    for (auto _ : state) {
        words = RegexCount(d, re, q->noRepeat != nullptr ? &noRepeat : nullptr);
        benchmark::DoNotOptimize(words);
    }
    state.counters["words"] = static_cast<double>(words);
}

void BM_Grep(benchmark::State& state, const PatternQuery* q) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv");
        return;
    }
    std::string command = GrepCommand(d, *q, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunProcess(command));
    }
}

void BM_Scan(benchmark::State& state, const char* sound) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv");
        return;
    }
    CPhoneticKey key(sound);
    const char* alternate = *key.AlternateKey() != '\0' ? key.AlternateKey() : nullptr;
    size_t words = 0;
    for (auto _ : state) {
        words = 0;
        for (const std::string& w : d.words) {
            words += key.MatchWord(w, 0, key.PrimaryKey(), alternate);
        }
        benchmark::DoNotOptimize(words);
    }
    state.counters["words"] = static_cast<double>(words);
}

// The three methods must find the same words; a disagreement is printed and fails the run.
bool CheckAgreement() {
    Loaded& d = Data();
    if (!d.ok) {
        return true;
    }
    bool agree = true;
    for (const PatternQuery& q : kPatterns) {
        std::set<std::string> found;
        size_t search = SearchCount(d, q.pattern, SEARCH_MODE_PATTERN, &found);
        std::regex re(q.regex, std::regex::extended);
        std::regex noRepeat(q.noRepeat != nullptr ? q.noRepeat : "x");
        size_t regex = RegexCount(d, re, q.noRepeat != nullptr ? &noRepeat : nullptr);
        size_t grep = GrepCount(d, q);
        std::printf("%-24s search %zu, regex %zu, grep %zu words\n", q.name, search, regex, grep);
        agree = agree && search == regex && regex == grep;
    }
    for (const char* sound : kSounds) {
        std::set<std::string> found;
        size_t search = SearchCount(d, sound, SEARCH_MODE_PHONETIC, &found);
        CPhoneticKey key(sound);
        const char* alternate = *key.AlternateKey() != '\0' ? key.AlternateKey() : nullptr;
        size_t scan = 0;
        for (const std::string& w : d.words) {
            scan += key.MatchWord(w, 0, key.PrimaryKey(), alternate);
        }
        std::printf("%-24s search %zu, scan %zu words\n", sound, search, scan);
        agree = agree && search == scan;
    }
    return agree;
}

void Register() {
    for (const PatternQuery& q : kPatterns) {
        std::string name = q.name;
        benchmark::RegisterBenchmark(("Search/" + name).c_str(), BM_Search, q.pattern,
                                     SEARCH_MODE_PATTERN)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Regex/" + name).c_str(), BM_Regex, &q)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Grep/" + name).c_str(), BM_Grep, &q)
            ->Unit(benchmark::kMillisecond);
    }
    for (const char* sound : kSounds) {
        std::string name = std::string("phonetic ") + sound;
        benchmark::RegisterBenchmark(("Search/" + name).c_str(), BM_Search, sound,
                                     SEARCH_MODE_PHONETIC)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Scan/" + name).c_str(), BM_Scan, sound)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!CheckAgreement()) {
        std::fprintf(stderr, "search_bench: the methods disagree\n");
        return 1;
    }
    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
