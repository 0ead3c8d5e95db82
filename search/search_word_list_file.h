#pragma once

// SearchWordListFile: a word search over a *.dwg word-list file (a plain word trie at offset
// 0). The search runs with spaces ignored and every other character kept, whatever the
// options say.

#include "db/word_index.h"

// Opens the file, searches it as CSearchIndex::Search does and closes it again. Returns the
// search status; SEARCH_DATA_ERROR when the file cannot be opened or holds no word trie.
int SearchWordListFile(WordCallback callback, void* context, const char* query, int mode,
                       const char* path);
