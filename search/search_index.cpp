#include "search/search_index.h"

CSearchIndex::CSearchIndex(CDataFile* file, uint32_t sectionOffset, bool plain)
    : CWordIndex(file, sectionOffset, plain) {}
