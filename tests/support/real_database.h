#pragma once

// Where the tests over the real dictionary find it: $LEXICOVE_DATABASE when set, else the
// program folder's wordnet.lcv that scripts/dev.sh builds. No disk search, so a fixture that
// another test left in a temporary folder is never taken for the real database.

#include <string>

std::string RealDatabasePath();
