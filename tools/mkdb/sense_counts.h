#pragma once

// CSenseCounts: how often each WordNet lemma is used, from the sense tag counts of WordNet's
// cntlist.rev (one line per tagged sense: sense key, sense number, tag count). A lemma's count
// is the sum over its senses. The lemma is read from the sense key (the part before "%"),
// lower-cased with underscores as spaces, the way the database spells its words.

#include <cstdint>
#include <map>
#include <string>

class CSenseCounts {
  public:
    // Reads path. False with a message naming the file and line when a line is malformed or
    // the file cannot be read.
    bool Read(const std::string& path, std::string* error);

    const std::map<std::string, uint32_t>& Counts() const { return counts_; }

  private:
    std::map<std::string, uint32_t> counts_;
};
