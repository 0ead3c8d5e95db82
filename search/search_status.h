#pragma once

// Status codes and modes of a word search, and the rows that tell the user how a search
// ended. A search reports one status at its end; the index's own data error (5) doubles as
// the search's.

#include <cstdint>

constexpr int SEARCH_OK = 0;
constexpr int SEARCH_INVALID_QUERY = 1;
constexpr int SEARCH_OUT_OF_MEMORY = 2;
constexpr int SEARCH_CANCELLED = 3;
constexpr int SEARCH_TRUNCATED = 4;
constexpr int SEARCH_DATA_ERROR = 5;

// The number of the result callback's start call (its word is null).
constexpr uint32_t SEARCH_STARTED = 0xFFFF;

constexpr int SEARCH_MODE_PHONETIC = 1;
constexpr int SEARCH_MODE_PATTERN = 2;
// The reverse dictionary: the query is a description (CDictionaryDatabase::SearchMeaning).
constexpr int SEARCH_MODE_MEANING = 3;

// Queries are at most this many bytes; longer ones are refused as SEARCH_INVALID_QUERY.
constexpr int SEARCH_MAX_QUERY = 127;

// The status row shown after the words of a search: "< Completed >" or "< No word found >"
// for a search that ended normally (or with a code this program does not know), depending
// on whether it found any word.
const char* SearchStatusRow(int status, bool foundWords);
