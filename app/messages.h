#pragma once

// The program's internal messages (values in the WM_APP range, as the frame's message table has
// them), the list and view numbers they carry, and the request codes of the data messages that
// other programs send to the main window.

#include <cstdint>

constexpr uint32_t WM_APP = 0x8000;

// Posted: wParam the list number; the frame refills the list box when that list is shown. The
// same value, posted by a CLookupList to itself, asks it to fill its page.
constexpr uint32_t WM_LIST_CHANGED = WM_APP + 1;
// Posted: wParam the list number, lParam the position of the entry in that list or -1.
constexpr uint32_t WM_LIST_ITEM_ADDED = WM_APP + 2;
// Posted at the end of a search: wParam 0, lParam the search status.
constexpr uint32_t WM_SEARCH_DONE = WM_APP + 4;
// Sent by the Options dialog: wParam the list number (only LIST_STUDY acts).
constexpr uint32_t WM_CLEAR_LIST = WM_APP + 5;
// Sent by the Options dialog, posted by the daily timer: wParam the number of words, lParam the
// UTF-16 name of a word-list file (empty for the dictionary).
constexpr uint32_t WM_ADD_STUDY_WORDS = WM_APP + 6;
// Posted by a word list box on a tap or Enter: wParam the row, lParam the list box.
constexpr uint32_t WM_LIST_ITEM_ACTIVATED = WM_APP + 10;
// Sent by the search panel: wParam the UTF-16 word-list path (empty for the dictionary),
// lParam the UTF-16 query.
constexpr uint32_t WM_SEARCH_PATTERN = WM_APP + 20;
constexpr uint32_t WM_SEARCH_PHONETIC = WM_APP + 21;

// Posted to a window as a command, as a menu item or button gives it: wParam the command id,
// lParam the notification code (0, or 1 for "held": press-and-hold, the daily timer).
constexpr uint32_t WM_COMMAND = 0x0111;

// The main window's Stop Searching command.
constexpr int ID_STOP_SEARCHING = 32856;

// The list numbers: the Lookup view's list tabs, in tab order.
constexpr int LIST_DICTIONARY = 0;
constexpr int LIST_STUDY = 1;
constexpr int LIST_FAVORITES = 2;
constexpr int LIST_RECENTS = 3;
constexpr int LIST_SEARCHED = 4;

// The views of the main window.
constexpr int VIEW_LOOKUP = 0;
constexpr int VIEW_CONTENT = 1;
constexpr int VIEW_SEARCH = 2;

// Request codes of the data messages other programs send to the main window.
constexpr int COPYDATA_LOOKUP = 0;
constexpr int COPYDATA_PICKER_SHOWN = 1;
constexpr int COPYDATA_PICKER_HIDDEN = 2;
