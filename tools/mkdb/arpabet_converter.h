#pragma once

// CArpabetConverter: a CMUdict pronunciation (ARPAbet phones with stress digits, such as
// "D IH1 K SH AH0 N EH2 R IY0") as IPA in the 8-bit IPA encoding (render/ipa_encoding.h):
// "ˈdɪkʃənˌɛri". A stress mark stands before its syllable, whose onset is the longest run of
// consonants before the vowel that may begin an English syllable. Unstressed AH and ER are
// ə and ɚ, stressed ones ʌ and ɝ.

#include <string>

class CArpabetConverter {
  public:
    // False with a message when a phone is unknown or a vowel lacks its stress digit.
    static bool ToIpa(const std::string& phones, std::string* encoded, std::string* error);
};
