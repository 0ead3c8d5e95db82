#include "terminal_display.h"

#include <cstdio>

void CTerminalDisplay::Clear() {
    page_.clear();
    complete_ = false;
}

void CTerminalDisplay::AddText(const char* text) {
    if (text != nullptr) {
        page_ += text;
    }
}

void CTerminalDisplay::ShowError(const char* text) {
    std::fprintf(stderr, "lexicove-cli: %s\n", text);
}
