#pragma once

// The texts the search panel makes: the page of its HTML area (the word-list line and the help
// text of the tab) and the query it sends for a search.

#include <string>
#include <string_view>

// The search panel's modes, equal to its tabs.
inline constexpr int SEARCH_TAB_PUZZLE = 0;
inline constexpr int SEARCH_TAB_ANAGRAM = 1;
inline constexpr int SEARCH_TAB_WILDCARD = 2;
inline constexpr int SEARCH_TAB_PHONETIC = 3;
// The reverse dictionary: a description, and a pattern that narrows the words found.
inline constexpr int SEARCH_TAB_MEANING = 4;
inline constexpr int SEARCH_TAB_COUNT = 5;

// The Anagram length criterion "Any".
inline constexpr int SEARCH_LENGTH_ANY = -1;

// The 8-bit page of the HTML area for a mode: the word-list line ("Built-in Dictionary" for an
// empty path, else the file name after the path's last "/", its characters in the 8-bit code
// page and "&", "<", ">" written as entities so that a file name cannot break the page), then
// the mode's help text with its symbol links. A mode outside 0 to 4 gets no help text.
// Meaning has no word-list line: it always searches the dictionary's senses.
std::string BuildSearchPanelPage(int mode, std::u16string_view wordListPath);

// The query for the text of a mode: Anagram "(n:text)" for a length criterion n of 1 or more,
// "(text)" for any other; the other modes the text itself; then lower-cased. Every character
// becomes one of the 8-bit code page's: a character the code page holds stays as it is, any
// other is cut to its low 8 bits, and dropped when that leaves a control character. A text
// with no character left gives an empty query.
std::u16string FormatSearchQuery(int mode, std::u16string_view text, int lengthCriterion);
