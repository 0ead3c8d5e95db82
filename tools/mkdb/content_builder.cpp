#include "tools/mkdb/content_builder.h"

#include <algorithm>
#include <map>

#include "db/format.h"
#include "tools/mkdb/gloss_splitter.h"
#include "tools/mkdb/word_forms.h"

namespace {

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

bool HasCapital(const std::string& s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::string TwoDigits(unsigned v) {
    return std::string(1, static_cast<char>('0' + v / 10 % 10)) + static_cast<char>('0' + v % 10);
}

constexpr uint8_t kSenseKinds[WN_FILES] = {lcv::ENTRY_NOUN, lcv::ENTRY_VERB, lcv::ENTRY_ADJECTIVE,
                                           lcv::ENTRY_ADVERB};

}  // namespace

uint8_t CContentBuilder::RelationKind(const std::string& symbol, int file) {
    static const std::map<std::string, uint8_t> kKinds = {
        {"!", 0x89},  {"@", 0x8A},  {"@i", 0x8A}, {"=", 0x8B},  {"+", 0x8C},
        {"<", 0x8E},  {";c", 0x90}, {"-c", 0x91}, {";r", 0x92}, {"-r", 0x93},
        {";u", 0x94}, {"-u", 0x95}, {"*", 0x96},  {">", 0x97},  {"$", 0x98},
        {"^", 0x99},  {"&", 0x9A},  {"#m", 0x9B}, {"#s", 0x9C}, {"#p", 0x9D},
        {"%m", 0x9E}, {"%s", 0x9F}, {"%p", 0xA0}, {"~", 0xA1},  {"~i", 0xA1},
    };
    if (symbol == "\\") {
        // Pertainym on adjectives (and nouns), "derived from adjective" on adverbs.
        return file == WN_ADV ? 0x8D : 0x8F;
    }
    auto it = kKinds.find(symbol);
    return it == kKinds.end() ? 0 : it->second;
}

const WordNetSynset& CContentBuilder::SynsetOf(uint32_t id) const {
    return *synsets_[id];
}

int CContentBuilder::WordPosition(const WordNetSynset& synset, const std::string& lemma) {
    for (size_t i = 0; i < synset.words.size(); ++i) {
        if (Lower(synset.words[i]) == lemma) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

bool CContentBuilder::IndexSynsets(std::string* error) {
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetSynset& s : data_.synsets[file]) {
            uint32_t id = static_cast<uint32_t>(synsets_.size());
            if (!offsetToId_[file].emplace(s.offset, id).second) {
                *error =
                    s.where + ": synset offset " + std::to_string(s.offset) + " is given twice";
                return false;
            }
            if (s.gloss.find(static_cast<char>(lcv::kGlossLiteralDollar)) != std::string::npos) {
                *error = s.where +
                         ": the gloss holds the byte 0xA4, which the gloss field "
                         "reserves for a literal \"$\"";
                return false;
            }
            synsets_.push_back(&s);
            Item item;
            item.synset = true;
            item.synsetId = id;
            synsetItem_.push_back(static_cast<uint32_t>(items_.size()));
            items_.push_back(std::move(item));
        }
    }
    for (const WordNetSynset* s : synsets_) {
        for (const WordNetPointer& p : s->pointers) {
            auto it = offsetToId_[p.file].find(p.offset);
            if (it == offsetToId_[p.file].end()) {
                *error = s->where + ": a \"" + p.symbol + "\" pointer names synset " +
                         std::to_string(p.offset) + ", which data." +
                         CWordNetReader::FileName(p.file) + " does not have";
                return false;
            }
            if (p.target > SynsetOf(it->second).words.size()) {
                *error = s->where + ": a \"" + p.symbol + "\" pointer names target word " +
                         std::to_string(p.target) + " of a synset with fewer words";
                return false;
            }
            if (RelationKind(p.symbol, s->file) == 0) {
                *error = s->where + ": pointer symbol \"" + p.symbol + "\" has no relation kind";
                return false;
            }
            ++stats_.relations;
        }
    }
    return true;
}

uint32_t CContentBuilder::FieldItem(const std::string& text, uint32_t* counter) {
    auto [it, added] = fieldIndex_.emplace(text, static_cast<uint32_t>(items_.size()));
    if (added) {
        Item item;
        item.text = text;
        items_.push_back(std::move(item));
        if (counter != nullptr) {
            ++*counter;
        }
    }
    return it->second;
}

void CContentBuilder::AddVerbSamples(Word* word, const std::vector<uint32_t>& verbSenses) {
    std::string key = word->text;
    std::replace(key.begin(), key.end(), ' ', '_');
    std::vector<int> numbers;
    for (uint32_t id : verbSenses) {
        const WordNetSynset& s = SynsetOf(id);
        int position = WordPosition(s, word->text);
        if (position == 0) {
            continue;
        }
        std::string senseKey =
            key + "%2:" + TwoDigits(s.lexFile) + ":" + TwoDigits(s.lexIds[position - 1]) + "::";
        auto it = data_.frameIndex.find(senseKey);
        if (it == data_.frameIndex.end()) {
            continue;
        }
        for (int n : it->second) {
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end()) {
                numbers.push_back(n);
            }
        }
    }
    for (int n : numbers) {
        // WordNet ends some frames with a blank ("The water %ss "); the page puts ". " after
        // each sample, so the blank would stand before the stop.
        std::string frame = data_.frames.at(n);
        frame.erase(frame.find_last_not_of(' ') + 1);
        word->refs.push_back({lcv::ENTRY_VERB_SAMPLE, FieldItem(frame, &stats_.sampleRecords)});
    }
}

