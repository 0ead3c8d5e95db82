// Spelling suggestions and the meaning search on the real wordnet.lcv:
//   Suggest  CDictionaryDatabase::SuggestWords: the pruned trie walk, sound keys and ranking;
//   Scan     the same edit distance computed against every dictionary word held in memory;
//   Meaning  CDictionaryDatabase::SearchMeaning for a description, 128 words at most;
//   MeaningPattern  the meaning search as a search mode, narrowed by a pattern ("*phobia" walks
//            the whole trie), 128 words at most.
// The texts run from 3 to 14 letters; the budgets are 5 ms for a 12-letter text and 10 ms
// for a meaning query.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/database_locator.h"
#include "db/dictionary_database.h"
#include "search/search_status.h"

namespace {

const char* kDescriptions[] = {"fear of spiders", "a person who loves books",
                               "doctor who treats children",
                               "a very large wave caused by an earthquake"};
const char* kTexts[] = {"teh",           "recieve",      "accomodate",  "pronounciation",
                        "indispensible", "acommodation", "xylophonistt"};

struct Loaded {
    CDictionaryDatabase db;
    std::vector<std::string> words;
    bool ok = false;
};

bool KeepWord(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(word);
    return true;
}

Loaded& Data() {
    static Loaded* data = [] {
        auto* d = new Loaded;
        std::string path;
        d->ok = LocateDatabase(&path) && d->db.Open(path.c_str());
        if (d->ok) {
            d->db.EnumerateWords(KeepWord, &d->words, "", true);
        }
        return d;
    }();
    return *data;
}

// The restricted Damerau-Levenshtein distance, one table per word.
int Distance(const std::string& a, const std::string& b, std::vector<int>* table) {
    size_t w = b.size() + 1;
    table->assign((a.size() + 1) * w, 0);
    auto at = [&](size_t i, size_t j) -> int& { return (*table)[i * w + j]; };
    for (size_t i = 0; i <= a.size(); ++i) {
        for (size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                at(i, j) = static_cast<int>(i + j);
                continue;
            }
            int v = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1,
                              at(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                v = std::min(v, at(i - 2, j - 2) + 1);
            }
            at(i, j) = v;
        }
    }
    return at(a.size(), b.size());
}

void BM_Suggest(benchmark::State& state, const char* text) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv");
        return;
    }
    size_t found = 0;
    for (auto _ : state) {
        found = d.db.SuggestWords(text).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_Scan(benchmark::State& state, const char* text) {
    Loaded& d = Data();
    if (!d.ok) {
        state.SkipWithError("no wordnet.lcv");
        return;
    }
    std::string t = text;
    std::vector<int> table;
    for (auto _ : state) {
        size_t near = 0;
        for (const std::string& w : d.words) {
            near += Distance(t, w, &table) <= 2;
        }
        benchmark::DoNotOptimize(near);
    }
}

void BM_Meaning(benchmark::State& state, const char* description) {
    Loaded& d = Data();
    if (!d.ok || !d.db.MeaningIndex().Available()) {
        state.SkipWithError("no wordnet.lcv with a meaning index");
        return;
    }
    std::vector<CMeaningIndex::Hit> hits;
    for (auto _ : state) {
        d.db.SearchMeaning(description, 128, &hits);
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["found"] = static_cast<double>(hits.size());
}

struct Taken {
    int count = 0;
};

bool TakeUpTo128(void* context, const char*, uint32_t) {
    return ++static_cast<Taken*>(context)->count < 128;
}

void BM_MeaningPattern(benchmark::State& state, const char* description, const char* pattern) {
    Loaded& d = Data();
    if (!d.ok || !d.db.MeaningIndex().Available()) {
        state.SkipWithError("no wordnet.lcv with a meaning index");
        return;
    }
    Taken taken;
    for (auto _ : state) {
        taken = Taken();
        d.db.SearchWords(TakeUpTo128, &taken, description, SEARCH_MODE_MEANING, "", pattern);
    }
    state.counters["found"] = taken.count;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (const char* text : kTexts) {
        std::string name =
            std::string(text) + " (" + std::to_string(std::string(text).size()) + ")";
        benchmark::RegisterBenchmark(("Suggest/" + name).c_str(), BM_Suggest, text)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Scan/" + name).c_str(), BM_Scan, text)
            ->Unit(benchmark::kMillisecond);
    }
    for (const char* description : kDescriptions) {
        benchmark::RegisterBenchmark((std::string("Meaning/") + description).c_str(), BM_Meaning,
                                     description)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("MeaningPattern/fear of heights, *phobia", BM_MeaningPattern,
                                 "fear of heights", "*phobia")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("MeaningPattern/a person who loves books, b*", BM_MeaningPattern,
                                 "a person who loves books", "b*")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
