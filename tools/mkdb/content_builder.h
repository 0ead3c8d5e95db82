#pragma once

// CContentBuilder: the content of wordnet.lcv made from WordNet and CMUdict: the words with
// their entry references and the text stream the references point into (db/FORMAT.md).
//
// Words: every lemma of the four index files, and every irregular form of the *.exc files
// that is not a lemma, with one redirect to its first base form that is. References of a
// word, in order: pronunciation, plurals, past forms, past participles, comparison forms,
// verb samples, then the senses grouped noun, verb, adjective, adjective satellite, adverb,
// each group in WordNet's sense order. Identical fields are stored once.
//
// Text stream layout: with locality (the default) the builder walks the words, those with the
// most senses first, and places each word's fields, then those of its synsets not yet placed; right
// after a synset it places the fields of the synset's other words that have no other sense, so that
// the page of such a word reads one stretch of the stream. Without locality the synsets come in
// WordNet's file order and the fields after them (kept for measuring the difference).
//
// A field that ends another field ("cream" ends "ice cream", "creams" ends "ice creams") is
// not stored again: its references point into the longer field, since a field runs from its
// record position to the next terminator. This keeps the text stream within its 16 MiB.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/database_writer.h"
#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/inflection_source.h"
#include "tools/mkdb/pronouncer.h"
#include "tools/mkdb/word_forms.h"
#include "tools/mkdb/wordnet_reader.h"

struct ContentStats {
    uint32_t lemmas = 0;
    uint32_t redirects = 0;
    uint32_t senses[5] = {};  // noun, verb, adjective, adjective satellite, adverb
    uint32_t relations = 0;
    uint32_t formRecords = 0;           // distinct plural, tense and comparison fields
    uint32_t forms[5] = {};             // references: plural, past, participle, adj., adv.
    uint32_t sampleRecords = 0;         // distinct verb sample frames
    uint32_t pronunciationRecords = 0;  // distinct pronunciation fields
    uint32_t pronouncedLemmas = 0;
    uint32_t pronounced[4] = {};  // lemmas by PronunciationSource: none, CMUdict, espeak-ng,
                                  // composed of parts
    uint32_t heteronyms = 0;      // lemmas with more than one pronunciation
    uint32_t maxReferences = 0;
    uint32_t textBytes = 0;
};

class CContentBuilder {
  public:
    // Any of cmu, inflections and espeak may be null: the words then go without what it
    // gives (pronunciations, the listed irregular forms, the words CMUdict lacks).
    CContentBuilder(const WordNetData& data, const CCmuDict* cmu,
                    const CInflectionSource* inflections, const CEspeakPhonemizer* espeak)
        : data_(data), cmu_(cmu), inflections_(inflections), pronouncer_(cmu, espeak) {}

    void SetLocality(bool locality) { locality_ = locality; }
    // Lemma use counts (CSenseCounts) for the writer's use-count section: a lemma takes its
    // own, an irregular form that redirects takes its base's. Null: no section.
    void SetUseCounts(const std::map<std::string, uint32_t>* counts) { useCounts_ = counts; }

    // Fills the writer with the words and the text stream. False with a message on
    // inconsistent input (a pointer or index line naming a missing synset, a word longer
    // than 128 bytes, a gloss holding the literal-dollar byte) or a text stream past 16 MiB.
    bool Build(CDatabaseWriter* writer, std::string* error);
    const ContentStats& Stats() const { return stats_; }

    // The relation kind of a WordNet pointer symbol in a synset of the given file, or 0.
    static uint8_t RelationKind(const std::string& symbol, int file);

  private:
    struct Item {
        bool synset = false;
        uint32_t synsetId = 0;
        std::string text;  // a field's bytes, without its LF
        uint32_t position = 0;
        bool placed = false;
        uint32_t within = UINT32_MAX;  // the longer field this one ends, if any
    };
    struct Ref {
        uint8_t kind;
        uint32_t item;
    };
    struct Word {
        std::string text;
        std::vector<Ref> refs;
    };
    uint32_t UseCountOf(const Word& word) const;

    bool IndexSynsets(std::string* error);
    bool CollectLemmas(std::string* error);
    bool AddRedirects(std::string* error);
    uint32_t FieldItem(const std::string& text, uint32_t* counter);
    void AddLemmaRefs(Word* word, const std::vector<uint32_t> (&senses)[WN_FILES]);
    void AddPronunciations(Word* word);
    void AddForms(Word* word, const std::vector<uint32_t> (&senses)[WN_FILES]);
    void AddVerbSamples(Word* word, const std::vector<uint32_t>& verbSenses);
    // True when every sense spells the lemma with a capital (a name: Paris, French).
    bool Capitalised(const std::string& lemma, const std::vector<uint32_t>& senses) const;
    // True when an adjective may be compared: not a name, and not only relational or
    // participial (every sense in adj.pert or adj.ppl).
    bool Gradable(const std::string& lemma, const std::vector<uint32_t>& adjectiveSenses) const;
    const WordNetSynset& SynsetOf(uint32_t id) const;
    // Position of the lemma's word in a synset (1-based), 0 when it is not there.
    static int WordPosition(const WordNetSynset& synset, const std::string& lemma);
    uint32_t ItemSize(const Item& item) const;
    void ShareFieldEnds();
    void Place(uint32_t item, uint32_t* next);
    void Layout();
    bool Serialise(std::string* stream, std::string* error);

    const WordNetData& data_;
    const CCmuDict* cmu_;
    const CInflectionSource* inflections_;
    CPronouncer pronouncer_;
    const CWordForms* forms_ = nullptr;  // during Build
    bool locality_ = true;
    const std::map<std::string, uint32_t>* useCounts_ = nullptr;
    ContentStats stats_;

    std::vector<const WordNetSynset*> synsets_;  // by synset id: noun, verb, adj, adv order
    std::vector<uint32_t> synsetItem_;           // synset id -> item
    std::unordered_map<uint32_t, uint32_t> offsetToId_[WN_FILES];  // synset offset -> id
    std::vector<Item> items_;
    std::unordered_map<std::string, uint32_t> fieldIndex_;  // field text -> item
    std::vector<Word> words_;                               // sorted by text
    std::vector<uint32_t> order_;                           // items in stream order
};