void CContentBuilder::AddPronunciations(Word* word) {
    std::vector<std::string> encoded;
    PronunciationSource source = pronouncer_.Pronounce(word->text, &encoded);
    ++stats_.pronounced[source];
    stats_.pronouncedLemmas += source == PRON_NONE ? 0 : 1;
    stats_.heteronyms += encoded.size() > 1 ? 1 : 0;
    for (const std::string& ipa : encoded) {
        word->refs.push_back(
            {lcv::ENTRY_PRONUNCIATION, FieldItem(ipa, &stats_.pronunciationRecords)});
    }
}

bool CContentBuilder::Capitalised(const std::string& lemma,
                                  const std::vector<uint32_t>& senses) const {
    for (uint32_t id : senses) {
        int position = WordPosition(SynsetOf(id), lemma);
        if (position == 0 || !HasCapital(SynsetOf(id).words[position - 1])) {
            return false;
        }
    }
    return !senses.empty();
}

bool CContentBuilder::Gradable(const std::string& lemma,
                               const std::vector<uint32_t>& adjectiveSenses) const {
    constexpr uint8_t kRelational = 1, kParticipial = 44;  // adj.pert, adj.ppl
    bool descriptive = false;
    for (uint32_t id : adjectiveSenses) {
        uint8_t lexFile = SynsetOf(id).lexFile;
        descriptive |= lexFile != kRelational && lexFile != kParticipial;
    }
    return descriptive && !Capitalised(lemma, adjectiveSenses) && !forms_->IsParticiple(lemma);
}

void CContentBuilder::AddForms(Word* word, const std::vector<uint32_t> (&senses)[WN_FILES]) {
    auto addForms = [&](uint8_t kind, int statIndex, const std::vector<std::string>& forms) {
        for (const std::string& form : forms) {
            word->refs.push_back({kind, FieldItem(form, &stats_.formRecords)});
            ++stats_.forms[statIndex];
        }
    };
    if (!senses[WN_NOUN].empty()) {
        addForms(lcv::ENTRY_PLURAL, 0,
                 forms_->Plurals(word->text, Capitalised(word->text, senses[WN_NOUN])));
    }
    if (!senses[WN_VERB].empty()) {
        std::vector<std::string> past, participle;
        forms_->Tenses(word->text, &past, &participle);
        addForms(lcv::ENTRY_PAST, 1, past);
        addForms(lcv::ENTRY_PAST_PARTICIPLE, 2, participle);
    }
    bool adjectiveGradable = !senses[WN_ADJ].empty() && Gradable(word->text, senses[WN_ADJ]);
    if (!senses[WN_ADJ].empty()) {
        addForms(lcv::ENTRY_ADJ_FORM, 3,
                 forms_->Comparisons(word->text, WN_ADJ, adjectiveGradable));
    }
    if (!senses[WN_ADV].empty()) {
        bool gradable = adjectiveGradable || word->text == "soon";
        addForms(lcv::ENTRY_ADV_FORM, 4, forms_->Comparisons(word->text, WN_ADV, gradable));
    }
}

