#include "tools/mkdb/word_forms.h"

#include <algorithm>

#include "tools/mkdb/english_rules.h"

namespace {

using Rules = CEnglishRules;

void AddOnce(std::vector<std::string>* list, const std::string& form) {
    if (!form.empty() && std::find(list->begin(), list->end(), form) == list->end()) {
        list->push_back(form);
    }
}

bool OneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* w : words) {
        if (word == w) {
            return true;
        }
    }
    return false;
}

// A present-tense form of base (third person, participle in -ing, or a form of "be" or
// "have"): verb.exc lists them beside the past forms.
bool IsPresentForm(const std::string& f, const std::string& b) {
    if (Rules::EndsWith(f, "ing") || OneOf(f, {"am", "are", "is", "has"})) {
        return true;
    }
    return f == b + "s" || f == b + "es" ||
           (Rules::EndsWith(b, "y") && f == b.substr(0, b.size() - 1) + "ies");
}

bool LooksLikeParticiple(const std::string& f) {
    for (const char* end : {"en", "wn", "rn", "ne", "ain"}) {
        if (Rules::EndsWith(f, end)) {
            return true;
        }
    }
    return false;
}

// The form of base with its last "i" replaced by vowel (sing: sang, sung).
std::string VowelShift(std::string b, char vowel) {
    size_t i = b.rfind('i');
    if (i == std::string::npos) {
        return "";
    }
    b[i] = vowel;
    return b;
}

// Prefixes of verbs that inflect like their stem (overcome: overcame, overcome).
constexpr const char* kVerbPrefixes[] = {"over", "under", "out", "mis", "re", "un",
                                         "with", "fore",  "up",  "for", "be", "inter"};

// Words after the head of a compound noun that keep their form in the plural.
bool IsPostpositive(const std::string& w) {
    return OneOf(w, {"general", "public", "martial", "laureate", "apparent", "presumptive", "royal",
                     "extraordinary", "plenipotentiary", "elect", "designate"});
}

bool IsParticle(const std::string& w) {
    return OneOf(w,
                 {"by", "on", "up", "out", "off", "in", "about", "away", "back", "down", "over"});
}

// Adjectives that are not compared: they name a rank, a kind or a whole, not a degree.
bool IsNotGradable(const std::string& w) {
    return OneOf(
        w,
        {"main",   "chief",   "whole",   "same",   "next",   "mere",   "only",  "prime",  "sole",
         "own",    "last",    "first",   "utter",  "very",   "such",   "total", "due",    "past",
         "each",   "both",    "male",    "live",   "left",   "right",  "top",   "key",    "net",
         "half",   "twin",    "north",   "south",  "east",   "west",   "daily", "weekly", "yearly",
         "hourly", "nightly", "monthly", "plus",   "minus",  "pro",    "anti",  "ex",     "null",
         "void",   "nth",     "zero",    "one",    "two",    "three",  "four",  "five",   "six",
         "eight",  "nine",    "ten",     "twelve", "third",  "fourth", "fifth", "sixth",  "eighth",
         "ninth",  "tenth",   "twelfth", "twenty", "thirty", "forty",  "fifty", "sixty",  "eighty",
         "ninety", "many",    "much",    "few",    "more",   "most",   "less",  "least",  "dead",
         "blind",  "deaf",    "dumb",    "go"});
}

// Irregular comparison that WordNet's adj.exc lacks, from English grammar.
const std::map<std::string, std::vector<std::string>>& GrammarComparisons() {
    static const std::map<std::string, std::vector<std::string>> kForms = {
        {"far", {"farther", "further", "farthest", "furthest"}},
        {"ill", {"worse", "worst"}},
        {"well", {"better", "best"}},
        {"many", {"more", "most"}},
        {"much", {"more", "most"}},
    };
    return kForms;
}

}  // namespace

CWordForms::CWordForms(const WordNetData& data, const CInflectionSource* source,
                       const CCmuDict* cmu)
    : source_(source), cmu_(cmu) {
    if (source != nullptr) {
        for (const auto& [noun, plural] : source->Plurals()) {
            if (plural != noun) {
                pluralForms_.insert(plural);
            }
        }
        for (const auto& [verb, forms] : source->Verbs()) {
            for (const VerbForms& f : forms) {
                participles_.insert(f.participle);
            }
        }
    }
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetException& e : data.exceptions[file]) {
            for (const std::string& base : e.bases) {
                if (e.form != base) {
                    AddOnce(&forms_[file][base], e.form);
                    if (file == WN_NOUN) {
                        pluralForms_.insert(e.form);
                    } else if (file == WN_VERB) {
                        participles_.insert(e.form);
                    }
                }
            }
        }
    }
}

