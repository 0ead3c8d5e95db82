#include "render/html_entry_renderer.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "db/block_store.h"
#include "db/format.h"

namespace {

// Word positions are one byte in the relation entries, so no synset holds more words than
// this (WordNet's largest has fewer than 100). A record that goes on without its LF is
// damaged, and reading stops here instead of running through the rest of the text stream.
constexpr uint32_t kMaxSynsetWords = 255;

bool IsSenseKind(uint8_t kind) {
    return kind >= lcv::ENTRY_NOUN && kind <= lcv::ENTRY_ADVERB;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const char* field, size_t length, const char* word) {
    for (size_t i = 0; i < length; ++i) {
        if (word[i] == '\0' || LowerAscii(field[i]) != LowerAscii(word[i])) {
            return false;
        }
    }
    return word[length] == '\0';
}

std::string_view View(const CTextBuffer& buffer) {
    return buffer.Length() == 0 ? std::string_view()
                                : std::string_view(buffer.Data(), buffer.Length());
}

// Appends every part or, when the buffer cannot grow to hold them all, none: a text that runs
// out of memory loses whole items, never half of one.
bool AppendAll(CTextBuffer* buffer, std::initializer_list<std::string_view> parts) {
    size_t total = 0;
    for (std::string_view part : parts) {
        total += part.size();
    }
    if (!buffer->Ensure(total)) {
        return false;
    }
    for (std::string_view part : parts) {
        if (!part.empty()) {
            buffer->Append(part.data(), part.size());
        }
    }
    return true;
}

// Appends a verb sample frame with the headword put in for each "%s"; every other byte, a
// lone "%" included, is copied as it stands. Samples are separated by LF and each ends with
// ". ". All or nothing, like AppendAll.
void AppendSampleFrame(CTextBuffer* samples, const char* frame, size_t length,
                       const char* headword) {
    size_t headwordLength = std::strlen(headword);
    size_t total = (samples->Length() > 0 ? 1 : 0) + length + 2;
    for (size_t i = 0; i + 1 < length; ++i) {
        if (frame[i] == '%' && frame[i + 1] == 's') {
            total = total - 2 + headwordLength;
            ++i;
        }
    }
    if (!samples->Ensure(total)) {
        return;
    }
    if (samples->Length() > 0) {
        samples->Append("\n", 1);
    }
    size_t copied = 0;
    for (size_t i = 0; i + 1 < length; ++i) {
        if (frame[i] == '%' && frame[i + 1] == 's') {
            if (i > copied) {
                samples->Append(frame + copied, i - copied);
            }
            if (headwordLength > 0) {
                samples->Append(headword, headwordLength);
            }
            copied = i + 2;
            ++i;
        }
    }
    if (length > copied) {
        samples->Append(frame + copied, length - copied);
    }
    samples->Append(". ", 2);
}

}  // namespace

CHtmlEntryRenderer::CHtmlEntryRenderer(RenderSink sink, void* context, CBlockStore* blocks)
    : CEntryRenderer(sink, context, blocks) {}

CHtmlEntryRenderer::~CHtmlEntryRenderer() = default;

const char* CHtmlEntryRenderer::KindLabel(uint8_t kind) {
    static const char* const kSenseLabels[] = {"noun", "verb", "adjective", "adjective satellite",
                                               "adverb"};
    static const char* const kRelationLabels[] = {
        "Synonym",
        "Antonym",
        "Hypernym",
        "Attribute",
        "Derivationally Related Form",
        "Derived from Adjective",
        "Participle of Verb",
        "Pertainym (Pertains to Noun)",
        "Domain Of Category",
        "Member of This Category",
        "Domain Of Region",
        "Member of this Domain Region",
        "Domain Of Usage",
        "Member of this Domain Usage",
        "Entailment",
        "Cause",
        "Verb Group",
        "Also See",
        "Similar To",
        "Member Holonym",
        "Substance Holonym",
        "Part Holonym",
        "Member Meronym",
        "Substance Meronym",
        "Part Meronym",
        "Hyponym",
    };
    if (kind >= 0x81 && kind <= 0x85) {
        return kSenseLabels[kind - 0x81];
    }
    if (kind >= 0x88 && kind <= 0xA1) {
        return kRelationLabels[kind - 0x88];
    }
    return "Other";
}

