#include "search/search_status.h"

const char* SearchStatusRow(int status, bool foundWords) {
    switch (status) {
        case SEARCH_INVALID_QUERY:
            return "< Invalid Query >";
        case SEARCH_OUT_OF_MEMORY:
            return "< out of Memory >";
        case SEARCH_CANCELLED:
            return "< Cancelled >";
        case SEARCH_TRUNCATED:
            return "< Truncated >";
        case SEARCH_DATA_ERROR:
            return "< Data Error >";
        default:
            return foundWords ? "< Completed >" : "< No word found >";
    }
}
