#include "tools/mkdb/pronouncer.h"

#include "tools/mkdb/arpabet_converter.h"
#include "tools/mkdb/espeak_ipa_converter.h"

bool CPronouncer::Espeak(const std::string& word, std::string* encoded) const {
    if (espeak_ == nullptr) {
        return false;
    }
    std::string phones, error;
    return CEspeakIpaConverter::ToArpabet(espeak_->Ipa(word), &phones, &error) &&
           CArpabetConverter::ToIpa(phones, encoded, &error);
}

PronunciationSource CPronouncer::Pronounce(const std::string& lemma,
                                           std::vector<std::string>* encoded) const {
    encoded->clear();
    if (cmu_ != nullptr) {
        *encoded = cmu_->Distinct(lemma);
        if (!encoded->empty()) {
            return PRON_CMUDICT;
        }
    }
    std::string joined;
    size_t at = 0, parts = 0;
    while (at <= lemma.size()) {
        size_t end = std::min(lemma.find_first_of(" -", at), lemma.size());
        std::string part = lemma.substr(at, end - at), sound;
        if (!part.empty()) {
            const std::string* known = cmu_ != nullptr ? cmu_->Find(part) : nullptr;
            if (known != nullptr) {
                sound = *known;
            } else if (!Espeak(part, &sound)) {
                return PRON_NONE;
            }
            joined += sound;
            ++parts;
        }
        if (end < lemma.size()) {
            joined += lemma[end];
        }
        at = end + 1;
    }
    if (parts == 0) {
        return PRON_NONE;
    }
    encoded->push_back(joined);
    return parts == 1 ? PRON_ESPEAK : PRON_COMPOSED;
}
