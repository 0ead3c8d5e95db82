#pragma once

// CGlossSplitter: a WordNet gloss split into its definition and its quoted examples, and the
// gloss field of a synset record made from them.
//
// WordNet writes a gloss as   definition; "example"; "example"   . The definition runs up to
// the first `; "`; every later `; "` starts another example. An example is shown as people
// read it: one quoted text loses its quotes; a quotation with its author ("words"- Author)
// becomes   words — Author   (an em dash, byte 0x97 of Windows-1252, the page's code page);
// one with a remark in parentheses ("words" (British)) becomes   words (British)  . Any other
// (quotes inside, a trailing ";") is kept verbatim, quotes included. No character of WordNet's
// text but the quotes and the blanks around the author's hyphen is dropped, and Join gives
// WordNet's text back with the author's hyphen written "\"- ". In the gloss field the parts
// are joined by "$"; a "$" of WordNet's own text (money amounts) is stored as
// kGlossLiteralDollar (db/format.h), so it never starts a false sample.

#include <string>
#include <vector>

struct SplitGloss {
    std::string definition;
    std::vector<std::string> samples;
};

class CGlossSplitter {
  public:
    static SplitGloss Split(const std::string& gloss);
    // WordNet's gloss text again (an author's hyphen as "\"- Author").
    static std::string Join(const SplitGloss& split);
    // The gloss field: definition, then "$" and each sample, literal "$" encoded.
    static std::string Field(const SplitGloss& split);
    // The inverse of Field: the parts with literal "$" decoded.
    static SplitGloss FromField(const std::string& field);
};
