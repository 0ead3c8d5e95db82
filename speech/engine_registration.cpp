#include "speech/engine_registration.h"

#include <dlfcn.h>
#include <unistd.h>

#include "app/settings_store.h"
#include "speech/path_text.h"
#include "speech/speech_engine.h"

namespace {

// True when the file loads as a library with the engine's entry point "SEOpen": a library
// whose own libraries are missing (espeak-ng not installed) is not registered, so that Read
// stays disabled on such a machine.
bool IsEngineLibrary(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        return false;
    }
    const bool engine = dlsym(library, "SEOpen") != nullptr;
    dlclose(library);
    return engine;
}

}  // namespace

bool RegisterBundledEngine(ISettingsStore& machineSettings, const std::string& programFolder) {
    std::u16string current;
    machineSettings.ReadString(SPEECH_ENGINE_KEY, SPEECH_DLL, &current);
    const std::string currentPath = PathToUtf8(current);
    if (!currentPath.empty() && access(currentPath.c_str(), F_OK) == 0) {
        return false;  // an engine is registered
    }
    const std::string library = programFolder + BUNDLED_ENGINE_FILE;
    if (!programFolder.empty() && access(library.c_str(), R_OK) == 0 && IsEngineLibrary(library)) {
        return machineSettings.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, PathToUtf16(library));
    }
    // Our own library registered from a folder that is gone: forget it, so that Read is not
    // offered without an engine. Another engine's path is the user's to mend.
    const size_t name = currentPath.rfind('/');
    if (!currentPath.empty() && name != std::string::npos &&
        currentPath.compare(name + 1, std::string::npos, BUNDLED_ENGINE_FILE) == 0) {
        return machineSettings.WriteString(SPEECH_ENGINE_KEY, SPEECH_DLL, u"");
    }
    return false;
}

std::string BundledEngineFolder() {
    const std::string beside = RunningProgramFolder();
    if (!beside.empty() && access((beside + BUNDLED_ENGINE_FILE).c_str(), F_OK) == 0) {
        return beside;
    }
    return InstalledLibraryFolder();
}
