#include "real_database.h"

#include <cstdlib>

#include "app/program_folder.h"

std::string RealDatabasePath() {
    const char* given = std::getenv("LEXICOVE_DATABASE");
    return given != nullptr ? given : GetProgramFolder() + "wordnet.lcv";
}
