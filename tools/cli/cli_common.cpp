#include <cstdio>
#include <cstdlib>

#include "app/code_page.h"
#include "app/database_locator.h"
#include "cli.h"
#include "db/dictionary_database.h"

namespace {

// The C1 control characters: what the code page gives its five undefined bytes, and nothing
// a terminal should be sent or a user can mean.
bool IsC1Control(uint32_t c) {
    return c >= 0x80 && c < 0xA0;
}

struct PageFill {
    std::vector<std::string>* rows;
    int remaining;  // > 0: append at the end; < 0: insert at the top
};

bool FillPage(void* context, const char* word, uint32_t) {
    auto* fill = static_cast<PageFill*>(context);
    if (fill->remaining == 0) {
        return false;
    }
    if (fill->remaining < 0) {
        fill->rows->insert(fill->rows->begin(), word);
        ++fill->remaining;
    } else {
        fill->rows->push_back(word);
        --fill->remaining;
    }
    return fill->remaining != 0;
}

}  // namespace

bool OpenDatabase(CDictionaryDatabase* database) {
    std::string path;
    if (!LocateDatabase(&path) || !database->Open(path.c_str())) {
        std::fprintf(stderr, "%s\n", DATABASE_FAILURE_MESSAGE);
        return false;
    }
    return true;
}

bool ParseCount(const std::string& option, const std::string& value, int max, int* out) {
    char* end = nullptr;
    long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < 1 || n > max) {
        std::fprintf(stderr, "lexicove-cli: %s needs a whole number from 1 to %d, not \"%s\"\n",
                     option.c_str(), max, value.c_str());
        return false;
    }
    *out = static_cast<int>(n);
    return true;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "lexicove-cli: %s (see lexicove-cli --help)\n", message.c_str());
    return EXIT_USAGE;
}

std::string ToUtf8(const std::string& text) {
    return CodePageToUtf8(text);
}

std::string FromUtf8(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t code = c;
        size_t length = 1;
        if (c >= 0xC0 && c < 0xE0 && i + 1 < text.size()) {
            code = ((c & 0x1Fu) << 6) | (text[i + 1] & 0x3F);
            length = 2;
        } else if (c >= 0xE0 && c < 0xF0 && i + 2 < text.size()) {
            code = ((c & 0x0Fu) << 12) | ((text[i + 1] & 0x3Fu) << 6) | (text[i + 2] & 0x3F);
            length = 3;
        } else if (c >= 0xF0) {
            code = '?';
            length = 4;
        }
        i += length;
        unsigned char mapped = '?';
        if (code > 0xFFFF || IsC1Control(code) ||
            !Utf16CharToCodePage(static_cast<char16_t>(code), &mapped)) {
            mapped = '?';
        }
        out.push_back(static_cast<char>(mapped));
    }
    return out;
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& w : words) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += w;
    }
    size_t first = joined.find_first_not_of(" \t\r\n");
    size_t last = joined.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : joined.substr(first, last - first + 1);
}

std::vector<std::string> LookupPage(CDictionaryDatabase* database, const std::string& text,
                                    int rows) {
    std::vector<std::string> page;
    PageFill fill{&page, rows};
    database->EnumerateWords(FillPage, &fill, text.c_str(), true);
    if (static_cast<int>(page.size()) < rows) {
        fill.remaining = static_cast<int>(page.size()) - rows;
        database->EnumerateWords(FillPage, &fill, text.c_str(), false);
    }
    return page;
}
