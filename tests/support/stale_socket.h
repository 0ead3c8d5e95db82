#pragma once

// Leaves a local socket file at a path that nobody listens on, as a program that crashed
// leaves its listening socket behind: connecting to it is refused.

#include <string>

// False when the socket cannot be made there (the path exists, is too long, ...).
bool MakeStaleSocket(const std::string& path);
