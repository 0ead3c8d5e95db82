#include "speech/path_text.h"

#include "app/code_page.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

// Decodes the sequence at text[*i], moving *i past it.
char32_t DecodeUtf8(std::string_view text, size_t* i) {
    const auto lead = static_cast<unsigned char>(text[(*i)++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (lead >= 0xF5 || extra < 0 || *i + static_cast<size_t>(extra) > text.size()) {
        return kReplacement;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[*i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    *i += static_cast<size_t>(extra);
    const char32_t smallest = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (c < smallest || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
        return kReplacement;
    }
    return c;
}

}  // namespace

std::string PathToUtf8(std::u16string_view path) {
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        char32_t c = path[i];
        if (IsHighSurrogate(c) && i + 1 < path.size() && IsLowSurrogate(path[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (path[++i] - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        AppendUtf8(c, &out);
    }
    return out;
}

std::u16string PathToUtf16(std::string_view path) {
    std::u16string out;
    size_t i = 0;
    while (i < path.size()) {
        const char32_t c = DecodeUtf8(path, &i);
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}
