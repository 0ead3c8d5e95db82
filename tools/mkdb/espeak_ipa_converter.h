#pragma once

// CEspeakIpaConverter: espeak-ng's IPA for a word (its English voice, such as "bɹˌækaɪsfˈælɪk")
// as ARPAbet phones with stress digits ("B R AE2 K AY0 S F AE1 L IH0 K"), so that the one
// converter of CMUdict's phones (CArpabetConverter) makes both kinds of pronunciation: the same
// vowel symbols, the stress mark before its syllable's onset (espeak-ng puts it before the
// vowel). A stress mark gives its digit to the next vowel; the other vowels are unstressed.
// espeak-ng's vowel qualities of other accents map to the nearest of CMUdict's (ɒ: AA, əʊ:
// OW), its flap and glottal stop to T, length marks are dropped.

#include <string>

class CEspeakIpaConverter {
  public:
    // False with the first symbol that has no ARPAbet phone, or when there is no sound.
    static bool ToArpabet(const std::string& utf8, std::string* phones, std::string* error);
};
