#include "search/stemmer_library.h"

#include <dlfcn.h>

namespace {

template <typename Function>
bool Resolve(void* handle, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    return *function != nullptr;
}

}  // namespace

CStemmerLibrary& CStemmerLibrary::Instance() {
    static CStemmerLibrary library;
    return library;
}

const std::string& CStemmerLibrary::Error() {
    static const std::string error = Instance().Open();
    return error;
}

const CStemmerLibrary* CStemmerLibrary::Get() {
    return Error().empty() ? &Instance() : nullptr;
}

std::string CStemmerLibrary::Open() {
    // The library stays open for the life of the process.
    void* handle = dlopen(LEXICOVE_STEMMER_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return why != nullptr ? why : LEXICOVE_STEMMER_SONAME " cannot be opened";
    }
    if (!Resolve(handle, "sb_stemmer_new", &New) ||
        !Resolve(handle, "sb_stemmer_delete", &Delete) ||
        !Resolve(handle, "sb_stemmer_stem", &Stem) ||
        !Resolve(handle, "sb_stemmer_length", &Length)) {
        return LEXICOVE_STEMMER_SONAME " lacks the sb_stemmer functions";
    }
    return std::string();
}
