#pragma once

// A word callback for EnumerateWords and SearchWords that collects every word, in the order
// given, into the std::vector<std::string> passed as context.

#include <cstdint>
#include <string>
#include <vector>

inline bool KeepWord(void* context, const char* word, uint32_t) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(word);
    return true;
}
