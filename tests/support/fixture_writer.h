#pragma once

// Builds small databases for tests with the core's writer: records are appended to a text
// stream and words refer to them by position.

#include <cstdint>
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
    // Writes the database to path; fails the current test on error.
    void Write(const std::string& path);
    std::vector<uint8_t> Image();

  private:
    std::string text_;
    std::vector<std::pair<std::string, std::vector<uint32_t>>> words_;
};
