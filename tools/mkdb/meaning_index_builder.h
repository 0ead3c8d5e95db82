#pragma once

// CMeaningIndexBuilder: the database's meaning index (the "MEAN" section of db/FORMAT.md), an
// inverted index from the stemmed terms of every sense to the senses that use them. A sense
// is one document: its own text (gloss with samples, and its words) counts twice, the glosses
// of its broader senses (hypernyms) once. A document lists the words of its sense, by word
// number, for the reader to turn a ranked sense into ranked words.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/database_writer.h"
#include "search/meaning_terms.h"
#include "tools/mkdb/wordnet_reader.h"

class CMeaningIndexBuilder {
  public:
    // Adds every synset of WordNet, in file order, with the glosses of its hypernyms.
    void AddWordNet(const WordNetData& data);
    // Adds a sense as the next document; words as the database spells them (lower case).
    void AddSense(std::vector<std::string> words, const std::string& ownText,
                  const std::string& broaderText);

    // The section's bytes; words without a word number are left out of their document.
    bool Build(const CDatabaseWriter::WordNumberOf& numberOf, std::vector<uint8_t>* out,
               std::string* error);

    size_t Documents() const { return documents_.size(); }

  private:
    struct Document {
        std::vector<std::string> words;
        std::map<std::string, uint32_t> counts;  // term -> weighted count
        uint32_t length = 0;                     // the weighted counts' sum
    };

    CMeaningTerms terms_;
    std::vector<Document> documents_;
};
