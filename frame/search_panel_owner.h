#pragma once

// ISearchPanelOwner: what the search panel asks of the main window. The panel's search request
// is a sent message (WM_SEARCH_PATTERN or WM_SEARCH_PHONETIC, app/messages.h), realised as a
// direct call, and the Meaning tab's a call of its own; the help viewer is the main window's, so
// that the program keeps one.

#include <cstdint>
#include <string>

class ISearchPanelOwner {
  public:
    virtual ~ISearchPanelOwner() = default;

    // Starts a search: message WM_SEARCH_PATTERN or WM_SEARCH_PHONETIC; wordListPath the
    // *.dwg file with its folder, empty for the dictionary; query the lower-case query, each
    // character one of the 8-bit code page's. True when the search was started.
    virtual bool SendSearch(uint32_t message, const std::u16string& wordListPath,
                            const std::u16string& query) = 0;
    // Starts a meaning search of the dictionary: description the
    // lower-case description, pattern the lower-case Wildcard pattern that narrows the words
    // found (empty: none), both in the 8-bit code page's characters. True when started.
    virtual bool SendMeaningSearch(const std::u16string& description,
                                   const std::u16string& pattern) = 0;
    // Shows the help viewer at a help target of the form "file:lexicove.htm#symbol".
    virtual void RunHelp(const std::u16string& target) = 0;
};
