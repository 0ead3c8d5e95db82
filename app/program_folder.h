#pragma once

// The program folder: where the list files, the *.dwg word-list files and normally
// wordnet.lcv are kept. It is the user's data folder for the program, writable:
//   $LEXICOVE_HOME when set (tests, portable use), else $XDG_DATA_HOME/Lexicove/, else
//   $HOME/.local/share/Lexicove/ (the home folder taken from the user database when $HOME
//   is unset). The folder is created when missing; the path is absolute and ends with "/".

#include <string>

// The program folder, looked up and created on the first call and the same string for the
// rest of the process. Safe to call from any thread.
const std::string& GetProgramFolder();

// Looks the program folder up afresh from the environment and creates it (mode 0700 for the
// folders it makes). A folder that cannot be created is still returned: the files in it then
// fail to open, each with its own message.
std::string ResolveProgramFolder();
