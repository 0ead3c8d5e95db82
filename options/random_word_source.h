#pragma once

// CRandomWordSource: where the random words of one operation come from: the dictionary's own
// lookup index, or a word-list file (*.dwg) of the program folder, opened for reading as a
// plain word trie at offset 0. A word-list file stays open only while the object lives; the
// index over it is released before the file.
//
// Main thread only: the draws use the database's random-word state and prefix table.

#include <cstddef>
#include <memory>
#include <string>

class CDataFile;
class CDictionaryDatabase;
class CLookupIndex;

// The most characters of a word-list file's full path (program folder and name), without the
// terminator; a longer path is refused.
inline constexpr size_t WORD_LIST_PATH_MAX = 255;

class CRandomWordSource {
  public:
    // The database is not owned and must stay open while the object lives.
    explicit CRandomWordSource(CDictionaryDatabase* database);
    virtual ~CRandomWordSource();
    CRandomWordSource(const CRandomWordSource&) = delete;
    CRandomWordSource& operator=(const CRandomWordSource&) = delete;

    // name empty: the dictionary (always true). Otherwise the file folder + name (folder ends
    // with "/"). False when the name is not a plain file name of the folder (it holds a "/"
    // or a NUL), the path is longer than WORD_LIST_PATH_MAX characters, the file cannot be
    // opened, or its index reports a status other than 0; nothing is then open.
    bool Open(const std::string& folder, const std::u16string& name);

    // Draws one word into *word (8-bit). False when nothing is open or the word is empty.
    bool Draw(std::string* word);

  private:
    void Close();

    CDictionaryDatabase* database_;
    std::unique_ptr<CDataFile> file_;
    std::unique_ptr<CLookupIndex> listIndex_;
    CLookupIndex* index_ = nullptr;  // the index drawn from: the dictionary's or listIndex_
};
