#pragma once

// CGlossSplitter: a WordNet gloss split into its definition and its quoted examples, and the
// gloss field of a synset record made from them.
//
// WordNet writes a gloss as   definition; "example"; "example"   . The definition runs up to
// the first `; "`; every later `; "` starts another example. An example that is exactly one
// quoted text (two quotes, at its ends) loses its quotes; any other (an attribution after the
// quote, quotes inside, a trailing ";") is kept verbatim, quotes included. So Join gives back
// WordNet's text byte for byte: a sample holding a quote was kept verbatim, one without was
// quoted. In the gloss field the parts are joined by "$"; a "$" of WordNet's own text (money
// amounts) is stored as kGlossLiteralDollar (db/format.h), so it never starts a false sample.

#include <string>
#include <vector>

struct SplitGloss {
    std::string definition;
    std::vector<std::string> samples;
};

class CGlossSplitter {
  public:
    static SplitGloss Split(const std::string& gloss);
    // WordNet's gloss text again.
    static std::string Join(const SplitGloss& split);
    // The gloss field: definition, then "$" and each sample, literal "$" encoded.
    static std::string Field(const SplitGloss& split);
    // The inverse of Field: the parts with literal "$" decoded.
    static SplitGloss FromField(const std::string& field);
};
