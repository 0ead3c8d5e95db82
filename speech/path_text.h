#pragma once

// File paths between the settings store (UTF-16 strings) and the file system (UTF-8 bytes).

#include <string>
#include <string_view>

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string PathToUtf8(std::u16string_view path);

// UTF-8 to UTF-16; a byte that does not start a well-formed sequence becomes U+FFFD.
std::u16string PathToUtf16(std::string_view path);
