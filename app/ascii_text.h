#pragma once

// Small helpers for ASCII text: dictionary words, file names and HTML tags compare their
// letters without regard to case, leaving every other byte as it is.

#include <string_view>

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when a and b are equal once ASCII letters A-Z are lower-cased.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}
