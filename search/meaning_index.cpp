#include "search/meaning_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "db/data_file.h"
#include "db/format.h"
#include "db/use_counts.h"
#include "search/meaning_terms.h"
#include "search/search_status.h"

namespace {

// BM25's saturation and length normalisation: the usual values, which did as well as any other
// on one half of the descriptions kept for tuning and held on the other half.
constexpr double kK1 = 1.2;
constexpr double kB = 0.75;
// Senses scored beyond the best this many (or beyond the limit, when that is more) are not
// turned into words.
constexpr size_t kMaxSenses = 400;
// Weight of the use-count prior: a word used e^k times more gains this much per k.
constexpr double kPriorWeight = 0.35;

}  // namespace

bool CMeaningIndex::Load(CDataFile* file, uint32_t offset, uint32_t length) {
    base_ = nullptr;
    copy_.clear();
    if (length < lcv::kMeaningHeaderSize) {
        return false;
    }
    uint64_t mapLength = 0;
    const uint8_t* map = file->MappedView(&mapLength);
    const uint8_t* base = nullptr;
    if (map != nullptr && uint64_t{offset} + length <= mapLength) {
        base = map + offset;
    } else {
        copy_.resize(length);
        if (file->ReadAt(offset, length, copy_.data()) != static_cast<int>(length)) {
            copy_.clear();
            return false;
        }
        base = copy_.data();
    }
    uint32_t header[10];
    for (int k = 0; k < 10; ++k) {
        header[k] = lcv::DecodeFixed32(base + 4 * k);
    }
    documents_ = header[1];
    terms_ = header[2];
    table_ = header[4];
    strings_ = header[5];
    postings_ = header[6];
    docTable_ = header[7];
    records_ = header[8];
    bool ordered = header[0] == lcv::kMeaningMagic && table_ == lcv::kMeaningHeaderSize &&
                   table_ <= strings_ && strings_ <= postings_ && postings_ <= docTable_ &&
                   docTable_ <= records_ && records_ <= header[9] && header[9] == length;
    if (!ordered || uint64_t{terms_} * lcv::kMeaningTermEntrySize != strings_ - table_ ||
        uint64_t{documents_} * 4 != records_ - docTable_ || documents_ == 0) {
        copy_.clear();
        return false;
    }
    length_ = length;
    averageLength_ = std::max(1.0, static_cast<double>(header[3]) / documents_);
    base_ = base;
    return true;
}

