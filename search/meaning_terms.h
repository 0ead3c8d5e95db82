#pragma once

// CMeaningTerms: the index terms of a text for the meaning index: its runs of ASCII letters,
// lower-cased, without stop words and one-letter runs, each reduced to its stem by Snowball's
// English stemmer (libstemmer, opened on first use: CStemmerLibrary). The builder of the index and
// the query use this one class, so that both sides turn "spiders" and "spider" into the same term.
//
// One object per thread: the stemmer keeps state between calls.

#include <string>
#include <string_view>
#include <vector>

class CStemmerLibrary;
struct sb_stemmer;

class CMeaningTerms {
  public:
    CMeaningTerms();
    virtual ~CMeaningTerms();
    CMeaningTerms(const CMeaningTerms&) = delete;
    CMeaningTerms& operator=(const CMeaningTerms&) = delete;

    // False when the stemmer could not be created (its library is missing, or out of memory):
    // Terms is then empty.
    bool Ready() const { return stemmer_ != nullptr; }
    // The terms of text in order, repeats kept.
    std::vector<std::string> Terms(std::string_view text);
    // The words of text that make terms, lower-cased and in order, before stemming.
    static std::vector<std::string> Words(std::string_view text);
    // The stem of one such word; empty without a stemmer.
    std::string Stem(const std::string& word);

    static bool IsStopWord(std::string_view word);

  private:
    const CStemmerLibrary* library_;
    sb_stemmer* stemmer_;
};
