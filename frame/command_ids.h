#pragma once
// The command ids of the main window: menu items, toolbar buttons, header buttons, popup menus
// and accelerators carry them, and the frame's one dispatcher acts on them. A command given
// with the notification code 1 means "held" (press-and-hold, or the daily timer).
#include "app/messages.h"

constexpr int ID_WORD_OF_THE_DAY = 32772;
constexpr int ID_LOOKUP_VIEW = 32773;
constexpr int ID_CONTENT_VIEW = 32774;
constexpr int ID_ADD_TO_FAVORITES = 32778;
constexpr int ID_ADD_TO_STUDY_LIST = 32779;
constexpr int ID_DELETE = 32782;
constexpr int ID_DELETE_ALL = 32783;
constexpr int ID_TEXT_SMALLEST = 32785;  // to ID_TEXT_LARGEST: text sizes 0 to 4
constexpr int ID_TEXT_LARGEST = 32789;
constexpr int ID_TEXT_MEDIUM = 32787;
constexpr int ID_USE_CLEAR_TYPE = 32790;
constexpr int ID_SHOW_GLIMMERPAD = 32795;
constexpr int ID_SEARCH_VIEW = 32796;
constexpr int ID_BACK = 32800;
constexpr int ID_FORWARD = 32801;
constexpr int ID_READ = 32802;
constexpr int ID_LOOKUP_SELECTED_TEXT = 32807;
constexpr int ID_OPTIONS = 32809;
constexpr int ID_SELECT_ALL = 32863;
constexpr int ID_SPEECH_VOLUME = 32871;
constexpr int ID_EXPORT = 32880;  // Tools > Export...: a word list written out for other programs
constexpr int ID_TEXT_LARGER = 32891;   // one text size up, Ctrl++
constexpr int ID_TEXT_SMALLER = 32892;  // one text size down, Ctrl+-
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EXIT = 57665;
constexpr int ID_ABOUT = 57664;
constexpr int ID_HELP = 57670;

// Child ids of the frame's windows.
constexpr int ID_LIST_BOX = 3002;
constexpr int ID_SEARCH_PANEL = 12321;

// The notification code of a held command.
constexpr int COMMAND_HELD = 1;
