// Word forms, samples and pronunciations of the real wordnet.lcv as a user reads them: the page
// that `lexicove-cli define` prints for a table of common words, and the forms of the most used
// verbs and nouns (WordNet's sense tag counts) against another inflection source, en-inflectors
// (an npm package that the builder does not read; the set-up installs it).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "support/cli_runner.h"
#include "support/real_database.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"

namespace {

class FormsRealDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = RealDatabasePath();
        if (::access(path_.c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no database at " << path_ << " (scripts/dev.sh database builds it)";
        }
    }

    std::string Page(const std::string& word) {
        CliResult r = RunCli({"--database", path_, "define", word}, scratch_.Path());
        EXPECT_EQ(r.status, 0) << word << ": " << r.err;
        return r.out;
    }

    std::string path_;
    CTempDir scratch_;
};

TEST_F(FormsRealDataTest, CommonWordsShowTheirFormsSamplesAndPronunciations) {
    struct Case {
        const char* word;
        std::vector<std::string> shown;
        std::vector<std::string> absent;
    } cases[] = {
        // Tenses: past, then participle, forms equal to the base included.
        {"run", {"Tenses: ran, run"}, {"ran, ran"}},
        {"come", {"Tenses: came, come"}, {}},
        {"become", {"Tenses: became, become"}, {}},
        {"go", {"Tenses: went, gone"}, {}},
        {"set", {"Tenses: set, set"}, {"seted"}},
        {"put", {"Tenses: put, put"}, {"puted"}},
        {"cut", {"Tenses: cut, cut"}, {"cuted"}},
        {"let", {"Tenses: let, let"}, {"leted"}},
        {"read", {"Tenses: read, read"}, {"readed"}},
        {"shed", {"Tenses: shed, shed"}, {"sheded"}},
        {"be", {"Tenses: was/were, been"}, {}},
        {"dream", {"Tenses: dreamed/dreamt, dreamed/dreamt"}, {}},
        {"get", {"Tenses: got, got/gotten"}, {}},
        {"use", {"Tenses: used, used"}, {}},
        {"try", {"Tenses: tried, tried"}, {}},
        {"stop", {"Tenses: stopped, stopped"}, {}},
        {"admit", {"Tenses: admitted, admitted"}, {}},
        {"visit", {"Tenses: visited, visited"}, {"visitted"}},
        {"open", {"Tenses: opened, opened"}, {"openned"}},
        {"panic", {"Tenses: panicked, panicked"}, {}},
        {"walk in", {"Tenses: walked in, walked in"}, {}},
        {"take off", {"Tenses: took off, taken off"}, {}},
        {"overcome", {"Tenses: overcame, overcome"}, {}},
        {"mislead", {"Tenses: misled, misled"}, {}},
        // Plurals: irregular, zero, of a compound's head; none invented.
        {"person", {"plural: people"}, {"persons"}},
        {"goose", {"plural: geese"}, {}},
        {"datum", {"plural: data"}, {}},
        {"criterion", {"plural: criteria"}, {}},
        {"child", {"plural: children"}, {}},
        {"mouse", {"plural: mice"}, {}},
        {"woman", {"plural: women"}, {}},
        {"sheep", {"plural: sheep"}, {"sheeps"}},
        {"deer", {"plural: deer"}, {"deers"}},
        {"aircraft", {"plural: aircraft"}, {"aircrafts"}},
        {"species", {"plural: species"}, {"specieses"}},
        {"series", {"plural: series"}, {}},
        {"body of water", {"plural: bodies of water"}, {"body of waters"}},
        {"point of view", {"plural: points of view"}, {"point of views"}},
        {"head of state", {"plural: heads of state"}, {"head of states"}},
        {"mother-in-law", {"plural: mothers-in-law"}, {}},
        {"passer-by", {"plural: passers-by"}, {}},
        {"attorney general", {"plural: attorneys general"}, {}},
        {"data", {}, {"plural:"}},
        // Comparison: short gradable adjectives and adverbs by the rules, irregular ones as
        // listed, none for long or ungradable ones.
        {"tall", {"comparative: taller, tallest"}, {}},
        {"old", {"comparative: older, oldest"}, {}},
        {"long", {"comparative: longer, longest"}, {}},
        {"cheap", {"comparative: cheaper, cheapest"}, {}},
        {"big", {"comparative: bigger, biggest"}, {}},
        {"hot", {"comparative: hotter, hottest"}, {}},
        {"happy", {"comparative: happier, happiest"}, {}},
        {"large", {"comparative: larger, largest"}, {}},
        {"good", {"comparative: better, best"}, {"gooder"}},
        {"bad", {"comparative: worse, worst"}, {"badder"}},
        {"fast", {"comparative: faster, fastest"}, {}},
        {"soon", {"comparative: sooner, soonest"}, {}},
        {"beautiful", {}, {"comparative:"}},
        {"important", {}, {"comparative:"}},
        {"main", {}, {"comparative:"}},
        {"whole", {}, {"comparative:"}},
        {"same", {}, {"comparative:"}},
        {"next", {}, {"comparative:"}},
        {"mere", {}, {"comparative:"}},
        // Samples: a frame without a blank before its stop; a quotation with its author; a
        // remark in parentheses after the words.
        {"run", {"These cars won't run.\n"}, {"run .", "run. ."}},
        {"rampageous", {"the hot rampageous horses of my will \u2014 W.H.Auden"}, {"\"", "\"-"}},
        {"ex-directory", {"an ex-directory number (British usage)"}, {"\""}},
        // Pronunciations: espeak-ng for the words CMUdict lacks; each of a heteronym's, as a
        // block of its own (the blocks stand a spacer apart).
        {"brachycephalic", {"\n/\u02CCbr\u00E6ka\u026A"}, {}},
        {"abaft", {"\n/\u0259\u02C8b\u00E6ft/"}, {}},
        {"nonsuch", {"\n/\u02CCn\u0251n\u02C8s\u028Ct\u0283/"}, {}},
        {"read", {"\n/\u02C8r\u025Bd/\n\n/\u02C8rid/\n"}, {}},
        {"lead", {"\n/\u02C8l\u025Bd/\n\n/\u02C8lid/\n"}, {}},
        {"wind", {"\n/\u02C8wa\u026And/\n\n/\u02C8w\u026And/\n"}, {}},
        {"live", {"\n/\u02C8la\u026Av/\n\n/\u02C8l\u026Av/\n"}, {}},
        {"tear", {"\n/\u02C8t\u025Br/\n\n/\u02C8t\u026Ar/\n"}, {}},
    };
    for (const Case& c : cases) {
        std::string page = "\n" + Page(c.word);
        for (const std::string& text : c.shown) {
            EXPECT_NE(page.find(text), std::string::npos) << c.word << ": " << text << "\n" << page;
        }
        for (const std::string& text : c.absent) {
            EXPECT_EQ(page.find(text), std::string::npos) << c.word << ": " << text << "\n" << page;
        }
    }
}

