#pragma once

// CDatabaseWriter: lays out a wordnet.lcv file (db/FORMAT.md) from words with their entry
// references and the text stream the references point into, and plain *.dwg word tries.
// Output is deterministic: the same input gives the same bytes. Files are written to a
// temporary file and renamed, so a failed build never leaves half a database.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct WriterStats {
    uint32_t words = 0;
    uint32_t trieWords = 0;  // array words of the trie: nodes and entry references
    uint32_t textBytes = 0;
    uint32_t blocks = 0;
    uint32_t compressedBytes = 0;
    uint32_t fileBytes = 0;
    uint32_t useCountBytes = 0;  // the use-count section
    uint32_t meaningBytes = 0;   // the meaning index section
};

class CDatabaseWriter {
  public:
    // The uncompressed text stream that record positions count into.
    void SetTextStream(std::string stream) { text_ = std::move(stream); }
    // Adds a word (at most 128 bytes, no NUL, bytes below 0x80) with its entry references,
    // kept in the order given. Words may come in any order; duplicates are an error.
    void AddWord(std::string word, std::vector<uint32_t> refs);

    // How often a word is used; words without a count count 0 and are not stored. Written to
    // the use-count section, which is left out when no word has a count.
    void SetUseCount(const std::string& word, uint32_t count) { useCounts_[word] = count; }

    // An optional section, built once the word numbers are known: numberOf gives the number
    // of a word that was added (0 for any other text). Sections are written in the order of
    // their tags' bytes, whatever the order they were added in.
    using WordNumberOf = std::function<uint32_t(const std::string&)>;
    using SectionBuilder =
        std::function<bool(const WordNumberOf& numberOf, std::vector<uint8_t>*, std::string*)>;
    void AddSection(uint32_t tag, SectionBuilder builder) { sections_[tag] = std::move(builder); }

    // Builds the whole file image. False with a message when a limit is passed or the
    // input is inconsistent.
    bool BuildImage(std::vector<uint8_t>* image, std::string* error);
    bool Write(const std::string& path, std::string* error);
    const WriterStats& Stats() const { return stats_; }

    // A plain trie (no header, no entry references) of the given words; any bytes but NUL,
    // CR and LF. Duplicates and empty words are dropped.
    static bool BuildWordList(std::vector<std::string> words, std::vector<uint8_t>* image,
                              std::string* error);
    static bool WriteWordList(std::vector<std::string> words, const std::string& path,
                              std::string* error);

  private:
    struct Word {
        std::string text;
        std::vector<uint32_t> refs;
    };

    bool BuildSections(const std::vector<uint32_t>& numbers, std::vector<uint8_t>* image,
                       std::string* error);
    bool BuildUseCounts(const WordNumberOf& numberOf, std::vector<uint8_t>* out,
                        std::string* error) const;

    std::string text_;
    std::vector<Word> words_;
    std::map<std::string, uint32_t> useCounts_;
    std::map<uint32_t, SectionBuilder> sections_;
    WriterStats stats_;

    friend class CTrieLayout;
};
