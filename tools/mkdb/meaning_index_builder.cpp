#include "tools/mkdb/meaning_index_builder.h"

#include <algorithm>

#include "db/format.h"
#include "search/stemmer_library.h"

namespace {

void Put32(std::vector<uint8_t>* out, size_t at, uint32_t v) {
    lcv::EncodeFixed32(out->data() + at, v);
}

void Append32(std::vector<uint8_t>* out, uint32_t v) {
    out->resize(out->size() + 4);
    Put32(out, out->size() - 4, v);
}

}  // namespace

void CMeaningIndexBuilder::AddWordNet(const WordNetData& data) {
    std::map<uint32_t, const WordNetSynset*> byOffset[WN_FILES];
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetSynset& s : data.synsets[file]) {
            byOffset[file][s.offset] = &s;
        }
    }
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetSynset& s : data.synsets[file]) {
            std::string broader;
            for (const WordNetPointer& p : s.pointers) {
                if (p.symbol != "@" && p.symbol != "@i") {
                    continue;
                }
                auto it = byOffset[p.file].find(p.offset);
                if (it != byOffset[p.file].end()) {
                    broader += it->second->gloss + " ";
                }
            }
            std::vector<std::string> words;
            for (std::string w : s.words) {
                std::transform(w.begin(), w.end(), w.begin(), [](char c) {
                    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                });
                words.push_back(std::move(w));
            }
            AddSense(std::move(words), s.gloss, broader);
        }
    }
}

void CMeaningIndexBuilder::AddSense(std::vector<std::string> words, const std::string& ownText,
                                    const std::string& broaderText) {
    Document doc;
    auto add = [&](const std::string& text, uint32_t weight) {
        for (const std::string& term : terms_.Terms(text)) {
            doc.counts[term] += weight;
            doc.length += weight;
        }
    };
    add(ownText, lcv::kMeaningOwnWeight);
    for (const std::string& word : words) {
        add(word, lcv::kMeaningOwnWeight);
    }
    add(broaderText, lcv::kMeaningBroaderWeight);
    doc.words = std::move(words);
    documents_.push_back(std::move(doc));
}

bool CMeaningIndexBuilder::Build(const CDatabaseWriter::WordNumberOf& numberOf,
                                 std::vector<uint8_t>* out, std::string* error) {
    if (!terms_.Ready()) {
        *error = "the English stemmer (libstemmer) could not be created";
        if (!CStemmerLibrary::Error().empty()) {
            *error += ": " + CStemmerLibrary::Error();
        }
        return false;
    }
    // Postings per term, in document order (std::map keeps the terms in byte order).
    std::map<std::string, std::vector<std::pair<uint32_t, uint32_t>>> postings;
    uint64_t totalLength = 0;
    for (uint32_t d = 0; d < documents_.size(); ++d) {
        for (const auto& [term, count] : documents_[d].counts) {
            postings[term].emplace_back(d, count);
        }
        totalLength += documents_[d].length;
    }
    std::vector<uint8_t> table, strings, lists, docTable, records;
    for (const auto& [term, list] : postings) {
        Append32(&table, static_cast<uint32_t>(strings.size()));
        Append32(&table, static_cast<uint32_t>(lists.size()));
        Append32(&table, static_cast<uint32_t>(list.size()));
        strings.insert(strings.end(), term.begin(), term.end());
        strings.push_back(0);
        int64_t previous = -1;
        for (const auto& [doc, count] : list) {
            uint32_t gap = static_cast<uint32_t>(doc - previous);
            lcv::AppendVarint(
                &lists, (gap << lcv::kMeaningCountBits) | std::min(count, lcv::kMeaningMaxCount));
            previous = doc;
        }
    }
    for (const Document& doc : documents_) {
        Append32(&docTable, static_cast<uint32_t>(records.size()));
        std::vector<uint32_t> numbers;
        for (const std::string& word : doc.words) {
            uint32_t n = numberOf(word);
            if (n != 0 && std::find(numbers.begin(), numbers.end(), n) == numbers.end()) {
                numbers.push_back(n);
            }
        }
        lcv::AppendVarint(&records, doc.length);
        lcv::AppendVarint(&records, static_cast<uint32_t>(numbers.size()));
        for (uint32_t n : numbers) {
            lcv::AppendVarint(&records, n);
        }
    }
    if (documents_.size() >= (1u << (32 - lcv::kMeaningCountBits)) || totalLength > UINT32_MAX) {
        *error = "the meaning index has too many senses";
        return false;
    }
    out->assign(lcv::kMeaningHeaderSize, 0);
    uint32_t at = lcv::kMeaningHeaderSize;
    uint32_t offsets[5];
    const std::vector<uint8_t>* parts[5] = {&table, &strings, &lists, &docTable, &records};
    for (int k = 0; k < 5; ++k) {
        offsets[k] = at;
        at += static_cast<uint32_t>(parts[k]->size());
        out->insert(out->end(), parts[k]->begin(), parts[k]->end());
    }
    Put32(out, 0, lcv::kMeaningMagic);
    Put32(out, 4, static_cast<uint32_t>(documents_.size()));
    Put32(out, 8, static_cast<uint32_t>(postings.size()));
    Put32(out, 12, static_cast<uint32_t>(totalLength));
    for (int k = 0; k < 5; ++k) {
        Put32(out, 16 + 4 * k, offsets[k]);
    }
    Put32(out, 36, at);
    return true;
}
