#pragma once

// The meaning index of a small test dictionary: each sense's words become nouns of one record,
// and the meaning section is what the builder makes of the senses when the file is written.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "db/format.h"
#include "support/fixture_writer.h"
#include "tools/mkdb/meaning_index_builder.h"

struct MeaningSense {
    std::vector<std::string> words;
    const char* own;      // the sense's own gloss
    const char* broader;  // the gloss of its broader sense
};

// Adds the senses' words, all pointing at record, and the meaning section of the senses.
inline void AddMeaningSenses(CFixtureWriter* fixture, std::span<const MeaningSense> senses,
                             uint32_t record) {
    auto builder = std::make_shared<CMeaningIndexBuilder>();
    for (const MeaningSense& sense : senses) {
        for (const std::string& word : sense.words) {
            fixture->AddWord(word, {lcv::MakeRef(lcv::ENTRY_NOUN, record)});
        }
        builder->AddSense(sense.words, sense.own, sense.broader);
    }
    fixture->AddSection(lcv::kTagMeaning, [builder](const CDatabaseWriter::WordNumberOf& numberOf,
                                                    std::vector<uint8_t>* out, std::string* error) {
        return builder->Build(numberOf, out, error);
    });
}
