#include "app/code_page.h"

#include <array>

namespace {

// 0x80-0x9F of Windows-1252; the undefined codes are their own C1 controls.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

bool IsHighSurrogate(char16_t ch) {
    return ch >= 0xD800 && ch <= 0xDBFF;
}
bool IsLowSurrogate(char16_t ch) {
    return ch >= 0xDC00 && ch <= 0xDFFF;
}

}  // namespace

char16_t CodePageCharToUtf16(unsigned char code) {
    if (code >= 0x80 && code <= 0x9F) {
        return kHighControls[code - 0x80];
    }
    return code;
}

bool Utf16CharToCodePage(char16_t ch, unsigned char* code) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        *code = static_cast<unsigned char>(ch);
        return true;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch) {
            *code = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

std::u16string CodePageToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        out.push_back(CodePageCharToUtf16(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string CodePageToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const char16_t u = CodePageCharToUtf16(static_cast<unsigned char>(c));
        AppendUtf8(u >= 0x80 && u < 0xA0 ? U'?' : u, &out);
    }
    return out;
}

std::string Utf16ToCodePage(std::u16string_view text, bool* lossy) {
    std::string out;
    out.reserve(text.size());
    bool lost = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char code = 0;
        if (Utf16CharToCodePage(text[i], &code)) {
            out.push_back(static_cast<char>(code));
            continue;
        }
        lost = true;
        out.push_back(CODE_PAGE_DEFAULT_CHAR);
        // A surrogate pair is one character: one default char for both halves.
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        }
    }
    if (lossy != nullptr) {
        *lossy = lost;
    }
    return out;
}

void AppendUtf8(char32_t c, std::string* out) {
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}