void CContentBuilder::AddLemmaRefs(Word* word, const std::vector<uint32_t> (&senses)[WN_FILES]) {
    AddPronunciations(word);
    AddForms(word, senses);
    AddVerbSamples(word, senses[WN_VERB]);

    auto addSenses = [&](int file, uint8_t kind, int statIndex, char only) {
        for (uint32_t id : senses[file]) {
            if (only == 0 || SynsetOf(id).type == only) {
                word->refs.push_back({kind, synsetItem_[id]});
                ++stats_.senses[statIndex];
            }
        }
    };
    addSenses(WN_NOUN, lcv::ENTRY_NOUN, 0, 0);
    addSenses(WN_VERB, lcv::ENTRY_VERB, 1, 0);
    addSenses(WN_ADJ, lcv::ENTRY_ADJECTIVE, 2, 'a');
    addSenses(WN_ADJ, lcv::ENTRY_SATELLITE, 3, 's');
    addSenses(WN_ADV, lcv::ENTRY_ADVERB, 4, 0);
}

bool CContentBuilder::CollectLemmas(std::string* error) {
    std::map<std::string, std::vector<uint32_t>[WN_FILES]> lemmas;
    for (int file = 0; file < WN_FILES; ++file) {
        std::string name = std::string("index.") + CWordNetReader::FileName(file);
        for (const WordNetLemma& lemma : data_.lemmas[file]) {
            if (lemma.lemma.size() > lcv::kMaxWordLength) {
                *error = name + ": lemma \"" + lemma.lemma + "\" is longer than 128 bytes";
                return false;
            }
            auto& senses = lemmas[lemma.lemma][file];
            if (!senses.empty()) {
                *error = name + ": lemma \"" + lemma.lemma + "\" is given twice";
                return false;
            }
            for (uint32_t offset : lemma.offsets) {
                auto it = offsetToId_[file].find(offset);
                if (it == offsetToId_[file].end()) {
                    *error = name + ": lemma \"" + lemma.lemma + "\" names synset " +
                             std::to_string(offset) + ", which data." +
                             CWordNetReader::FileName(file) + " does not have";
                    return false;
                }
                senses.push_back(it->second);
            }
        }
    }
    words_.reserve(lemmas.size() + 8192);
    for (const auto& [text, senses] : lemmas) {
        Word word;
        word.text = text;
        AddLemmaRefs(&word, senses);
        stats_.maxReferences =
            std::max(stats_.maxReferences, static_cast<uint32_t>(word.refs.size()));
        words_.push_back(std::move(word));
    }
    stats_.lemmas = static_cast<uint32_t>(words_.size());
    return true;
}

bool CContentBuilder::AddRedirects(std::string* error) {
    auto isLemma = [&](const std::string& text) {
        auto it = std::lower_bound(words_.begin(), words_.begin() + stats_.lemmas, text,
                                   [](const Word& w, const std::string& t) { return w.text < t; });
        return it != words_.begin() + stats_.lemmas && it->text == text;
    };
    std::map<std::string, std::string> redirects;
    for (int file = 0; file < WN_FILES; ++file) {
        for (const WordNetException& e : data_.exceptions[file]) {
            if (e.form.size() > lcv::kMaxWordLength) {
                *error = std::string(CWordNetReader::FileName(file)) + ".exc: irregular form \"" +
                         e.form + "\" is longer than 128 bytes";
                return false;
            }
            if (isLemma(e.form) || redirects.count(e.form) != 0) {
                continue;
            }
            for (const std::string& base : e.bases) {
                if (isLemma(base)) {
                    redirects.emplace(e.form, base);
                    break;
                }
            }
        }
    }
    for (const auto& [form, base] : redirects) {
        words_.push_back({form, {{lcv::ENTRY_REDIRECT, FieldItem(base, nullptr)}}});
    }
    stats_.redirects = static_cast<uint32_t>(redirects.size());
    std::sort(words_.begin(), words_.end(),
              [](const Word& a, const Word& b) { return a.text < b.text; });
    return true;
}

