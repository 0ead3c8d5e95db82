#include "tools/mkdb/espeak_ipa_converter.h"

#include <cstring>

namespace {

struct Symbol {
    const char* ipa;  // UTF-8
    const char* arpabet;
    bool vowel;
};

// Longest symbols first, so that a diphthong is taken before its first vowel.
constexpr Symbol kSymbols[] = {
    {"a\u026A\u0259", "AY", true},
    {"a\u028A\u0259", "AW", true},
    {"e\u026A", "EY", true},
    {"a\u026A", "AY", true},
    {"a\u028A", "AW", true},
    {"\u0254\u026A", "OY", true},
    {"o\u028A", "OW", true},
    {"\u0259\u028A", "OW", true},
    {"\u0251\u02D0", "AA", true},
    {"\u0254\u02D0", "AO", true},
    {"\u025C\u02D0", "ER", true},
    {"i\u02D0", "IY", true},
    {"u\u02D0", "UW", true},
    {"l\u0329", "AH L", true},
    {"n\u0329", "AH N", true},
    {"m\u0329", "AH M", true},
    {"t\u0283", "CH", false},
    {"d\u0292", "JH", false},
    {"\u0251", "AA", true},
    {"\u0252", "AA", true},
    {"\u00E6", "AE", true},
    {"\u028C", "AH", true},
    {"\u0259", "AH", true},
    {"\u0250", "AH", true},
    {"\u0254", "AO", true},
    {"\u025B", "EH", true},
    {"e", "EH", true},
    {"\u025C", "ER", true},
    {"\u025A", "ER", true},
    {"\u026A", "IH", true},
    {"\u1D7B", "IH", true},
    {"\u0268", "IH", true},
    {"i", "IY", true},
    {"\u028A", "UH", true},
    {"u", "UW", true},
    {"a", "AA", true},
    {"o", "OW", true},
    {"y", "UW", true},
    {"\u00F8", "ER", true},
    {"\u0153", "ER", true},
    {"p", "P", false},
    {"b", "B", false},
    {"t", "T", false},
    {"d", "D", false},
    {"k", "K", false},
    {"g", "G", false},
    {"\u0261", "G", false},
    {"f", "F", false},
    {"v", "V", false},
    {"\u03B8", "TH", false},
    {"\u00F0", "DH", false},
    {"s", "S", false},
    {"z", "Z", false},
    {"\u0283", "SH", false},
    {"\u0292", "ZH", false},
    {"h", "HH", false},
    {"m", "M", false},
    {"n", "N", false},
    {"\u014B", "NG", false},
    {"l", "L", false},
    {"\u026B", "L", false},
    {"\u026C", "L", false},
    {"\u0279", "R", false},
    {"r", "R", false},
    {"j", "Y", false},
    {"w", "W", false},
    {"\u028D", "W", false},
    {"\u027E", "T", false},
    {"\u0294", "T", false},
    {"x", "K", false},
    {"\u00E7", "HH", false},
    {"\u0272", "N Y", false},
    {"\u03B2", "V", false},
    {"\u0263", "G", false},
};

constexpr const char* kPrimary = "\u02C8";
constexpr const char* kSecondary = "\u02CC";
// Marks that carry no sound of their own here: length, half length, word and phrase breaks.
constexpr const char* kIgnored[] = {"\u02D0", "\u02D1", " ", "-", "\u203F", "|"};

bool StartsWith(const std::string& s, size_t at, const char* prefix) {
    return s.compare(at, std::strlen(prefix), prefix) == 0;
}

}  // namespace

bool CEspeakIpaConverter::ToArpabet(const std::string& utf8, std::string* phones,
                                    std::string* error) {
    phones->clear();
    char stress = '0';
    std::string previous;
    for (size_t at = 0; at < utf8.size();) {
        if (StartsWith(utf8, at, kPrimary) || StartsWith(utf8, at, kSecondary)) {
            stress = StartsWith(utf8, at, kPrimary) ? '1' : '2';
            at += std::strlen(kPrimary);
            continue;
        }
        bool skipped = false;
        for (const char* mark : kIgnored) {
            if (StartsWith(utf8, at, mark)) {
                at += std::strlen(mark);
                skipped = true;
                break;
            }
        }
        if (skipped) {
            continue;
        }
        const Symbol* found = nullptr;
        for (const Symbol& s : kSymbols) {
            if (StartsWith(utf8, at, s.ipa)) {
                found = &s;
                break;
            }
        }
        if (found == nullptr) {
            size_t length = 1;
            while (at + length < utf8.size() && (utf8[at + length] & 0xC0) == 0x80) {
                ++length;
            }
            *error = "espeak-ng's symbol \"" + utf8.substr(at, length) + "\" has no ARPAbet phone";
            return false;
        }
        at += std::strlen(found->ipa);
        std::string phone = found->arpabet;
        // An r-coloured vowel already holds its r.
        if (phone == "R" && previous == "ER") {
            continue;
        }
        if (!phones->empty()) {
            *phones += ' ';
        }
        if (found->vowel) {
            // A syllabic consonant's vowel comes first: "AH L".
            size_t space = phone.find(' ');
            std::string vowel = phone.substr(0, space);
            *phones += vowel + stress + (space == std::string::npos ? "" : phone.substr(space));
            stress = '0';
            previous = vowel;
        } else {
            *phones += phone;
            previous = phone;
        }
    }
    if (phones->empty()) {
        *error = "espeak-ng gave no sound";
        return false;
    }
    return true;
}
