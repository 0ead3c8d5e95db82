// Database core benchmarks: word lookups, the Lookup view's page of 20 words and record
// reads. They run on the real wordnet.lcv when it can be located, else on a generated
// fixture of 150,000 words.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/database_locator.h"
#include "db/database_writer.h"
#include "db/dictionary_database.h"
#include "db/format.h"

namespace {

struct Loaded {
    CDictionaryDatabase db;
    std::vector<std::string> words;
    std::vector<uint32_t> refs;  // some entry references, for record reads
    std::string source;
};

bool CollectWord(void* context, const char* word, uint32_t) {
    static_cast<Loaded*>(context)->words.emplace_back(word);
    return true;
}

std::string GenerateFixture() {
    std::mt19937 rng(42);
    CDatabaseWriter writer;
    std::string text;
    std::set<std::string> seen;
    while (seen.size() < 150000) {
        std::string w;
        int length = 3 + static_cast<int>(rng() % 9);
        for (int k = 0; k < length; ++k) {
            w.push_back(static_cast<char>('a' + rng() % 26));
        }
        if (!seen.insert(w).second) {
            continue;
        }
        uint32_t at = static_cast<uint32_t>(text.size());
        text += w + "\rsynonym\na gloss for " + w + "$a sample with " + w + "\n";
        text += std::string("\x8A\x00\x00\x00\x00\x00\x01", 7);
        writer.AddWord(w, {lcv::MakeRef(lcv::ENTRY_NOUN, at)});
    }
    writer.SetTextStream(text);
    std::string path = "/tmp/lexicove-bench-fixture.lcv";
    std::string error;
    if (!writer.Write(path, &error)) {
        std::fprintf(stderr, "fixture: %s\n", error.c_str());
    }
    return path;
}

Loaded& Data() {
    static Loaded* loaded = [] {
        auto* l = new Loaded;
        std::string path;
        if (!LocateDatabase(&path)) {
            path = GenerateFixture();
        }
        l->source = path;
        if (!l->db.Open(path.c_str())) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            std::exit(1);
        }
        l->db.EnumerateWords(CollectWord, l, "", true);
        std::mt19937 rng(7);
        for (int k = 0; k < 4096; ++k) {
            uint32_t refs[8];
            const std::string& w = l->words[rng() % l->words.size()];
            int n = l->db.LookupIndex()->ReadEntryRefs(l->db.FindWord(w.c_str()), refs, 8);
            for (int j = 0; j < n; ++j) {
                l->refs.push_back(refs[j]);
            }
        }
        std::fprintf(stderr, "database: %s, %zu words\n", path.c_str(), l->words.size());
        return l;
    }();
    return *loaded;
}

void BM_FindWord(benchmark::State& state) {
    Loaded& d = Data();
    std::mt19937 rng(1);
    for (auto _ : state) {
        const std::string& w = d.words[rng() % d.words.size()];
        benchmark::DoNotOptimize(d.db.FindWord(w.c_str()));
    }
}
BENCHMARK(BM_FindWord);

// Hit: a word as typed; fallback: its plural form that is not itself a word; miss: nothing.
void LookupCase(benchmark::State& state, int kind) {
    Loaded& d = Data();
    std::vector<std::string> texts;
    std::mt19937 rng(2);
    while (texts.size() < 1000) {
        std::string w = d.words[rng() % d.words.size()];
        if (w.size() > 120) {
            continue;
        }
        if (kind == 1) {
            w += "s";
            if (d.db.FindWord(w.c_str()) != 0) {
                continue;
            }
        } else if (kind == 2) {
            w = "qx" + w + "zq";
        }
        texts.push_back(w);
    }
    size_t i = 0;
    char buffer[LOOKUP_BUFFER_SIZE];
    for (auto _ : state) {
        std::strcpy(buffer, texts[i++ % texts.size()].c_str());
        uint32_t n;
        benchmark::DoNotOptimize(d.db.LookupWord(buffer, &n));
    }
}
void BM_LookupWordHit(benchmark::State& state) {
    LookupCase(state, 0);
}
void BM_LookupWordFallback(benchmark::State& state) {
    LookupCase(state, 1);
}
void BM_LookupWordMiss(benchmark::State& state) {
    LookupCase(state, 2);
}
BENCHMARK(BM_LookupWordHit);
BENCHMARK(BM_LookupWordFallback);
BENCHMARK(BM_LookupWordMiss);

struct Page {
    int count = 0;
};
bool TakeTwenty(void* context, const char*, uint32_t) {
    return ++static_cast<Page*>(context)->count < 20;
}

void BM_PageOf20FromRandomPrefix(benchmark::State& state) {
    Loaded& d = Data();
    std::mt19937 rng(3);
    std::vector<std::string> prefixes;
    for (int k = 0; k < 1000; ++k) {
        const std::string& w = d.words[rng() % d.words.size()];
        prefixes.push_back(w.substr(0, 1 + rng() % std::min<size_t>(w.size(), 5)));
    }
    size_t i = 0;
    for (auto _ : state) {
        Page page;
        d.db.EnumerateWords(TakeTwenty, &page, prefixes[i++ % prefixes.size()].c_str(), true);
        benchmark::DoNotOptimize(page.count);
    }
}
BENCHMARK(BM_PageOf20FromRandomPrefix);

void BM_ReadRecord(benchmark::State& state) {
    Loaded& d = Data();
    size_t i = 0;
    for (auto _ : state) {
        uint32_t length = 0;
        benchmark::DoNotOptimize(
            d.db.BlockStore()->ReadRecord(lcv::RefPosition(d.refs[i++ % d.refs.size()]), &length));
    }
}
BENCHMARK(BM_ReadRecord);

}  // namespace

BENCHMARK_MAIN();
