#pragma once

// CWordForms: the inflected forms of a lemma: noun plurals, verb past and past participle,
// adjective and adverb comparison forms. Irregular forms come from WordNet's *.exc files;
// regular ones follow the usual English rules (those of WordNet's own morphology: -s, -es,
// -ies, -men for nouns; -d, -ed, -ied for verbs). Comparison forms come only from adj.exc and
// adv.exc; none are invented.

#include <map>
#include <string>
#include <vector>

#include "tools/mkdb/wordnet_reader.h"

class CWordForms {
  public:
    explicit CWordForms(const WordNetData& data);

    // Plurals of a noun lemma: its noun.exc forms, else the regular plural (of the last word
    // of a multi-word lemma). A capitalised noun (a name) gets none from the rule.
    std::vector<std::string> Plurals(const std::string& lemma, bool capitalised) const;
    // Past and past participle of a verb lemma (a multi-word verb inflects its first word).
    void Tenses(const std::string& lemma, std::vector<std::string>* past,
                std::vector<std::string>* participle) const;
    // Comparison forms from adj.exc (file WN_ADJ) or adv.exc (WN_ADV): comparatives first.
    std::vector<std::string> Comparisons(const std::string& lemma, int file) const;

    static std::string RegularPlural(const std::string& word);
    static std::string RegularPast(const std::string& word);

  private:
    const std::vector<std::string>* Irregular(int file, const std::string& base) const;

    std::map<std::string, std::vector<std::string>> forms_[WN_FILES];  // base -> forms
};
