#pragma once

// CWordNetReader: reads the WordNet 3.0 database files of one folder (data.*, index.*, *.exc,
// sents.vrb, sentidx.vrb) into plain structures. Every line is checked; a line that does not
// have WordNet's shape fails the read with the file's name and the line's number.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The four parts of speech in WordNet's file order; also the order of a word's senses.
enum WordNetFile : int { WN_NOUN = 0, WN_VERB = 1, WN_ADJ = 2, WN_ADV = 3, WN_FILES = 4 };

struct WordNetPointer {
    std::string symbol;  // "@", "~i", "\\", ...
    int file = 0;        // WordNetFile of the target
    uint32_t offset = 0;
    uint8_t source = 0;  // word number in this synset, 0 = all
    uint8_t target = 0;  // word number in the target synset, 0 = all
};

struct WordNetSynset {
    uint32_t offset = 0;
    int file = 0;
    char type = 'n';  // ss_type: n, v, a, s or r
    uint8_t lexFile = 0;
    std::vector<std::string> words;  // underscores as spaces, capitals kept, markers dropped
    std::vector<uint8_t> lexIds;
    std::vector<WordNetPointer> pointers;
    std::string gloss;  // the text after "| ", trailing blanks removed
    std::string where;  // "data.noun:123", for messages
};

struct WordNetLemma {
    std::string lemma;              // lower case, underscores as spaces
    std::vector<uint32_t> offsets;  // synsets in WordNet's sense order
};

struct WordNetException {
    std::string form;  // lower case, underscores as spaces
    std::vector<std::string> bases;
};

struct WordNetData {
    std::vector<WordNetSynset> synsets[WN_FILES];  // in file order
    std::vector<WordNetLemma> lemmas[WN_FILES];
    std::vector<WordNetException> exceptions[WN_FILES];  // noun.exc, verb.exc, adj.exc, adv.exc
    std::map<int, std::string> frames;                   // sents.vrb: number -> frame text
    std::map<std::string, std::vector<int>> frameIndex;  // sentidx.vrb: sense key -> numbers
};

class CWordNetReader {
  public:
    // Reads every file of folder (which may or may not end with "/"). False with a message
    // naming the file (and line) when a file is missing, unreadable or malformed.
    static bool Read(const std::string& folder, WordNetData* data, std::string* error);

    // The file names of a part of speech: "noun", "verb", "adj", "adv".
    static const char* FileName(int file);

    // One line of data.POS; false with *error set (without the place) when malformed.
    static bool ParseDataLine(const std::string& line, int file, WordNetSynset* synset,
                              std::string* error);
    static bool ParseIndexLine(const std::string& line, WordNetLemma* lemma, std::string* error);
    static bool ParseExceptionLine(const std::string& line, WordNetException* exception,
                                   std::string* error);
};