// ---- Against en-inflectors ----

std::string WordNetDir() {
    const char* dir = std::getenv("LEXICOVE_WORDNET_DIR");
    return std::string(dir != nullptr ? dir : "/usr/share/wordnet") + "/";
}

// The single-word lemmas of a part of speech ('1' noun, '2' verb) with the highest sums of
// WordNet's sense tag counts, most used first. Debian's wordnet-base ships the counts as
// cntlist.rev ("sense_key sense_number tag_cnt"), the same counts as index.sense.
std::vector<std::string> MostUsed(char pos, size_t count) {
    std::ifstream in(WordNetDir() + "cntlist.rev");
    std::map<std::string, long> tags;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string key;
        long number = 0, tagCount = 0;
        fields >> key >> number >> tagCount;
        size_t percent = key.find('%');
        std::string lemma = key.substr(0, percent);
        if (percent + 1 < key.size() && key[percent + 1] == pos &&
            lemma.find_first_of("_-.'") == std::string::npos) {
            tags[lemma] += tagCount;
        }
    }
    std::vector<std::pair<long, std::string>> ranked;
    for (const auto& [lemma, n] : tags) {
        ranked.emplace_back(-n, lemma);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> out;
    for (size_t i = 0; i < ranked.size() && i < count; ++i) {
        out.push_back(ranked[i].second);
    }
    return out;
}

