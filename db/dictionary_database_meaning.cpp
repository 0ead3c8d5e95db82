// CDictionaryDatabase's reverse dictionary: the query made of a description (its words, each
// with the words of the senses it names), the ranked words, and the words reported as a search,
// narrowed by a pattern when one is given.

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "app/options_record.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "search/meaning_terms.h"
#include "search/search_status.h"

namespace {

// How much a synonym's match counts against a match of the description's own word: enough to
// find "exhaustion" ("extreme fatigue") for "extreme tiredness", little enough that the many
// senses of a common word do not crowd out the description's own terms.
constexpr double kSynonymWeight = 0.3;
// A word that repeats part of the description ("hat shop" for "a shop that sells medicine")
// says less than one that does not: its score is scaled by this.
constexpr double kEchoFactor = 0.5;

// The pattern walk's side of a meaning search with a pattern: the ranks of the meaning words
// that the pattern matches.
struct PatternFilter {
    const std::unordered_map<std::string, size_t>* ranks;
    std::vector<size_t> kept;
};

bool KeepRankedWord(void* context, const char* word, uint32_t) {
    auto* filter = static_cast<PatternFilter*>(context);
    auto it = filter->ranks->find(word);
    if (it != filter->ranks->end()) {
        filter->kept.push_back(it->second);
    }
    return true;
}

bool Contains(const std::vector<std::string>& terms, const std::string& term) {
    return std::find(terms.begin(), terms.end(), term) != terms.end();
}

}  // namespace

uint32_t CDictionaryDatabase::BaseWordOf(const std::string& word) {
    // The word itself, else the regular inflections a description uses most, most likely first.
    static const std::pair<const char*, const char*> kEndings[] = {
        {"", ""},   {"s", ""},    {"es", ""},  {"ies", "y"}, {"d", ""},
        {"ed", ""}, {"ied", "y"}, {"ing", ""}, {"ing", "e"},
    };
    for (const auto& [ending, replacement] : kEndings) {
        size_t n = std::strlen(ending);
        if (word.size() < n + 2 || word.compare(word.size() - n, n, ending) != 0) {
            continue;
        }
        std::string base = word.substr(0, word.size() - n) + replacement;
        if (uint32_t number = FindWord(base.c_str()); number != 0) {
            return number;
        }
    }
    return 0;
}

std::vector<CMeaningIndex::TermGroup> CDictionaryDatabase::MeaningQuery(const char* text) {
    CMeaningTerms terms;
    std::vector<CMeaningIndex::TermGroup> query;
    char word[lcv::kMaxWordLength + 1];
    for (const std::string& raw : CMeaningTerms::Words(text != nullptr ? text : "")) {
        std::string stem = terms.Stem(raw);
        bool repeated = std::any_of(query.begin(), query.end(),
                                    [&](const auto& group) { return group[0].stem == stem; });
        if (stem.empty() || repeated) {
            continue;
        }
        CMeaningIndex::TermGroup group = {{stem, 1.0}};
        for (uint32_t synonym : meaning_.SynonymsOf(stem, BaseWordOf(raw))) {
            if (!WordOf(synonym, word, sizeof word)) {
                continue;
            }
            for (std::string& term : terms.Terms(word)) {
                if (std::none_of(group.begin(), group.end(),
                                 [&](const auto& t) { return t.stem == term; })) {
                    group.push_back({std::move(term), kSynonymWeight});
                }
            }
        }
        query.push_back(std::move(group));
    }
    return query;
}

int CDictionaryDatabase::SearchMeaning(const char* text, int limit,
                                       std::vector<CMeaningIndex::Hit>* hits) {
    if (meaning_.Available() && !CMeaningTerms().Ready()) {
        hits->clear();
        return SEARCH_DATA_ERROR;  // no stemmer: the index's terms cannot be matched
    }
    std::vector<CMeaningIndex::TermGroup> groups = MeaningQuery(text);
    int status = meaning_.Search(groups, limit + kMeaningSpareHits, &useCounts_,
                                 CSearchIndex::StopFlag(), hits);
    std::vector<std::string> own;  // the description's own terms
    for (const CMeaningIndex::TermGroup& group : groups) {
        own.push_back(group[0].stem);
    }
    CMeaningTerms terms;
    char word[lcv::kMaxWordLength + 1];
    std::vector<CMeaningIndex::Hit> kept;
    for (CMeaningIndex::Hit hit : *hits) {
        if (!WordOf(hit.number, word, sizeof word)) {
            continue;
        }
        std::vector<std::string> wordTerms = terms.Terms(word);
        auto shared = std::count_if(wordTerms.begin(), wordTerms.end(),
                                    [&](const std::string& t) { return Contains(own, t); });
        // A word made only of the description's own terms tells the user nothing.
        if (static_cast<size_t>(shared) == wordTerms.size()) {
            continue;
        }
        if (shared > 0) {
            hit.score *= kEchoFactor;
        }
        kept.push_back(hit);
    }
    std::stable_sort(
        kept.begin(), kept.end(),
        [](const CMeaningIndex::Hit& a, const CMeaningIndex::Hit& b) { return a.score > b.score; });
    *hits = std::move(kept);
    if (hits->size() > static_cast<size_t>(limit)) {
        hits->resize(static_cast<size_t>(limit));
        return status == SEARCH_OK ? SEARCH_TRUNCATED : status;
    }
    return status == SEARCH_TRUNCATED && hits->size() < static_cast<size_t>(limit) ? SEARCH_OK
                                                                                   : status;
}

// The words go to the callback best first, as a search reports them; the caller's result limit
// (the callback's false) ends the search as SEARCH_TRUNCATED. With a pattern, the ranked words
// are first narrowed to those the pattern matches, so that the limit counts only them: the
// pattern walks the trie as a Wildcard search does, and each word it reaches is looked up
// among the ranked ones.
int CDictionaryDatabase::ReportMeaning(WordCallback callback, void* context, const char* query,
                                       const char* pattern) {
    std::vector<CMeaningIndex::Hit> hits;
    const bool filtered = pattern != nullptr && *pattern != '\0';
    int status = SearchMeaning(query, filtered ? kMeaningPatternPool : RESULT_LIMIT_MAX, &hits);
    if (status == SEARCH_INVALID_QUERY || status == SEARCH_CANCELLED ||
        status == SEARCH_DATA_ERROR) {
        return status;
    }
    std::vector<std::string> words;
    words.reserve(hits.size());
    char word[lcv::kMaxWordLength + 1];
    for (const CMeaningIndex::Hit& hit : hits) {
        words.emplace_back(WordOf(hit.number, word, sizeof word) ? word : "");
    }
    std::vector<size_t> order(words.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    if (filtered) {
        std::unordered_map<std::string, size_t> ranks;
        for (size_t i = 0; i < words.size(); ++i) {
            if (!words[i].empty()) {
                ranks.emplace(words[i], i);
            }
        }
        PatternFilter filter{&ranks, {}};
        int walk = search_->Search(KeepRankedWord, &filter, pattern, SEARCH_MODE_PATTERN);
        if (walk != SEARCH_OK) {
            return walk;
        }
        std::sort(filter.kept.begin(), filter.kept.end());
        order = std::move(filter.kept);
        // The pool was cut to its size, not to the caller's limit: no words were left out
        // that the caller could have taken.
        status = SEARCH_OK;
    }
    for (size_t i : order) {
        if (!words[i].empty() && !callback(context, words[i].c_str(), 0)) {
            return SEARCH_TRUNCATED;
        }
    }
    return status;
}