bool CHtmlEntryRenderer::Render(const char* headword, const uint32_t* refs, int count,
                                int entryIndex) {
    headword_ = headword != nullptr ? headword : "";
    forms_.Clear();
    forms_.Add(headword_);
    if (entryIndex >= 1 && entryIndex <= count) {
        uint32_t ref = refs[entryIndex - 1];
        // The page's own links name only senses; a hand-typed index of another kind of
        // reference has no Word Links page and shows the word page instead.
        if (IsSenseKind(lcv::RefKind(ref))) {
            return RenderLinksPage(lcv::RefPosition(ref));
        }
    }
    return RenderWordPage(refs, count);
}

bool CHtmlEntryRenderer::RenderWordPage(const uint32_t* refs, int count) {
    RenderInflections(refs, count);
    uint8_t previous = 0;
    for (int i = 0; i < count; ++i) {
        uint8_t kind = lcv::RefKind(refs[i]);
        if (!IsSenseKind(kind)) {
            continue;
        }
        if (kind != previous) {
            if (listOpen_) {
                CloseList();
            }
            if (!RenderHeading(kind) || !OpenList(true)) {
                return false;
            }
            previous = kind;
        }
        if (!RenderSense(lcv::RefPosition(refs[i]), i + 1)) {
            return false;
        }
    }
    if (listOpen_) {
        CloseList();
    }
    return true;
}

bool CHtmlEntryRenderer::RenderHeading(uint8_t kind) {
    if (!Emit("<b>") || !Emit(KindLabel(kind)) || !Emit("</b>")) {
        return false;
    }
    int note = NoteFor(kind);
    if (note >= 0) {
        char marker[96];
        std::snprintf(marker, sizeof marker,
                      "&nbsp;<sup><small><b><font color=#808080>%d</font></b></small></sup>",
                      note + 1);
        Emit(marker);
    }
    return true;
}

int CHtmlEntryRenderer::NoteFor(uint8_t kind) const {
    switch (kind) {
        case lcv::ENTRY_NOUN:
            return nounNote_;
        case lcv::ENTRY_VERB:
            return verbNote_;
        case lcv::ENTRY_ADJECTIVE:
            return adjectiveNote_;
        case lcv::ENTRY_ADVERB:
            return adverbNote_;
        default:
            return -1;  // adjective satellites have no note
    }
}

void CHtmlEntryRenderer::RenderInflections(const uint32_t* refs, int count) {
    CTextBuffer plural, tensesA, tensesB, samples, adjective, adverb;
    for (CTextBuffer* text : {&plural, &tensesA, &tensesB, &samples, &adjective, &adverb}) {
        text->SetByteCeiling(textCeiling_);
    }
    for (int i = 0; i < count; ++i) {
        uint8_t kind = lcv::RefKind(refs[i]);
        if (kind < lcv::ENTRY_PLURAL || kind > lcv::ENTRY_PRONUNCIATION) {
            continue;
        }
        uint32_t length = 0;
        const char* field = blocks_->ReadRecord(lcv::RefPosition(refs[i]), &length);
        if (field == nullptr || length == 0) {
            continue;
        }
        std::string_view form(field, length);
        switch (kind) {
            case lcv::ENTRY_PLURAL:
            case lcv::ENTRY_PLURAL2:
                forms_.Add(field, static_cast<int>(length));
                AppendAll(&plural, {plural.Length() == 0 ? "Plural: " : ", ", form});
                break;
            case lcv::ENTRY_PAST:
                forms_.Add(field, static_cast<int>(length));
                AppendAll(&tensesA, {tensesA.Length() == 0 ? "" : "/", form});
                break;
            case lcv::ENTRY_PAST_PARTICIPLE:
                forms_.Add(field, static_cast<int>(length));
                AppendAll(&tensesB, {tensesB.Length() == 0 ? "" : "/", form});
                break;
            case lcv::ENTRY_VERB_SAMPLE:
                AppendSampleFrame(&samples, field, length, headword_);
                break;
            case lcv::ENTRY_ADJ_FORM:
            case lcv::ENTRY_ADJ_FORM2:
                forms_.Add(field, static_cast<int>(length));
                AppendAll(&adjective, {adjective.Length() == 0 ? "comparative: " : ", ", form});
                break;
            case lcv::ENTRY_ADV_FORM:
            case lcv::ENTRY_ADV_FORM2:
                forms_.Add(field, static_cast<int>(length));
                AppendAll(&adverb, {adverb.Length() == 0 ? "comparative: " : ", ", form});
                break;
            case lcv::ENTRY_PRONUNCIATION:
                sink_(context_, field, static_cast<int>(length), RENDER_PRONUNCIATION);
                break;
            default:
                break;  // 0xE3, 0xE6, 0xE7: passed over
        }
    }
    StoreNotes(&plural, &tensesA, &tensesB, &samples, &adjective, &adverb);
}

