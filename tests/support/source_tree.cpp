#include "support/source_tree.h"

#include <cstdlib>

std::string SourceRoot() {
    return LEXICOVE_SOURCE_DIR;
}

std::string CmuDictPath() {
    const char* given = std::getenv("LEXICOVE_CMUDICT");
    if (given != nullptr) {
        return given;
    }
    return SourceRoot() + "/third_party/npm/node_modules/cmu-pronouncing-dictionary/index.js";
}
