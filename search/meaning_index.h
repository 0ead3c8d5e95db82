#pragma once

// CMeaningIndex: the reverse dictionary. It reads the database's meaning index (the "MEAN"
// section of db/FORMAT.md) in place from the mapped file and answers a description ("fear of
// spiders") with the words whose senses match it best: each sense is scored with Okapi BM25
// over the description's stemmed terms, and each word takes the score of its best sense plus
// a small prior for how often it is used.
//
// The header and tables are checked once at Load; postings and records are checked as they are
// read, and a term or sense whose bytes run past their part of the section is passed over.
// Immutable after Load; Search keeps its scratch per call, so any thread may search.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CDataFile;
class CUseCounts;

class CMeaningIndex {
  public:
    struct Hit {
        uint32_t number;  // word number
        double score;
    };
    // A stemmed term of a query and how much its matches count (1 for the description's own).
    struct WeightedTerm {
        std::string stem;
        double weight;
    };
    // The terms that stand for one word of the description: the word's own and those of its
    // synonyms. A sense scores the best of a group's terms, and the share of groups it matches
    // scales its sum.
    using TermGroup = std::vector<WeightedTerm>;

    CMeaningIndex() = default;
    virtual ~CMeaningIndex() = default;

    // Takes the section at offset with length bytes of file. False (and no index) when the
    // section is damaged or the file cannot be mapped or read.
    bool Load(CDataFile* file, uint32_t offset, uint32_t length);
    bool Available() const { return base_ != nullptr; }

    // The best words for text, at most limit, best first. Returns a search status: SEARCH_OK,
    // SEARCH_INVALID_QUERY when text has no term to look for, SEARCH_TRUNCATED when more words
    // matched than limit, SEARCH_CANCELLED when *stop became true, SEARCH_DATA_ERROR without
    // an index.
    int Search(const char* text, int limit, const CUseCounts* counts, const std::atomic<bool>* stop,
               std::vector<Hit>* hits) const;
    // The same for a query made of term groups.
    int Search(const std::vector<TermGroup>& query, int limit, const CUseCounts* counts,
               const std::atomic<bool>* stop, std::vector<Hit>* hits) const;
    // The words of the senses that word number names (those whose words include it), found
    // through the postings of the word's own term; the word itself is not among them.
    std::vector<uint32_t> SynonymsOf(const std::string& term, uint32_t number) const;

  private:
    bool FindTerm(const char* term, uint32_t* postings, uint32_t* postingsEnd,
                  uint32_t* frequency) const;
    bool DocumentRecord(uint32_t doc, uint32_t* length, const uint8_t** words,
                        const uint8_t** end) const;

    const uint8_t* base_ = nullptr;
    std::vector<uint8_t> copy_;  // the section, when the file is not mapped
    uint32_t length_ = 0;
    uint32_t documents_ = 0;
    uint32_t terms_ = 0;
    double averageLength_ = 0;
    uint32_t table_ = 0, strings_ = 0, postings_ = 0, docTable_ = 0, records_ = 0;
};