void CHtmlEntryRenderer::StoreNotes(CTextBuffer* plural, CTextBuffer* tensesA, CTextBuffer* tensesB,
                                    CTextBuffer* samples, CTextBuffer* adjective,
                                    CTextBuffer* adverb) {
    auto store = [this](CTextBuffer* text) {
        if (text->Length() == 0) {
            return -1;
        }
        return sink_(context_, text->Data(), static_cast<int>(text->Length()), RENDER_NOTE);
    };
    plural->ToLower();
    nounNote_ = store(plural);

    CTextBuffer verb;
    verb.SetByteCeiling(textCeiling_);
    if (tensesA->Length() > 0 && tensesB->Length() > 0) {
        tensesA->ToLower();
        tensesB->ToLower();
        AppendAll(&verb, {"Tenses: ", View(*tensesA), ", ", View(*tensesB)});
    }
    if (samples->Length() > 0) {
        AppendAll(&verb, {verb.Length() > 0 ? "<br>" : "", "Sample:<br>", View(*samples)});
    }
    verbNote_ = store(&verb);

    adjective->ToLower();
    adjectiveNote_ = store(adjective);
    adverb->ToLower();
    adverbNote_ = store(adverb);
}

bool CHtmlEntryRenderer::RenderSense(uint32_t position, int entryIndex) {
    if (!OpenItem()) {
        return false;
    }
    CWordList synonyms;
    uint32_t headword = 0;
    uint32_t glossAt = ReadSynsetWords(position, 0, 0, &synonyms, &headword);
    uint32_t length = 0;
    const char* gloss = blocks_->ReadRecord(glossAt, &length);
    if (gloss == nullptr) {
        length = 0;
    }
    if (!RenderGloss(gloss, length, true)) {
        return false;
    }
    Relation relation;
    if (headword > 0 && gloss != nullptr &&
        ReadRelations(glossAt + length + 1, headword, &relation, 1) > 0) {
        char index[16];
        std::snprintf(index, sizeof index, "%d", entryIndex);
        scratch_.Reset();
        if (AppendAll(&scratch_, {"&nbsp;<a href=\"", headword_, ":", index,
                                  "\"><img src=link.gif border=0></a>"}) &&
            !Emit(scratch_.Data(), scratch_.Length())) {
            return false;
        }
    }
    return RenderSynonyms(synonyms);
}

bool CHtmlEntryRenderer::RenderSynonyms(const CWordList& synonyms) {
    int count = synonyms.Count();
    if (count == 0) {
        Emit("<br><img src=pixel.gif width=1 height=2>");
        return true;
    }
    Emit(
        "<table cellspacing=2 cellpadding=0><tr><td valign=top><small><font "
        "color=007070>&nbsp;syn. </font></small></td><td valign=top><small>");
    for (int i = 0; i < count; ++i) {
        if (!EmitWordLink(synonyms.At(i), i + 1 == count)) {
            return false;
        }
    }
    Emit("</small></td></tr></table> ");
    return true;
}

