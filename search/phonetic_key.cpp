#include "search/phonetic_key.h"

#include "search/phonetic_scan.h"

CPhoneticKey::CPhoneticKey(std::string_view text) {
    // Two codes per letter at most, plus the terminator.
    primary_.reserve(2 * text.size() + 1);
    alternate_.reserve(2 * text.size() + 1);
    Scan scan(text, &primary_, &alternate_);
    int position = 0;
    scan.Run(position);
    if (!scan.HasAlternate() || alternate_ == primary_) {
        alternate_.clear();
    }
}

CPhoneticKey::~CPhoneticKey() = default;

bool CPhoneticKey::MatchWord(std::string_view word, int position, const char* primaryRest,
                             const char* alternateRest) const {
    if (position < 0) {
        return false;
    }
    Scan scan(word, false, primaryRest, alternateRest);
    if (!scan.Run(position)) {
        return false;
    }
    const char* p = scan.PrimaryRest();
    const char* a = scan.AlternateRest();
    return (p != nullptr && *p == '\0') || (a != nullptr && *a == '\0');
}

bool CPhoneticKey::MatchPrefix(std::string_view prefix, int& position, const char*& primaryRest,
                               const char*& alternateRest) const {
    if (position < 0) {
        return false;
    }
    Scan scan(prefix, true, primaryRest, alternateRest);
    const bool possible = scan.Run(position);
    primaryRest = scan.PrimaryRest();
    alternateRest = scan.AlternateRest();
    return possible;
}

bool CPhoneticKey::IsVowel(char c) {
    return std::string_view("aeiouy").find(c) != std::string_view::npos;
}