const std::vector<std::string>* CWordForms::Irregular(int file, const std::string& base) const {
    auto it = forms_[file].find(base);
    return it == forms_[file].end() ? nullptr : &it->second;
}

std::vector<std::string> CWordForms::WordPlurals(const std::string& word) const {
    std::vector<std::string> out;
    if (source_ != nullptr) {
        if (const std::string* listed = source_->Plural(word)) {
            out.push_back(*listed);
        }
    }
    if (const auto* forms = Irregular(WN_NOUN, word)) {
        for (const std::string& f : *forms) {
            AddOnce(&out, f);
        }
    }
    if (out.empty()) {
        AddOnce(&out, Rules::Plural(word));
    }
    return out;
}

std::vector<std::string> CWordForms::Plurals(const std::string& lemma, bool capitalised) const {
    // A plural of another noun (data, people) has none of its own; nor has a name.
    if ((pluralForms_.count(lemma) != 0 && Irregular(WN_NOUN, lemma) == nullptr) || capitalised) {
        return {};
    }
    if (Irregular(WN_NOUN, lemma) != nullptr ||
        (source_ != nullptr && source_->Plural(lemma) != nullptr)) {
        return WordPlurals(lemma);
    }
    // The words and what stands after each (" ", "-" or nothing).
    std::vector<std::string> words, separators;
    size_t at = 0;
    while (at <= lemma.size()) {
        size_t end = std::min(lemma.find_first_of(" -", at), lemma.size());
        words.push_back(lemma.substr(at, end - at));
        separators.push_back(end < lemma.size() ? lemma.substr(end, 1) : "");
        at = end + 1;
    }
    size_t head = words.size() - 1;
    bool hyphenated = lemma.find('-') != std::string::npos;
    for (size_t i = 1; i + 1 < words.size(); ++i) {
        bool preposition = hyphenated ? OneOf(words[i], {"of", "in", "at", "de"})
                                      : OneOf(words[i], {"of", "in", "on", "at", "for", "by",
                                                         "with", "from", "under", "de", "du"});
        if (preposition) {
            head = i - 1;  // body of water, mother-in-law, commander in chief
            break;
        }
    }
    if (words.size() == 2 && (IsPostpositive(words[1]) || (hyphenated && IsParticle(words[1]) &&
                                                           Rules::EndsWith(words[0], "er")))) {
        head = 0;  // attorney general, passer-by
    }
    std::vector<std::string> out;
    for (const std::string& plural : WordPlurals(words[head])) {
        std::string whole;
        for (size_t i = 0; i < words.size(); ++i) {
            whole += (i == head ? plural : words[i]) + separators[i];
        }
        out.push_back(whole);
    }
    return out;
}

bool CWordForms::FromSource(const std::string& verb, std::vector<std::string>* past,
                            std::vector<std::string>* participle) const {
    const std::vector<VerbForms>* forms = source_ != nullptr ? source_->Verb(verb) : nullptr;
    if (forms == nullptr) {
        return false;
    }
    for (const VerbForms& f : *forms) {
        AddOnce(past, f.past);
        AddOnce(participle, f.participle);
    }
    auto same = std::find(participle->begin(), participle->end(), past->front());
    std::rotate(participle->begin(), same, same == participle->end() ? same : same + 1);
    return true;
}

std::string CWordForms::RegularPast(const std::string& verb) const {
    const std::string* stresses = cmu_ != nullptr ? cmu_->Stresses(verb) : nullptr;
    bool doubles =
        stresses == nullptr && source_ != nullptr
            ? source_->DoublesConsonant(verb) || Rules::DoublesFinalConsonant(verb, nullptr)
            : Rules::DoublesFinalConsonant(verb, stresses);
    return Rules::Past(verb, doubles);
}