bool CHtmlEntryRenderer::RenderLinksPage(uint32_t position) {
    if (!Emit("<b>Word Links<br>") || !EmitWordLink(headword_, true) || !Emit("</b>: ")) {
        return false;
    }
    CWordList synonyms;
    uint32_t headword = 0;
    uint32_t glossAt = ReadSynsetWords(position, 0, 0, &synonyms, &headword);
    uint32_t length = 0;
    const char* gloss = blocks_->ReadRecord(glossAt, &length);
    if (gloss == nullptr) {
        length = 0;
    }
    if (!RenderGloss(gloss, length, false)) {
        return false;
    }
    if (headword == 0) {
        return true;
    }
    Relation relations[RENDER_MAX_RELATIONS];
    int count = gloss != nullptr
                    ? ReadRelations(glossAt + length + 1, headword, relations, RENDER_MAX_RELATIONS)
                    : 0;
    Emit("<br><img src=pixel.gif width=1 height=4><br>");
    if (synonyms.Count() > 0) {
        Emit("<b>");
        Emit(KindLabel(0x88));
        Emit("</b>");
        OpenList(false);
        OpenItem();
        for (int i = 0; i < synonyms.Count(); ++i) {
            EmitWordLink(synonyms.At(i), i + 1 == synonyms.Count());
        }
        CloseList();
    }
    RenderRelationGroups(relations, count);
    return true;
}

void CHtmlEntryRenderer::RenderRelationGroups(const Relation* relations, int count) {
    // Each entry is the relation kind byte followed by a word, so sorting groups by kind and
    // orders the words of a group byte-wise; the list drops a word met twice under one kind.
    CWordList words;
    for (int i = 0; i < count; ++i) {
        uint32_t ignored = 0;
        ReadSynsetWords(relations[i].target, relations[i].targetWord, relations[i].kind, &words,
                        &ignored);
    }
    words.Sort();
    int total = words.Count();
    uint8_t current = 0;
    for (int i = 0; i < total; ++i) {
        const char* entry = words.At(i);
        uint8_t kind = static_cast<uint8_t>(entry[0]);
        if (kind != current) {
            if (current != 0) {
                CloseList();
            }
            Emit("<b>");
            Emit(KindLabel(kind));
            Emit("</b>");
            OpenList(false);
            OpenItem();
            current = kind;
        }
        bool last = i + 1 == total || static_cast<uint8_t>(words.At(i + 1)[0]) != kind;
        EmitWordLink(entry + 1, last);
    }
    if (current != 0) {
        CloseList();
    }
}

uint32_t CHtmlEntryRenderer::ReadSynsetWords(uint32_t position, uint32_t target, uint8_t prefix,
                                             CWordList* list, uint32_t* headword) {
    *headword = 0;
    uint32_t word = 0;
    while (word < kMaxSynsetWords) {
        uint32_t length = 0;
        const char* field = blocks_->ReadRecord(position, &length);
        if (field == nullptr) {
            return position;
        }
        char end = field[length];
        if (end == lcv::kFieldFf) {
            return position;  // the gloss field: it ends the word list without being a word
        }
        ++word;
        if (length > 0 && (target == 0 || word == target)) {
            if (EqualsIgnoringCase(field, length, headword_)) {
                if (*headword == 0) {
                    *headword = word;
                }
            } else if (prefix == 0) {
                list->Add(field, static_cast<int>(length));
            } else {
                char kind = static_cast<char>(prefix);
                scratch_.Reset();
                if (AppendAll(&scratch_, {std::string_view(&kind, 1), {field, length}})) {
                    list->Add(scratch_.Data(), static_cast<int>(scratch_.Length()));
                }
            }
        }
        position += length + 1;
        if (end == lcv::kFieldLf || (target != 0 && word == target)) {
            break;
        }
    }
    return position;
}

