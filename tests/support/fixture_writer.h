#pragma once

// Builds small databases for tests with the core's writer: records are appended to a text
// stream and words refer to them by position.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/database_writer.h"

class CFixtureWriter {
  public:
    // Appends bytes to the text stream and returns the record position of the first.
    uint32_t Append(const std::string& bytes);
    // Pads the stream with filler bytes up to position.
    void PadTo(uint32_t position, char filler = 'x');
    uint32_t Size() const { return static_cast<uint32_t>(text_.size()); }

    void AddWord(const std::string& word, std::vector<uint32_t> refs = {});
    // A use count for the optional use-count section.
    void SetUseCount(const std::string& word, uint32_t count) { useCounts_[word] = count; }
    // An optional section built from the word numbers, as lexicove-mkdb adds it.
    void AddSection(uint32_t tag, CDatabaseWriter::SectionBuilder builder) {
        sections_[tag] = std::move(builder);
    }
    // Writes the database to path; fails the current test on error.
    void Write(const std::string& path);
    std::vector<uint8_t> Image();

  private:
    void Fill(CDatabaseWriter* writer) const;

    std::string text_;
    std::map<std::string, uint32_t> useCounts_;
    std::map<uint32_t, CDatabaseWriter::SectionBuilder> sections_;
    std::vector<std::pair<std::string, std::vector<uint32_t>>> words_;
};