void CWordForms::WordTenses(const std::string& verb, std::vector<std::string>* past,
                            std::vector<std::string>* participle) const {
    const std::vector<std::string>* listed = Irregular(WN_VERB, verb);
    bool found = FromSource(verb, past, participle);
    // A prefixed verb inflects as its stem when verb.exc confirms it (mislead: misled).
    for (const char* prefix : kVerbPrefixes) {
        std::string p = prefix;
        if (found || listed == nullptr || verb.size() <= p.size() + 1 ||
            verb.compare(0, p.size(), p) != 0) {
            continue;
        }
        std::vector<std::string> stemPast, stemParticiple;
        if (!FromSource(verb.substr(p.size()), &stemPast, &stemParticiple) ||
            std::find(listed->begin(), listed->end(), p + stemPast.front()) == listed->end()) {
            continue;
        }
        for (const std::string& f : stemPast) {
            past->push_back(p + f);
        }
        for (const std::string& f : stemParticiple) {
            participle->push_back(p + f);
        }
        found = true;
    }
    // verb.exc's own forms are kept, sorted by their shape.
    std::vector<std::string> pastLike, participleLike;
    if (listed != nullptr) {
        std::string sang = VowelShift(verb, 'a'), sung = VowelShift(verb, 'u');
        bool shifted = std::find(listed->begin(), listed->end(), sang) != listed->end();
        for (const std::string& f : *listed) {
            bool known = std::find(past->begin(), past->end(), f) != past->end() ||
                         std::find(participle->begin(), participle->end(), f) != participle->end();
            if (known || IsPresentForm(f, verb)) {
                continue;
            }
            if (LooksLikeParticiple(f) || (shifted && f == sung)) {
                participleLike.push_back(f);
            } else if (found && Rules::EndsWith(f, "ed")) {
                pastLike.push_back(f);  // a regular-shaped variant: both past and participle
                participleLike.push_back(f);
            } else {
                pastLike.push_back(f);
            }
        }
    }
    // A verb the lists lack is regular, unless verb.exc gives it forms: then its regular past
    // stands first when CMUdict knows it as a word (work: worked, wrought; travel: traveled,
    // travelled), and not at all otherwise (smite: smote, smitten).
    if (!found) {
        std::string regular = RegularPast(verb);
        if (listed == nullptr || (cmu_ != nullptr && cmu_->Find(regular) != nullptr)) {
            AddOnce(past, regular);
        }
    }
    for (const std::string& f : pastLike) {
        AddOnce(past, f);
    }
    for (const std::string& f : participleLike) {
        AddOnce(participle, f);
    }
    if (past->empty()) {
        AddOnce(past, RegularPast(verb));
    }
    if (participle->empty()) {
        *participle = *past;
    }
}

void CWordForms::Tenses(const std::string& lemma, std::vector<std::string>* past,
                        std::vector<std::string>* participle) const {
    past->clear();
    participle->clear();
    // A multi-word verb inflects its first word; a hyphenated one the last part of it.
    size_t space = lemma.find(' ');
    std::string first = lemma.substr(0, space);
    std::string rest = space == std::string::npos ? "" : lemma.substr(space);
    if (Irregular(WN_VERB, lemma) != nullptr) {
        first = lemma;
        rest.clear();
    }
    std::string prefix;
    size_t hyphen = first.rfind('-');
    if (hyphen != std::string::npos && Irregular(WN_VERB, first) == nullptr &&
        (source_ == nullptr || source_->Verb(first) == nullptr)) {
        prefix = first.substr(0, hyphen + 1);
        first = first.substr(hyphen + 1);
    }
    WordTenses(first, past, participle);
    for (auto* list : {past, participle}) {
        for (std::string& f : *list) {
            f = f.empty() ? f : prefix + f + rest;
        }
        list->erase(std::remove(list->begin(), list->end(), std::string()), list->end());
    }
    if (past->empty()) {
        participle->clear();
    }
}

bool CWordForms::RegularComparison(const std::string& word) const {
    if (word.empty() || IsNotGradable(word) ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return false;
    }
    // A participle used as an adjective takes "more" (bored, pleased); red is a colour.
    if (Rules::EndsWith(word, "ed") && word != "red") {
        return false;
    }
    const std::string* stresses = cmu_ != nullptr ? cmu_->Stresses(word) : nullptr;
    int syllables = Rules::Syllables(word, stresses);
    return syllables == 1 ||
           (syllables == 2 && Rules::EndsWith(word, "y") && !Rules::EndsWith(word, "ey"));
}

bool CWordForms::IsParticiple(const std::string& word) const {
    return participles_.count(word) != 0;
}

std::vector<std::string> CWordForms::ListedComparisons(const std::string& lemma, int file) const {
    std::vector<std::string> out;
    if (const auto* forms = Irregular(file, lemma)) {
        out = *forms;
    }
    auto grammar = GrammarComparisons().find(lemma);
    if (grammar != GrammarComparisons().end()) {
        for (const std::string& f : grammar->second) {
            AddOnce(&out, f);
        }
    }
    std::stable_partition(out.begin(), out.end(),
                          [](const std::string& f) { return !Rules::EndsWith(f, "st"); });
    return out;
}

std::vector<std::string> CWordForms::Comparisons(const std::string& lemma, int file,
                                                 bool gradable) const {
    std::vector<std::string> out = ListedComparisons(lemma, file);
    if (out.empty() && file == WN_ADV && gradable) {
        out = ListedComparisons(lemma, WN_ADJ);  // he did good: better, best
    }
    if (out.empty() && gradable && RegularComparison(lemma)) {
        out = {Rules::Comparative(lemma), Rules::Superlative(lemma)};
    }
    return out;
}
