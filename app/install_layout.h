#pragma once

// Where the programs of an installed prefix find what was installed with them, relative to
// their own location, so that a prefix can be moved as a whole (an unpacked package, a copy
// on another disk) and no set-up step or environment variable is needed:
//   <prefix>/bin/lexicove            the running program
//   <prefix>/share/lexicove/         the installed dictionary, wordnet.lcv
//   <prefix>/lib/lexicove/           the speech engine library
// The folders' places relative to the programs' folder come from the build's install rules
// (app/install_dirs.h, generated).

#include <string>

// The folder of the running program's executable, ending with "/"; empty when unknown.
std::string RunningProgramFolder();

// programFolder (ending with "/") followed by the relative path, made plain (no "." or "..")
// and ending with "/"; empty when programFolder is empty.
std::string FolderBeside(const std::string& programFolder, const std::string& relative);

// The installed data folder and private library folder of the running program, each ending
// with "/"; empty when the program's location is unknown.
std::string InstalledDataFolder();
std::string InstalledLibraryFolder();
