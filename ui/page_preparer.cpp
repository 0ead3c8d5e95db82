#include "ui/page_preparer.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "app/ascii_text.h"
#include "app/code_page.h"

namespace {

constexpr char kIpaFace[] = "SILSophiaIPA";
constexpr const char* kColourAttributes[] = {"color", "bgcolor", "text", "link", "vlink", "alink"};
constexpr char kHexDigits[] = "0123456789abcdef";

// Font stack entries: what each open <font> makes of the text inside it.
constexpr char kFontIpa = 'i';
constexpr char kFontOther = 'o';
constexpr char kFontInherit = '-';

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsBlank(std::string_view text) {
    for (char c : text) {
        if (!IsSpace(c)) {
            return false;
        }
    }
    return true;
}

bool IsHexColour(std::string_view value) {
    if (value.size() != 6) {
        return false;
    }
    for (char c : value) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool IsColourAttribute(std::string_view name) {
    for (const char* colour : kColourAttributes) {
        if (EqualsIgnoringAsciiCase(name, colour)) {
            return true;
        }
    }
    return false;
}

void AppendAscii(std::string_view text, std::u16string* out) {
    for (char c : text) {
        out->push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
}

void AppendCodePage(std::string_view text, std::u16string* out) {
    for (char c : text) {
        out->push_back(CodePageCharToUtf16(static_cast<unsigned char>(c)));
    }
}

// Text that came out of a converter goes into the page as text, never as markup.
void AppendEscaped(std::u16string_view text, std::u16string* out) {
    for (char16_t c : text) {
        switch (c) {
            case u'<':
                out->append(u"&lt;");
                break;
            case u'>':
                out->append(u"&gt;");
                break;
            case u'&':
                out->append(u"&amp;");
                break;
            default:
                out->push_back(c);
        }
    }
}

std::string HexUrl(const char* prefix, std::string_view bytes) {
    std::string url = prefix;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        url.push_back(kHexDigits[b >> 4]);
        url.push_back(kHexDigits[b & 0x0F]);
    }
    return url;
}

bool DecodeHexUrl(std::u16string_view prefix, std::u16string_view url, std::string* bytes) {
    if (url.substr(0, prefix.size()) != prefix || (url.size() - prefix.size()) % 2 != 0) {
        return false;
    }
    auto nibble = [](char16_t c) -> int {
        if (c >= u'0' && c <= u'9') {
            return c - u'0';
        }
        if (c >= u'a' && c <= u'f') {
            return c - u'a' + 10;
        }
        if (c >= u'A' && c <= u'F') {
            return c - u'A' + 10;
        }
        return -1;
    };
    std::string out;
    for (size_t i = prefix.size(); i < url.size(); i += 2) {
        const int high = nibble(url[i]);
        const int low = nibble(url[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out.push_back(static_cast<char>(high * 16 + low));
    }
    *bytes = std::move(out);
    return true;
}

std::u16string Widen(const char* text) {
    std::u16string out;
    AppendAscii(text, &out);
    return out;
}

// The tag's name and attributes; tag runs from "<" to ">" inclusive.
template <typename Attribute>
std::string_view ParseTag(std::string_view tag, std::vector<Attribute>* attributes) {
    size_t i = 1;
    const size_t end = tag.size() - 1;  // the ">"
    const size_t nameBegin = i;
    while (i < end && !IsSpace(tag[i]) && tag[i] != '>') {
        ++i;
    }
    const std::string_view name = tag.substr(nameBegin, i - nameBegin);
    while (i < end) {
        while (i < end && (IsSpace(tag[i]) || tag[i] == '/')) {
            ++i;
        }
        const size_t attrBegin = i;
        while (i < end && !IsSpace(tag[i]) && tag[i] != '=') {
            ++i;
        }
        if (i == attrBegin) {
            break;
        }
        Attribute attribute;
        attribute.name = tag.substr(attrBegin, i - attrBegin);
        while (i < end && IsSpace(tag[i])) {
            ++i;
        }
        if (i < end && tag[i] == '=') {
            ++i;
            while (i < end && IsSpace(tag[i])) {
                ++i;
            }
            attribute.valueBegin = i;
            if (i < end && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const size_t valueBegin = i;
                while (i < end && tag[i] != quote) {
                    ++i;
                }
                attribute.value = tag.substr(valueBegin, i - valueBegin);
                if (i < end) {
                    ++i;  // the closing quote
                }
            } else {
                const size_t valueBegin = i;
                while (i < end && !IsSpace(tag[i])) {
                    ++i;
                }
                attribute.value = tag.substr(valueBegin, i - valueBegin);
            }
            attribute.valueEnd = i;
        }
        attributes->push_back(attribute);
    }
    return name;
}

}  // namespace

CPagePreparer::CPagePreparer(IpaConverter ipa, std::string ipaFamily)
    : ipa_(std::move(ipa)), ipaFamily_(std::move(ipaFamily)) {}

std::u16string CPagePreparer::Prepare(std::string_view page) const {
    std::u16string out;
    out.reserve(page.size() + page.size() / 4);
    std::string fonts;  // the open <font> elements, innermost last
    size_t i = 0;
    while (i < page.size()) {
        if (page[i] == '<') {
            if (page.substr(i, 4) == "<!--") {
                const size_t close = page.find("-->", i + 4);
                const size_t end = close == std::string_view::npos ? page.size() : close + 3;
                AppendCodePage(page.substr(i, end - i), &out);
                i = end;
                continue;
            }
            const size_t close = page.find('>', i);
            if (close != std::string_view::npos) {
                const std::string_view tag = page.substr(i, close + 1 - i);
                AppendTag(tag, &out, &fonts);
                i = close + 1;
                // The page's closing line break would show as a space after the page.
                if (EqualsIgnoringAsciiCase(tag, "</html>") && IsBlank(page.substr(i))) {
                    break;
                }
                continue;
            }
        }
        size_t next = page.find('<', i + 1);
        if (next == std::string_view::npos) {
            next = page.size();
        }
        bool ipa = false;
        for (auto f = fonts.rbegin(); f != fonts.rend(); ++f) {
            if (*f != kFontInherit) {
                ipa = *f == kFontIpa;
                break;
            }
        }
        AppendText(page.substr(i, next - i), ipa, &out);
        i = next;
    }
    return out;
}

void CPagePreparer::AppendText(std::string_view text, bool ipa, std::u16string* out) const {
    if (ipa && ipa_) {
        AppendEscaped(ipa_(text), out);
    } else {
        AppendCodePage(text, out);
    }
}

void CPagePreparer::AppendTag(std::string_view tag, std::u16string* out, std::string* fonts) const {
    std::vector<Attribute> attributes;
    const std::string_view name = ParseTag(tag, &attributes);
    const bool isFont = EqualsIgnoringAsciiCase(name, "font");
    if (EqualsIgnoringAsciiCase(name, "/font")) {
        if (!fonts->empty()) {
            fonts->pop_back();
        }
    }
    char font = kFontInherit;
    size_t copied = 0;
    for (const Attribute& attribute : attributes) {
        if (attribute.valueEnd == 0) {
            continue;
        }
        std::string replacement;
        if (IsColourAttribute(attribute.name)) {
            replacement = ColourValue(attribute);
        } else if (EqualsIgnoringAsciiCase(attribute.name, "href") &&
                   EqualsIgnoringAsciiCase(name, "a")) {
            replacement = "\"" + HexUrl(PAGE_LINK_PREFIX, attribute.value) + "\"";
        } else if (EqualsIgnoringAsciiCase(attribute.name, "src") &&
                   EqualsIgnoringAsciiCase(name, "img")) {
            replacement = "\"" + HexUrl(PAGE_IMAGE_PREFIX, attribute.value) + "\"";
        } else if (isFont && EqualsIgnoringAsciiCase(attribute.name, "face")) {
            const bool ipa = EqualsIgnoringAsciiCase(attribute.value, kIpaFace);
            font = ipa ? kFontIpa : kFontOther;
            if (ipa) {
                replacement = "\"" + ipaFamily_ + "\"";
            }
        }
        if (!replacement.empty()) {
            AppendCodePage(tag.substr(copied, attribute.valueBegin - copied), out);
            AppendCodePage(replacement, out);
            copied = attribute.valueEnd;
        }
    }
    AppendCodePage(tag.substr(copied), out);
    if (isFont) {
        fonts->push_back(font);
    }
}

std::string CPagePreparer::ColourValue(const Attribute& attribute) const {
    std::string_view hex = attribute.value;
    const bool hash = !hex.empty() && hex.front() == '#';
    if (hash) {
        hex.remove_prefix(1);
    }
    if (!IsHexColour(hex) || (hash && !colours_)) {
        return std::string();
    }
    if (!colours_) {
        return "\"#" + std::string(hex) + "\"";
    }
    const uint32_t written = static_cast<uint32_t>(std::stoul(std::string(hex), nullptr, 16));
    const uint32_t shown =
        colours_(written, EqualsIgnoringAsciiCase(attribute.name, "bgcolor")) & 0xFFFFFF;
    char value[10];
    std::snprintf(value, sizeof value, "\"#%06X\"", static_cast<unsigned>(shown));
    return value;
}

bool CPagePreparer::DecodeLink(std::u16string_view url, std::string* target) {
    static const std::u16string prefix = Widen(PAGE_LINK_PREFIX);
    return DecodeHexUrl(prefix, url, target);
}

bool CPagePreparer::DecodeImage(std::u16string_view url, std::string* name) {
    static const std::u16string prefix = Widen(PAGE_IMAGE_PREFIX);
    return DecodeHexUrl(prefix, url, name);
}
