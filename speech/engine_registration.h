#pragma once

// Registering our own speech engine library, built and installed beside the desktop program
// as BUNDLED_ENGINE_FILE, so that reading aloud works without any set-up by hand. The desktop
// program calls RegisterBundledEngine at start: a "DLL" value the user or the machine's
// set-up has chosen is never replaced while its file exists.

#include <string>

class ISettingsStore;

inline constexpr char BUNDLED_ENGINE_FILE[] = "liblexicove-espeak.so";

// When the speech engine key has no "DLL" value, an empty one or one that names a missing
// file, and programFolder (ending with "/") holds BUNDLED_ENGINE_FILE, a library that loads
// and exports "SEOpen": writes that file's path as "DLL" into machineSettings. Without such a
// library, a "DLL" value naming a missing BUNDLED_ENGINE_FILE (our library registered from a
// folder since removed) is emptied. True when the value was written.
bool RegisterBundledEngine(ISettingsStore& machineSettings, const std::string& programFolder);

// The folder of the running program's executable, ending with "/"; empty when unknown.
std::string RunningProgramFolder();
