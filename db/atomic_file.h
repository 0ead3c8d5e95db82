#pragma once

// Writing a file so that it is either the old file or the complete new one: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the target.

#include <cstddef>
#include <string>

// False, with a message in *error, when the temporary file cannot be written or renamed; the
// target is then untouched and no temporary file is left.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error);
