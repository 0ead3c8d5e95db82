#pragma once

// CWordListFile: the words of a plain text file for a *.dwg word list: one word a line, LF or
// CR LF line ends, any bytes but NUL. Empty lines are dropped (duplicates are dropped by the
// writer, which also sorts the words byte-wise).

#include <string>
#include <vector>

class CWordListFile {
  public:
    // False with the file's name (and the line's number) when the file cannot be read, a
    // line holds a NUL or a CR inside it, or a word is longer than 128 bytes.
    static bool Read(const std::string& path, std::vector<std::string>* words, std::string* error);
};
