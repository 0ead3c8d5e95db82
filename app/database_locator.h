#pragma once

// CDatabaseLocator: finds the dictionary database file, wordnet.lcv.
//
// A path given by the user (the programs' --database option, else $LEXICOVE_DATABASE) is the
// only place looked at when there is one. Otherwise three stages, the first success winning:
//   1. the program folder's own wordnet.lcv, then the installed data folder's (the dictionary
//      installed with the programs, <prefix>/share/lexicove/, app/install_layout.h);
//   2. the removable-media roots (/media/$USER/, /run/media/$USER/) and two levels of
//      folders below each;
//   3. the device root, /, and three levels below it (pseudo and network file systems
//      excepted, see FindFileInTree).
// The name is compared without regard to letter case at every stage. The places are given to
// the constructor so that tests can run the stages over a folder tree of their own.

#include <string>
#include <string_view>
#include <vector>

inline constexpr char DATABASE_FILE_NAME[] = "wordnet.lcv";
inline constexpr int CARD_SEARCH_DEPTH = 2;
inline constexpr int ROOT_SEARCH_DEPTH = 3;

// What the programs tell the user when the database cannot be found or opened (a missing
// file and a damaged one alike).
inline constexpr char DATABASE_FAILURE_MESSAGE[] =
    "Lexicove failed to find the database file: WordNet.lcv. Please reinstall the software to "
    "fix the problem.";

class CDatabaseLocator {
  public:
    // userPath: the path the user gave, or empty. The folders end with "/" (one is added when
    // missing); an empty programFolder, installedFolder or deviceRoot is not searched.
    CDatabaseLocator(std::string userPath, std::string programFolder, std::string installedFolder,
                     std::vector<std::string> cardRoots, std::string deviceRoot);

    // The places of this system: the --database value (SetDatabaseOption) or
    // $LEXICOVE_DATABASE, GetProgramFolder, InstalledDataFolder, the user's removable-media
    // roots and /.
    static CDatabaseLocator ForThisSystem();

    // Fills *path with the database's full path and returns true, or empties it and returns
    // false when the file is nowhere to be found (or the user's path names no readable file).
    bool LocateDatabase(std::string* path) const;

  private:
    // The folder's own wordnet.lcv, in any letter case.
    static bool InFolder(const std::string& folder, std::string* path);

    std::string userPath_;
    std::string programFolder_;
    std::string installedFolder_;
    std::vector<std::string> cardRoots_;
    std::string deviceRoot_;
};

// Records the --database value of the program's command line; call before LocateDatabase.
void SetDatabaseOption(std::string_view path);

// Locates the database at the places of this system.
bool LocateDatabase(std::string* path);