int CHtmlEntryRenderer::ReadRelations(uint32_t position, uint32_t source, Relation* out, int max) {
    int count = 0;
    for (uint32_t at = position; count < max && at < lcv::kMaxTextStream;
         at += lcv::kRelationEntrySize) {
        uint8_t kind = blocks_->ReadByte(at, true);
        if ((kind & 0x80) == 0) {
            break;
        }
        uint8_t b[5];
        for (uint32_t k = 0; k < 5; ++k) {
            b[k] = blocks_->ReadByte(at + 1 + k, true);
        }
        if (b[4] == 0 || b[4] == source) {
            out[count++] = {kind, uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16),
                            b[3], b[4]};
        }
    }
    return count;
}

bool CHtmlEntryRenderer::RenderGloss(const char* text, size_t length, bool showSamples) {
    if (text == nullptr) {
        text = "";
        length = 0;
    }
    const char* end = text + length;
    const char* dollar = static_cast<const char*>(std::memchr(text, '$', length));
    const char* definitionEnd = dollar != nullptr ? dollar : end;
    if (!EmitGlossText(text, static_cast<size_t>(definitionEnd - text))) {
        return false;
    }
    if (!showSamples) {
        return true;
    }
    for (const char* segment = definitionEnd; segment < end;) {
        ++segment;  // past the "$"
        const char* next =
            static_cast<const char*>(std::memchr(segment, '$', static_cast<size_t>(end - segment)));
        const char* segmentEnd = next != nullptr ? next : end;
        size_t segmentLength = static_cast<size_t>(segmentEnd - segment);
        if (ContainsForm(segment, segmentLength)) {
            Emit(" \x95 <i><font color=006020>");
            EmitGlossText(segment, segmentLength);
            Emit("</font></i> ");
        }
        segment = segmentEnd;
    }
    return true;
}

bool CHtmlEntryRenderer::EmitGlossText(const char* text, size_t length) {
    // A "$" of the dictionary's own text is stored as another byte, since "$" starts a sample.
    const char* end = text + length;
    const char* run = text;
    for (const char* p = text; p < end; ++p) {
        if (static_cast<uint8_t>(*p) == lcv::kGlossLiteralDollar) {
            if ((p > run && !Emit(run, static_cast<size_t>(p - run))) || !Emit("$")) {
                return false;
            }
            run = p + 1;
        }
    }
    // The last run; an empty gloss is still one emission, so a refusal is seen.
    if (end > run || run == text) {
        return Emit(run, static_cast<size_t>(end - run));
    }
    return true;
}

bool CHtmlEntryRenderer::ContainsForm(const char* text, size_t length) const {
    std::string_view segment(text, length);
    for (int i = 0; i < forms_.Count(); ++i) {
        if (segment.find(forms_.At(i)) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool CHtmlEntryRenderer::EmitWordLink(const char* word, bool last) {
    scratch_.Reset();
    if (!AppendAll(&scratch_, {"<a href=\"", word, "\">", word, last ? "</a>" : "</a>, "})) {
        return true;  // no memory for the link: its text is lost, the page goes on
    }
    return Emit(scratch_.Data(), scratch_.Length());
}

bool CHtmlEntryRenderer::Emit(const char* text) {
    return sink_(context_, text, -1, RENDER_HTML) != 0;
}

bool CHtmlEntryRenderer::Emit(const char* text, size_t length) {
    return sink_(context_, text, static_cast<int>(length), RENDER_HTML) != 0;
}

bool CHtmlEntryRenderer::OpenList(bool ordered) {
    listItems_ = 0;
    listOrdered_ = ordered;
    listOpen_ = true;
    return Emit(ordered ? "<ol>" : "<ul>");
}

bool CHtmlEntryRenderer::OpenItem() {
    ++listItems_;
    return Emit("<li>");
}

void CHtmlEntryRenderer::CloseList() {
    Emit(listOrdered_ ? "</ol>" : "</ul>");
    listOpen_ = false;
}