uint32_t CContentBuilder::ItemSize(const Item& item) const {
    if (!item.synset) {
        return static_cast<uint32_t>(item.text.size() + 1);
    }
    const WordNetSynset& s = SynsetOf(item.synsetId);
    size_t size = item.text.size() + 1 + lcv::kRelationEntrySize * s.pointers.size() + 1;
    for (const std::string& w : s.words) {
        size += w.size() + 1;
    }
    return static_cast<uint32_t>(size);
}

void CContentBuilder::ShareFieldEnds() {
    std::vector<std::pair<std::string, uint32_t>> reversed;
    for (uint32_t i = 0; i < items_.size(); ++i) {
        if (!items_[i].synset && !items_[i].text.empty()) {
            reversed.emplace_back(std::string(items_[i].text.rbegin(), items_[i].text.rend()), i);
        }
    }
    // In reversed byte order a field comes right before the fields it ends, if any; from the
    // last backwards each one learns the longest field that ends with it.
    std::sort(reversed.begin(), reversed.end());
    for (size_t k = reversed.size(); k-- > 1;) {
        const std::string& shorter = reversed[k - 1].first;
        const std::string& longer = reversed[k].first;
        if (longer.compare(0, shorter.size(), shorter) == 0) {
            uint32_t root = reversed[k].second;
            if (items_[root].within != UINT32_MAX) {
                root = items_[root].within;
            }
            items_[reversed[k - 1].second].within = root;
        }
    }
}

void CContentBuilder::Place(uint32_t item, uint32_t* next) {
    Item& it = items_[item];
    if (it.placed) {
        return;
    }
    if (it.within != UINT32_MAX) {
        Place(it.within, next);
        const Item& whole = items_[it.within];
        it.placed = true;
        it.position = whole.position + static_cast<uint32_t>(whole.text.size() - it.text.size());
        return;
    }
    it.placed = true;
    it.position = *next;
    *next += ItemSize(it);
    order_.push_back(item);
}

void CContentBuilder::Layout() {
    ShareFieldEnds();
    uint32_t next = 0;
    auto isSense = [](uint8_t kind) {
        return kind >= lcv::ENTRY_NOUN && kind <= lcv::ENTRY_ADVERB;
    };
    auto placeFields = [&](const Word& w) {
        for (const Ref& r : w.refs) {
            if (!isSense(r.kind)) {
                Place(r.item, &next);
            }
        }
    };
    if (!locality_) {
        for (uint32_t id = 0; id < synsets_.size(); ++id) {
            Place(synsetItem_[id], &next);
        }
        for (const Word& w : words_) {
            placeFields(w);
        }
        return;
    }
    std::vector<uint32_t> senseCount(words_.size(), 0);
    for (size_t i = 0; i < words_.size(); ++i) {
        for (const Ref& r : words_[i].refs) {
            senseCount[i] += isSense(r.kind) ? 1 : 0;
        }
    }
    auto findWord = [&](const std::string& text) -> long {
        auto it = std::lower_bound(words_.begin(), words_.end(), text,
                                   [](const Word& w, const std::string& t) { return w.text < t; });
        return it != words_.end() && it->text == text ? it - words_.begin() : -1;
    };
    // Words with the most senses go first, so that each claims its own synsets before the
    // words sharing one of them do: its page then reads a few neighbouring blocks instead of
    // one block a sense. A word of one sense still reads one stretch (see below).
    std::vector<size_t> walk(words_.size());
    for (size_t i = 0; i < walk.size(); ++i) {
        walk[i] = i;
    }
    std::stable_sort(walk.begin(), walk.end(),
                     [&](size_t a, size_t b) { return senseCount[a] > senseCount[b]; });
    for (size_t i : walk) {
        const Word& w = words_[i];
        placeFields(w);
        for (const Ref& r : w.refs) {
            if (!isSense(r.kind) || items_[r.item].placed) {
                continue;
            }
            Place(r.item, &next);
            // The synset's other words that have no other sense read just this stretch.
            for (const std::string& other : SynsetOf(items_[r.item].synsetId).words) {
                long v = findWord(Lower(other));
                if (v >= 0 && static_cast<size_t>(v) != i && senseCount[v] == 1) {
                    placeFields(words_[v]);
                }
            }
        }
    }
    // Synsets that no lemma names still belong in the stream: relations may point at them.
    for (uint32_t id = 0; id < synsets_.size(); ++id) {
        Place(synsetItem_[id], &next);
    }
}

