#pragma once

// CPageJson: a word page or Word Links page, as the render worker builds it in HTML, turned
// into structured data for lexicove-cli --json (text in UTF-8, the pronunciation in Unicode
// IPA). A word page gives
//   {"word", "pronunciations": [..], "parts": [{"part", "notes": [N..], "senses":
//     [{"gloss", "samples": [..], "synonyms": [..], "links": N}]}], "forms": [{"note", "text"}]}
// where "links" is the entry index of the sense's Word Links page (define --links N) and
// "forms" are the page's numbered notes (the word's forms, verb tenses and samples). A Word
// Links page gives {"word", "entry", "gloss", "relations": [{"relation", "words": [..]}]}.
// The schema is docs/cli-json.schema.json.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class CPageJson {
  public:
    using Json = nlohmann::ordered_json;
    // Converts 8-bit page text (Windows-1252) and IPA-font text to UTF-8.
    using Converter = std::string (*)(const std::string& text);

    CPageJson(Converter text, Converter ipa) : text_(text), ipa_(ipa) {}

    // word: the page's headword (8-bit); entry: the Word Links entry index, 0 for a word page.
    Json Convert(const std::string& word, int entry, const std::string& html);

  private:
    void Tag(const std::string& name, const std::string& tag);
    void EndTag(const std::string& name);
    void Text(const std::string& run);
    void NoteNumber(const std::string& run);
    void OpenSense();
    void CloseSense();
    Json& Sense() { return page_["parts"].back()["senses"].back(); }
    // The gathered 8-bit text as UTF-8, without the spaces and bullets at its ends and the
    // spaces at the ends of its lines.
    std::string Clean(const std::string& text) const;

    Converter text_;
    Converter ipa_;
    Json page_;
    bool linksPage_ = false;
    // Where the parser is in the page.
    int bold_ = 0;
    int italic_ = 0;
    int sup_ = 0;
    int tables_ = 0;       // open tables inside a sense (the synonyms)
    bool inList_ = false;  // inside <ol> (senses) or <ul> (a relation's words)
    bool inSense_ = false;
    bool glossDone_ = false;
    bool notesTable_ = false;
    int cell_ = 0;
    bool inAnchor_ = false;
    bool inPronunciation_ = false;  // from a pronunciation's ":pron" link to its line's end
    std::vector<bool> fonts_;       // for each open font: whether it is the IPA font
    std::string boldText_;
    std::string gloss_;
    std::string buffer_;  // the text being gathered: a sample, a synonym, a note
    int noteNumber_ = 0;
    std::vector<int> pendingNotes_;
    std::string pendingPart_;
};