// en-inflectors' forms of the words: one line a word, its forms separated by tabs.
bool OtherSourceForms(const std::vector<std::string>& words, const std::string& folder,
                      std::vector<std::vector<std::string>>* forms) {
    std::string module = SourceRoot() + "/third_party/npm/node_modules/en-inflectors";
    if (::access((module + "/dist/index.js").c_str(), R_OK) != 0) {
        return false;
    }
    std::ofstream script(folder + "forms.js");
    script << "const {Inflectors} = require('" << module << "');\n"
           << "const words = require('fs').readFileSync('" << folder
           << "words.txt', 'utf8').split('\\n').filter(Boolean);\n"
           << "for (const w of words) { const i = new Inflectors(w);\n"
           << "  console.log([i.toPast(), i.toPastParticiple(), new Inflectors(w).toPlural()]"
           << ".join('\\t')); }\n";
    std::ofstream list(folder + "words.txt");
    for (const std::string& w : words) {
        list << w << "\n";
    }
    script.close();
    list.close();
    CliResult r = RunProgram("node", {folder + "forms.js"}, folder);
    if (r.status != 0) {
        return false;
    }
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string f; std::getline(parts, f, '\t');) {
            fields.push_back(f);
        }
        forms->push_back(fields);
    }
    return forms->size() == words.size();
}

// The forms of one kind that the database gives a word.
std::vector<std::string> BuiltForms(CDictionaryDatabase* db, const std::string& word,
                                    uint8_t kind) {
    std::vector<std::string> out;
    uint32_t n = db->FindWord(word.c_str());
    std::vector<uint32_t> refs(128);
    refs.resize(
        n == 0 ? 0 : static_cast<size_t>(db->LookupIndex()->ReadEntryRefs(n, refs.data(), 128)));
    for (uint32_t ref : refs) {
        uint32_t length = 0;
        const char* field = lcv::RefKind(ref) == kind
                                ? db->BlockStore()->ReadRecord(lcv::RefPosition(ref), &length)
                                : nullptr;
        if (field != nullptr) {
            out.emplace_back(field, length);
        }
    }
    return out;
}

TEST_F(FormsRealDataTest, TheMostUsedVerbsAndNounsAgreeWithAnotherInflectionSource) {
    std::vector<std::string> verbs = MostUsed('2', 400), nouns = MostUsed('1', 400);
    ASSERT_EQ(verbs.size(), 400u);
    ASSERT_EQ(nouns.size(), 400u);
    std::vector<std::vector<std::string>> verbForms, nounForms;
    if (!OtherSourceForms(verbs, scratch_.Path(), &verbForms) ||
        !OtherSourceForms(nouns, scratch_.Path(), &nounForms)) {
        GTEST_SKIP() << "node or en-inflectors missing (scripts/dev.sh installs them)";
    }
    CDictionaryDatabase db;
    ASSERT_TRUE(db.Open(path_.c_str()));
    auto has = [](const std::vector<std::string>& list, const std::string& form) {
        return std::find(list.begin(), list.end(), form) != list.end();
    };
    size_t pastAgree = 0, participleAgree = 0, pluralAgree = 0;
    std::ostringstream differ;
    for (size_t i = 0; i < verbs.size(); ++i) {
        std::vector<std::string> past = BuiltForms(&db, verbs[i], lcv::ENTRY_PAST);
        std::vector<std::string> participle = BuiltForms(&db, verbs[i], lcv::ENTRY_PAST_PARTICIPLE);
        bool a = has(past, verbForms[i][0]), b = has(participle, verbForms[i][1]);
        pastAgree += a ? 1 : 0;
        participleAgree += b ? 1 : 0;
        if (!a || !b) {
            differ << "  verb " << verbs[i] << ": built " << ::testing::PrintToString(past) << " "
                   << ::testing::PrintToString(participle) << ", en-inflectors " << verbForms[i][0]
                   << " " << verbForms[i][1] << "\n";
        }
    }
    for (size_t i = 0; i < nouns.size(); ++i) {
        std::vector<std::string> plural = BuiltForms(&db, nouns[i], lcv::ENTRY_PLURAL);
        const std::string& theirs = nounForms[i][2];
        // An uncountable noun: en-inflectors gives the word itself, the page none or the same.
        bool agree = has(plural, theirs) || (plural.empty() && theirs == nouns[i]);
        pluralAgree += agree ? 1 : 0;
        if (!agree) {
            differ << "  noun " << nouns[i] << ": built " << ::testing::PrintToString(plural)
                   << ", en-inflectors " << theirs << "\n";
        }
    }
    std::cout << "agreement with en-inflectors: past " << pastAgree << "/400, participle "
              << participleAgree << "/400, plural " << pluralAgree << "/400\n"
              << differ.str();
    EXPECT_GE(pastAgree, 380u);
    EXPECT_GE(participleAgree, 370u);
    EXPECT_GE(pluralAgree, 370u);
}

}  // namespace