bool CContentBuilder::Serialise(std::string* stream, std::string* error) {
    uint64_t total = 0;
    for (uint32_t item : order_) {
        total += ItemSize(items_[item]);
    }
    if (total >= lcv::kMaxTextStream) {
        *error = "the text stream would be " + std::to_string(total) +
                 " bytes, past the limit of 16 MiB (16777216 bytes)";
        return false;
    }
    stream->clear();
    stream->reserve(total);
    for (uint32_t item : order_) {
        const Item& it = items_[item];
        if (!it.synset) {
            *stream += it.text;
            *stream += lcv::kFieldLf;
            continue;
        }
        const WordNetSynset& s = SynsetOf(it.synsetId);
        for (size_t i = 0; i < s.words.size(); ++i) {
            *stream += s.words[i];
            *stream += i + 1 < s.words.size() ? lcv::kFieldCr : lcv::kFieldLf;
        }
        *stream += it.text;
        *stream += lcv::kFieldLf;
        for (const WordNetPointer& p : s.pointers) {
            uint32_t target = items_[synsetItem_[offsetToId_[p.file].at(p.offset)]].position;
            const char entry[lcv::kRelationEntrySize] = {
                static_cast<char>(RelationKind(p.symbol, s.file)),
                static_cast<char>(target & 0xFF),
                static_cast<char>((target >> 8) & 0xFF),
                static_cast<char>((target >> 16) & 0xFF),
                static_cast<char>(p.target),
                static_cast<char>(p.source)};
            stream->append(entry, sizeof entry);
        }
        *stream += static_cast<char>(lcv::kRelationListEnd);
    }
    stats_.textBytes = static_cast<uint32_t>(stream->size());
    return true;
}

bool CContentBuilder::Build(CDatabaseWriter* writer, std::string* error) {
    CWordForms forms(data_, inflections_, cmu_);
    forms_ = &forms;
    bool ok = IndexSynsets(error);
    if (ok) {
        for (Item& item : items_) {
            const WordNetSynset& s = SynsetOf(item.synsetId);
            item.text = CGlossSplitter::Field(CGlossSplitter::Split(s.gloss));
        }
        ok = CollectLemmas(error) && AddRedirects(error);
    }
    forms_ = nullptr;
    if (!ok) {
        return false;
    }
    Layout();
    std::string stream;
    if (!Serialise(&stream, error)) {
        return false;
    }
    writer->SetTextStream(std::move(stream));
    for (Word& w : words_) {
        std::vector<uint32_t> refs;
        refs.reserve(w.refs.size());
        for (const Ref& r : w.refs) {
            refs.push_back(lcv::MakeRef(r.kind, items_[r.item].position));
        }
        if (uint32_t count = UseCountOf(w); count != 0) {
            writer->SetUseCount(w.text, count);
        }
        writer->AddWord(std::move(w.text), std::move(refs));
    }
    return true;
}

uint32_t CContentBuilder::UseCountOf(const Word& word) const {
    if (useCounts_ == nullptr) {
        return 0;
    }
    bool redirect = word.refs.size() == 1 && word.refs[0].kind == lcv::ENTRY_REDIRECT;
    auto it = useCounts_->find(redirect ? items_[word.refs[0].item].text : word.text);
    return it != useCounts_->end() ? it->second : 0;
}
