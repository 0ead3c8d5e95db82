#pragma once

// Writing a file so that it is either the old file or the complete new one: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the target.
// A target that is a symbolic link is written through it: the file at the end of the link
// gets the new bytes and the link stays. An existing file keeps its permissions (and its
// owner and group where the system lets us set them); a new one is made readable by all.

#include <cstddef>
#include <string>

// False, with a message in *error, when the temporary file cannot be written or renamed or
// the links cannot be followed; the target is then untouched and no temporary file is left.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error);
