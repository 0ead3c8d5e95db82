#pragma once

// Keeps a library loaded until the test program ends, whatever the code under test does with
// it. espeak-ng (with the sound libraries under it) keeps allocations in its globals after
// espeak_Terminate; once the binding unloads it, LeakSanitizer would report those as leaks of
// the test program.

#include <dlfcn.h>

inline void KeepLibraryResident(const char* path) {
    dlopen(path, RTLD_NOW | RTLD_NODELETE);
}
