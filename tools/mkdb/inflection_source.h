#pragma once

// CInflectionSource: the maintained lists of irregular English inflections that the builder
// adds to WordNet's own *.exc files, as the set-up installs them from npm (third_party/npm):
//   - english-verbs-irregular: resources/irregularVerbs.json, each irregular verb with its
//     (past, participle) pairs, and resources/consonantDoubled.json, the verbs that double
//     their final consonant before -ed;
//   - irregular-plurals: irregular-plurals.json, a noun's plural, irregular (goose: geese),
//     zero (sheep: sheep) or a regular one that the rules would get wrong (albino: albinos).
// Only lower-case entries are kept.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct VerbForms {
    std::string past;
    std::string participle;
};

class CInflectionSource {
  public:
    // Reads the packages under a node_modules folder; false with the file and the fault.
    bool Read(const std::string& nodeModules, std::string* error);

    // The (past, participle) pairs of an irregular verb, in the list's order, or null.
    const std::vector<VerbForms>* Verb(const std::string& base) const;
    // True when the list says the verb doubles its final consonant (admit: admitted).
    bool DoublesConsonant(const std::string& verb) const { return doubled_.count(verb) != 0; }
    // The listed plural of a noun, or null.
    const std::string* Plural(const std::string& noun) const;

    const std::map<std::string, std::vector<VerbForms>>& Verbs() const { return verbs_; }
    const std::map<std::string, std::string>& Plurals() const { return plurals_; }

    // For tests.
    void AddVerb(const std::string& base, std::vector<VerbForms> forms) {
        verbs_[base] = std::move(forms);
    }
    void AddPlural(const std::string& noun, const std::string& plural) { plurals_[noun] = plural; }
    void AddDoubled(const std::string& verb) { doubled_.insert(verb); }

  private:
    std::map<std::string, std::vector<VerbForms>> verbs_;
    std::set<std::string> doubled_;
    std::map<std::string, std::string> plurals_;
};