// Binary search of the term table; the strings are NUL-terminated inside their part.
bool CMeaningIndex::FindTerm(const char* term, uint32_t* postings, uint32_t* postingsEnd,
                             uint32_t* frequency) const {
    uint32_t lo = 0, hi = terms_;
    while (lo < hi) {
        uint32_t mid = lo + (hi - lo) / 2;
        const uint8_t* entry = base_ + table_ + size_t{mid} * lcv::kMeaningTermEntrySize;
        uint64_t at = uint64_t{strings_} + lcv::DecodeFixed32(entry);
        if (at >= postings_) {
            return false;
        }
        const char* s = reinterpret_cast<const char*>(base_ + at);
        size_t room = postings_ - at;
        size_t n = strnlen(s, room);
        if (n == room) {
            return false;
        }
        int c = std::strcmp(term, s);
        if (c == 0) {
            uint64_t start = uint64_t{postings_} + lcv::DecodeFixed32(entry + 4);
            uint64_t end =
                mid + 1 < terms_ ? uint64_t{postings_} + lcv::DecodeFixed32(entry + 16) : docTable_;
            if (start > end || end > docTable_) {
                return false;
            }
            *postings = static_cast<uint32_t>(start);
            *postingsEnd = static_cast<uint32_t>(end);
            *frequency = lcv::DecodeFixed32(entry + 8);
            return *frequency != 0 && *frequency <= documents_;
        }
        if (c < 0) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return false;
}

bool CMeaningIndex::DocumentRecord(uint32_t doc, uint32_t* length, const uint8_t** words,
                                   const uint8_t** end) const {
    uint64_t at = uint64_t{records_} + lcv::DecodeFixed32(base_ + docTable_ + 4 * size_t{doc});
    if (at >= length_) {
        return false;
    }
    const uint8_t* p = base_ + at;
    *end = base_ + length_;
    if (!lcv::ReadVarint(&p, *end, length)) {
        return false;
    }
    *words = p;
    return true;
}

int CMeaningIndex::Search(const char* text, int limit, const CUseCounts* counts,
                          const std::atomic<bool>* stop, std::vector<Hit>* hits) const {
    CMeaningTerms terms;
    if (base_ != nullptr && !terms.Ready()) {
        hits->clear();
        return SEARCH_DATA_ERROR;  // no stemmer: the index's terms cannot be matched
    }
    std::vector<TermGroup> query;
    for (std::string& term : terms.Terms(text != nullptr ? text : "")) {
        query.push_back({{std::move(term), 1.0}});
    }
    return Search(query, limit, counts, stop, hits);
}

std::vector<uint32_t> CMeaningIndex::SynonymsOf(const std::string& term, uint32_t number) const {
    std::vector<uint32_t> synonyms;
    uint32_t start = 0, end = 0, frequency = 0;
    if (base_ == nullptr || number == 0 || !FindTerm(term.c_str(), &start, &end, &frequency)) {
        return synonyms;
    }
    const uint8_t* p = base_ + start;
    const uint8_t* stopAt = base_ + end;
    int64_t doc = -1;
    std::vector<uint32_t> words;
    for (uint32_t k = 0; k < frequency; ++k) {
        uint32_t v = 0;
        uint32_t length = 0, count = 0;
        const uint8_t* record = nullptr;
        const uint8_t* recordEnd = nullptr;
        if (!lcv::ReadVarint(&p, stopAt, &v)) {
            break;
        }
        doc += v >> lcv::kMeaningCountBits;
        if (doc >= documents_ ||
            !DocumentRecord(static_cast<uint32_t>(doc), &length, &record, &recordEnd) ||
            !lcv::ReadVarint(&record, recordEnd, &count)) {
            break;
        }
        words.clear();
        bool named = false;
        for (uint32_t w = 0; w < count; ++w) {
            uint32_t n = 0;
            if (!lcv::ReadVarint(&record, recordEnd, &n)) {
                break;
            }
            named = named || n == number;
            words.push_back(n);
        }
        if (!named) {
            continue;
        }
        for (uint32_t n : words) {
            if (n != number && std::find(synonyms.begin(), synonyms.end(), n) == synonyms.end()) {
                synonyms.push_back(n);
            }
        }
    }
    return synonyms;
}

int CMeaningIndex::Search(const std::vector<TermGroup>& query, int limit, const CUseCounts* counts,
                          const std::atomic<bool>* stop, std::vector<Hit>* hits) const {
    hits->clear();
    if (base_ == nullptr) {
        return SEARCH_DATA_ERROR;
    }
    if (query.empty() || limit <= 0) {
        return SEARCH_INVALID_QUERY;
    }
    // Per sense touched: its row in values, which holds the best score of each group so far.
    // A table over all senses is cheaper than a hash map once a query touches thousands.
    constexpr uint32_t kNoRow = UINT32_MAX;
    const size_t groupCount = query.size();
    std::vector<uint32_t> rowOf(documents_, kNoRow);
    std::vector<uint32_t> touched;
    std::vector<double> values;
    for (size_t g = 0; g < query.size(); ++g) {
        for (const WeightedTerm& term : query[g]) {
            if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
                return SEARCH_CANCELLED;
            }
            uint32_t start = 0, end = 0, frequency = 0;
            if (!FindTerm(term.stem.c_str(), &start, &end, &frequency)) {
                continue;
            }
            double idf = std::log(1.0 + (documents_ - frequency + 0.5) / (frequency + 0.5));
            const uint8_t* p = base_ + start;
            const uint8_t* stopAt = base_ + end;
            int64_t doc = -1;
            for (uint32_t k = 0; k < frequency; ++k) {
                uint32_t v = 0;
                if (!lcv::ReadVarint(&p, stopAt, &v)) {
                    break;
                }
                doc += v >> lcv::kMeaningCountBits;
                uint32_t length = 0;
                const uint8_t* words = nullptr;
                const uint8_t* recordEnd = nullptr;
                if (doc >= documents_ ||
                    !DocumentRecord(static_cast<uint32_t>(doc), &length, &words, &recordEnd)) {
                    break;
                }
                double tf = v & lcv::kMeaningMaxCount;
                double norm = kK1 * (1 - kB + kB * length / averageLength_);
                double value = term.weight * idf * tf * (kK1 + 1) / (tf + norm);
                uint32_t& row = rowOf[static_cast<size_t>(doc)];
                if (row == kNoRow) {
                    row = static_cast<uint32_t>(touched.size());
                    touched.push_back(static_cast<uint32_t>(doc));
                    values.resize(values.size() + groupCount, 0.0);
                }
                double& best = values[row * groupCount + g];
                best = std::max(best, value);
            }
        }
    }
    std::vector<std::pair<double, uint32_t>> senses;
    senses.reserve(touched.size());
    // A sense that matches more of the description's words is the likelier answer: the sum
    // is scaled by the share of term groups matched.
    for (size_t row = 0; row < touched.size(); ++row) {
        const uint32_t doc = touched[row];
        double sum = 0;
        size_t matched = 0;
        for (size_t g = 0; g < groupCount; ++g) {
            sum += values[row * groupCount + g];
            matched += values[row * groupCount + g] > 0 ? 1 : 0;
        }
        senses.emplace_back(sum * static_cast<double>(matched) / static_cast<double>(groupCount),
                            doc);
    }
    size_t keep = std::min(senses.size(), std::max(kMaxSenses, static_cast<size_t>(limit)));
    std::partial_sort(senses.begin(), senses.begin() + static_cast<long>(keep), senses.end(),
                      [](const auto& a, const auto& b) {
                          return a.first != b.first ? a.first > b.first : a.second < b.second;
                      });
    std::unordered_map<uint32_t, double> best;
    for (size_t i = 0; i < keep; ++i) {
        uint32_t length = 0, count = 0;
        const uint8_t* p = nullptr;
        const uint8_t* end = nullptr;
        if (!DocumentRecord(senses[i].second, &length, &p, &end) ||
            !lcv::ReadVarint(&p, end, &count)) {
            continue;
        }
        for (uint32_t k = 0; k < count; ++k) {
            uint32_t number = 0;
            if (!lcv::ReadVarint(&p, end, &number)) {
                break;
            }
            double prior = counts != nullptr ? kPriorWeight * std::log1p(counts->Count(number)) : 0;
            double score = senses[i].first + prior;
            auto [it, added] = best.emplace(number, score);
            if (!added && score > it->second) {
                it->second = score;
            }
        }
    }
    for (const auto& [number, score] : best) {
        hits->push_back({number, score});
    }
    std::sort(hits->begin(), hits->end(), [](const Hit& a, const Hit& b) {
        return a.score != b.score ? a.score > b.score : a.number < b.number;
    });
    bool truncated = hits->size() > static_cast<size_t>(limit);
    if (truncated) {
        hits->resize(static_cast<size_t>(limit));
    }
    return truncated ? SEARCH_TRUNCATED : SEARCH_OK;
}
