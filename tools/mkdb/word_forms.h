#pragma once

// CWordForms: the inflected forms of a lemma: noun plurals, verb past and past participle,
// adjective and adverb comparison forms. Three sources, in this order of trust:
//   - the maintained inflection lists (CInflectionSource): irregular verbs with their past and
//     participle told apart, irregular and zero plurals;
//   - WordNet's *.exc files: every irregular form they list for a base is kept; they do not
//     say whether a verb form is a past or a participle, so a form the lists lack is sorted
//     by its shape (sung, shown: participles; sang: past);
//   - the spelling rules of CEnglishRules, with syllables and stress from CMUdict.
// Multi-word verbs inflect their first word (take off: took off); compound nouns their head
// (body of water: bodies of water; attorney general: attorneys general; passer-by: passers-by).

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/inflection_source.h"
#include "tools/mkdb/wordnet_reader.h"

class CWordForms {
  public:
    // source and cmu may be null: the forms then come from WordNet and the spelling alone.
    CWordForms(const WordNetData& data, const CInflectionSource* source, const CCmuDict* cmu);

    // Plurals of a noun lemma. A zero plural gives the lemma itself (sheep); a name (every
    // sense capitalised), a plural or uncountable noun (data, news) gives none.
    std::vector<std::string> Plurals(const std::string& lemma, bool capitalised) const;
    // Past and past participle of a verb lemma, each a list of alternatives (dream:
    // dreamed/dreamt); a participle equal to the first past comes first (get: got/gotten).
    void Tenses(const std::string& lemma, std::vector<std::string>* past,
                std::vector<std::string>* participle) const;
    // Comparison forms, comparatives first: from adj.exc (file WN_ADJ) or adv.exc (WN_ADV),
    // else by the rules for a word of one syllable or two ending in -y that the caller finds
    // gradable (an adjective that is not a name nor only relational; an adverb that is such
    // an adjective too, fast, or is "soon") and that is not one of the ranks, kinds and
    // numbers that take no degree (main, whole, same, first, ten).
    std::vector<std::string> Comparisons(const std::string& lemma, int file, bool gradable) const;
    // True when a word is a verb's participle or past by the lists (set, gone, worn): as an
    // adjective it takes "more", not -er.
    bool IsParticiple(const std::string& word) const;

  private:
    const std::vector<std::string>* Irregular(int file, const std::string& base) const;
    std::vector<std::string> WordPlurals(const std::string& word) const;
    void WordTenses(const std::string& verb, std::vector<std::string>* past,
                    std::vector<std::string>* participle) const;
    std::string RegularPast(const std::string& verb) const;
    bool FromSource(const std::string& verb, std::vector<std::string>* past,
                    std::vector<std::string>* participle) const;
    bool RegularComparison(const std::string& word) const;
    std::vector<std::string> ListedComparisons(const std::string& lemma, int file) const;

    const CInflectionSource* source_;
    const CCmuDict* cmu_;
    std::map<std::string, std::vector<std::string>> forms_[WN_FILES];  // base -> forms
    std::set<std::string> pluralForms_;  // nouns that are the plural of another (data)
    std::set<std::string> participles_;  // verb forms of the lists (gone, set)
};
