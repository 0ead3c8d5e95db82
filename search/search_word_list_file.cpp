#include "search/search_word_list_file.h"

#include "db/data_file.h"
#include "search/search_index.h"
#include "search/search_status.h"

int SearchWordListFile(WordCallback callback, void* context, const char* query, int mode,
                       const char* path) {
    CDataFile file;
    if (!file.OpenRead(path)) {
        return SEARCH_DATA_ERROR;
    }
    CSearchIndex index(&file, 0, true);  // spaces ignored, punctuation kept
    if (index.Status() != INDEX_OK) {
        return index.Status();
    }
    return index.Search(callback, context, query, mode);
}
