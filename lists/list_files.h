#pragma once

// The text files of the user's word lists, in the program folder (GetProgramFolder).

inline constexpr char FAVORITES_FILE[] = "Favorites.txt";
inline constexpr char STUDY_LIST_FILE[] = "StudyList.txt";
inline constexpr char RECENTS_FILE[] = "History.txt";
