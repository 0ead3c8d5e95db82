#pragma once

// CPageText: a word page or Word Links page, as the render worker builds it in HTML, turned
// into readable terminal text (UTF-8): part-of-speech headings with numbered senses, samples
// after bullets, synonyms on a "syn." line, note numbers in brackets and the notes at the
// end, the pronunciation between slashes in Unicode IPA (a ":" in it is a plain colon), and "[links
// N]" where a sense has a Word Links page (lexicove-cli define --links N WORD shows it).

#include <string>
#include <vector>

class CPageText {
  public:
    // Converts text in the page's IPA font (8-bit IPA encoding) to UTF-8.
    using IpaConverter = std::string (*)(const std::string& ipa);

    explicit CPageText(IpaConverter ipa) : ipa_(ipa) {}

    std::string Convert(const std::string& html);

  private:
    struct List {
        bool ordered;
        int items;
        int continuation;  // indent of the lines that follow an item's first line
    };

    void Tag(const std::string& tag);
    void FlushText();
    void Write(const std::string& utf8);
    void NewLine();
    void BlankLine();
    void RestoreIndent();

    IpaConverter ipa_;
    std::string out_;
    std::string run_;  // page bytes since the last tag
    size_t column_ = 0;
    size_t indent_ = 0;
    bool pendingSpace_ = false;
    bool inPronunciation_ = false;
    bool notesTable_ = false;
    int cell_ = 0;
    std::string href_;
    std::vector<List> lists_;
    std::vector<bool> fonts_;  // for each open font: whether it is the IPA font
};
