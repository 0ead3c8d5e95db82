#pragma once

// The internal messages a search exchanges with the main window (values in the WM_APP range,
// as the frame's message table has them), and the list number of the Searched list.

#include <cstdint>

constexpr uint32_t WM_APP = 0x8000;

// Posted: wParam the list number, lParam the position of the entry in that list or -1.
constexpr uint32_t WM_LIST_ITEM_ADDED = WM_APP + 2;
// Posted at the end of a search: wParam 0, lParam the search status.
constexpr uint32_t WM_SEARCH_DONE = WM_APP + 4;
// Sent by the search panel: wParam the UTF-16 word-list path (empty for the dictionary),
// lParam the UTF-16 query.
constexpr uint32_t WM_SEARCH_PATTERN = WM_APP + 20;
constexpr uint32_t WM_SEARCH_PHONETIC = WM_APP + 21;

// The main window's Stop Searching command.
constexpr int ID_STOP_SEARCHING = 32856;

// The list number of the Searched list, as the frame's list tabs number it.
constexpr int LIST_SEARCHED = 4;
