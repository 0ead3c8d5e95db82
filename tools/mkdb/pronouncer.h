#pragma once

// CPronouncer: a lemma's pronunciations in the 8-bit IPA encoding. CMUdict first: a word it
// has gets its pronunciations that differ in more than stress (heteronyms such as read, at
// most three), in CMUdict's order. A word it lacks is spoken by espeak-ng's phonemizer,
// converted through ARPAbet so that both kinds share one set of symbols. A lemma of several
// words (split at spaces and hyphens) joins its parts' first pronunciations, each from
// CMUdict or espeak-ng, with the same separators.

#include <string>
#include <vector>

#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/espeak_phonemizer.h"

enum PronunciationSource { PRON_NONE, PRON_CMUDICT, PRON_ESPEAK, PRON_COMPOSED };

class CPronouncer {
  public:
    // Either may be null.
    CPronouncer(const CCmuDict* cmu, const CEspeakPhonemizer* espeak)
        : cmu_(cmu), espeak_(espeak) {}

    // Fills encoded (empty when the lemma cannot be pronounced) and tells where it came from.
    PronunciationSource Pronounce(const std::string& lemma,
                                  std::vector<std::string>* encoded) const;
    // One word by espeak-ng alone, encoded; false when espeak-ng gives nothing usable.
    bool Espeak(const std::string& word, std::string* encoded) const;

  private:
    const CCmuDict* cmu_;
    const CEspeakPhonemizer* espeak_;
};
