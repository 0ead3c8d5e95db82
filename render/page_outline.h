#pragma once

// CPageOutline: a word page or Word Links page, as the render worker builds it in HTML, read
// back into its parts: the data behind lexicove-cli --json and the list export. Text stays
// 8-bit as on the page; pronunciations stay in the 8-bit IPA encoding (render/ipa_encoding.h),
// with a ":" of the page as a plain ":".

#include <string>
#include <vector>

struct OutlineSense {
    std::string gloss;
    std::vector<std::string> samples;
    std::vector<std::string> synonyms;
    int links = 0;           // the entry index of the sense's Word Links page; 0: none
    std::vector<int> notes;  // numbers of the notes the sense refers to
};

struct OutlinePart {
    std::string part;        // "noun", "verb", "adjective", "adjective satellite", "adverb"
    std::vector<int> notes;  // numbers of the notes of this part of speech
    std::vector<OutlineSense> senses;
};

struct OutlineNote {
    int number;
    std::string text;  // lines ended by "\n" between them
};

struct OutlineRelation {
    std::string relation;  // "Synonym", "Hypernym" and the others
    std::vector<std::string> words;
};

struct PageOutline {
    std::string word;
    int entry = 0;  // the Word Links entry index of a Word Links page; 0 for a word page
    // A word page.
    std::vector<std::string> pronunciations;
    std::vector<OutlinePart> parts;
    std::vector<OutlineNote> forms;  // the numbered notes: forms, tenses, verb samples
    // A Word Links page.
    std::string gloss;
    std::vector<OutlineRelation> relations;
};

class CPageOutline {
  public:
    // word: the page's headword; entry: the Word Links entry index, 0 for a word page.
    PageOutline Parse(const std::string& word, int entry, const std::string& html);

  private:
    void Tag(const std::string& name, const std::string& tag);
    void EndTag(const std::string& name);
    void Text(const std::string& run);
    void NoteNumber(const std::string& run);
    void OpenSense();
    void CloseSense();
    OutlineSense& Sense() { return page_.parts.back().senses.back(); }
    // The gathered text without the spaces and bullets at its ends and the spaces at the ends
    // of its lines.
    static std::string Clean(const std::string& text);

    PageOutline page_;
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
