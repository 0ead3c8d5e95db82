#pragma once

// CListExporter: a word list written out for other programs, one row per item, text in UTF-8:
//   EXPORT_CSV   RFC 4180 (fields quoted when they hold a comma, a quote or a line break,
//                lines ended by CR LF) with the header row
//                "word,pronunciation,part of speech,gloss,sample": the pronunciations in
//                Unicode IPA, the part of speech and gloss of the first sense, its first
//                sample;
//   EXPORT_ANKI  tab-separated notes that Anki's import takes as they are, after the headers
//                "#separator:tab", "#html:true" and "#columns:Front<TAB>Back": the front is the
//                word, the back its pronunciation and the first gloss of each part of speech.
// Each item is looked up as the window looks a word up (base forms, fallbacks; a page text
// "word:N" counts as its word) and its page rendered and read back (CPageOutline); the row
// keeps the item as listed (geese, with the page of goose). An item that is not in the
// dictionary keeps its row, with the word alone.

#include <string>

class CDictionaryDatabase;
class CWordList;

enum ExportFormat { EXPORT_CSV, EXPORT_ANKI };

class CListExporter {
  public:
    explicit CListExporter(CDictionaryDatabase* database) : database_(database) {}

    // The whole file: the format's header, then the list's items in order.
    std::string Export(const CWordList& list, ExportFormat format);

  private:
    struct Row;
    Row LookUp(const char* item);
    static std::string CsvRow(const Row& row);
    static std::string AnkiRow(const Row& row);

    CDictionaryDatabase* database_;
};
