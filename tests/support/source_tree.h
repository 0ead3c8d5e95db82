#pragma once

// Files of the source tree that tests read: the project's own data and the set-up's copies.

#include <string>

// The top of the source tree, without a trailing "/".
std::string SourceRoot();

// The CMUdict the database is built from: $LEXICOVE_CMUDICT, else the set-up's copy.
std::string CmuDictPath();
