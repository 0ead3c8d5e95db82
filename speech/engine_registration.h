#pragma once

// Registering our own speech engine library, BUNDLED_ENGINE_FILE, so that reading aloud works
// without any set-up by hand. It is built beside the desktop program and installed into the
// private library folder (app/install_layout.h). The desktop program calls
// RegisterBundledEngine at start: a "DLL" value the user or the machine's set-up has chosen is
// never replaced while its file exists.

#include <string>

#include "app/install_layout.h"

class ISettingsStore;

inline constexpr char BUNDLED_ENGINE_FILE[] = "liblexicove-espeak.so";

// When the speech engine key has no "DLL" value, an empty one or one that names a missing
// file, and programFolder (ending with "/") holds BUNDLED_ENGINE_FILE, a library that loads
// and exports "SEOpen": writes that file's path as "DLL" into machineSettings. Without such a
// library, a "DLL" value naming a missing BUNDLED_ENGINE_FILE (our library registered from a
// folder since removed) is emptied. True when the value was written.
bool RegisterBundledEngine(ISettingsStore& machineSettings, const std::string& programFolder);

// The folder that holds the running program's own engine library: the program's folder when
// the library is there (a build folder), else the installed library folder.
std::string BundledEngineFolder();
