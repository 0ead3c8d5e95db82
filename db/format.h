#pragma once

// Constants and byte coding of the wordnet.lcv container and of *.dwg word-list files.
// The layout is written up once in db/FORMAT.md; the reader classes and the writer
// (CDatabaseWriter) share only what is here.

#include <cstdint>
#include <vector>

namespace lcv {

// Header (64 bytes at offset 0).
constexpr uint32_t kMagic = 0x98AA;
constexpr uint32_t kHeaderSize = 64;
constexpr uint32_t kHeaderTrieOffset = 4;
constexpr uint32_t kHeaderPrefixOffset = 8;
constexpr uint32_t kHeaderDirectoryOffset = 12;
constexpr uint32_t kHeaderDataOffset = 16;
// Offset of the optional section directory; 0 in a file without optional sections.
constexpr uint32_t kHeaderSectionDirectory = 20;

// Optional section directory: a count, then per section a tag, an offset and a length.
constexpr uint32_t kSectionEntrySize = 12;
constexpr uint32_t kMaxSections = 64;
// A tag is four ASCII bytes as they stand in the file, first byte least significant.
constexpr uint32_t MakeTag(const char (&name)[5]) {
    return uint32_t{static_cast<uint8_t>(name[0])} |
           (uint32_t{static_cast<uint8_t>(name[1])} << 8) |
           (uint32_t{static_cast<uint8_t>(name[2])} << 16) |
           (uint32_t{static_cast<uint8_t>(name[3])} << 24);
}
constexpr uint32_t kTagUseCounts = MakeTag("FREQ");
constexpr uint32_t kTagMeaning = MakeTag("MEAN");

// Use-count section: a count K, then K pairs (word number, use count), word numbers strictly
// ascending.
constexpr uint32_t kUseCountPairSize = 8;

// Meaning index section (db/FORMAT.md): a header of ten 32-bit words, then the term table
// (per term: string offset, postings offset, document frequency), the term strings, the
// postings, the document table (per document: offset of its record) and the document records.
constexpr uint32_t kMeaningMagic = MakeTag("MIX1");
constexpr uint32_t kMeaningHeaderSize = 40;
constexpr uint32_t kMeaningTermEntrySize = 12;
// A posting is one variable-length number: the document's distance from the previous one
// (from -1 for the first) shifted left by this many bits, and below them the term's weighted
// count in the document, capped at the largest value the bits hold.
constexpr uint32_t kMeaningCountBits = 4;
constexpr uint32_t kMeaningMaxCount = (1u << kMeaningCountBits) - 1;
// Weights of a term's occurrences: in the sense's own text (gloss, samples, synonyms) and in
// the gloss of a broader sense (its hypernyms).
constexpr uint32_t kMeaningOwnWeight = 2;
constexpr uint32_t kMeaningBroaderWeight = 1;

// Variable-length numbers: seven bits a byte, least significant first, the high bit set on
// every byte but the last.
inline void AppendVarint(std::vector<uint8_t>* out, uint32_t v) {
    while (v >= 0x80) {
        out->push_back(static_cast<uint8_t>(v | 0x80));
        v >>= 7;
    }
    out->push_back(static_cast<uint8_t>(v));
}
// Reads a number at *p, not past end; false (and *p unchanged) when it runs past end or over
// 32 bits.
inline bool ReadVarint(const uint8_t** p, const uint8_t* end, uint32_t* v) {
    uint32_t value = 0;
    const uint8_t* q = *p;
    for (int shift = 0; shift <= 28 && q < end; shift += 7) {
        uint8_t b = *q++;
        value |= uint32_t{static_cast<uint8_t>(b & 0x7F)} << shift;
        if ((b & 0x80) == 0) {
            *v = value;
            *p = q;
            return true;
        }
    }
    return false;
}

// Compressed text stream.
constexpr uint32_t kBlockSize = 4096;
constexpr uint32_t kBlockShift = 12;
constexpr uint32_t kMaxTextStream = 1u << 24;  // record positions are 24 bits
// The largest compressed block that can inflate to kBlockSize bytes: zlib's own bound for
// stored (uncompressible) data, with room to spare. Anything larger is damage.
constexpr uint32_t kMaxCompressedBlock = 2 * kBlockSize;

// Word trie.
constexpr uint32_t kTrieTrailer = 0x1100FAFA;
constexpr uint32_t kNodeTerminal = 0x800000;
constexpr uint32_t kNodeLastSibling = 0x400000;
constexpr uint32_t kNodeChildMask = 0x3FFFFF;
constexpr uint32_t kEntryRefFlag = 0x80000000u;
constexpr uint32_t kMaxWordLength = 128;
constexpr uint32_t kMaxChildIndex = kNodeChildMask;  // child indexes are below 2^22

// Prefix table.
constexpr uint32_t kPrefixSlots = 1024;

inline uint8_t NodeChar(uint32_t w) {
    return static_cast<uint8_t>(w >> 24);
}
inline bool NodeTerminal(uint32_t w) {
    return (w & kNodeTerminal) != 0;
}
inline bool NodeLast(uint32_t w) {
    return (w & kNodeLastSibling) != 0;
}
inline uint32_t NodeChild(uint32_t w) {
    return w & kNodeChildMask;
}
inline bool IsEntryRef(uint32_t w) {
    return (w & kEntryRefFlag) != 0;
}
inline uint32_t MakeNode(uint8_t c, bool terminal, bool last, uint32_t child) {
    return (uint32_t{c} << 24) | (terminal ? kNodeTerminal : 0) | (last ? kNodeLastSibling : 0) |
           (child & kNodeChildMask);
}

// Entry references: kind in bits 31..24, record position in bits 23..0.
inline uint8_t RefKind(uint32_t ref) {
    return static_cast<uint8_t>(ref >> 24);
}
inline uint32_t RefPosition(uint32_t ref) {
    return ref & 0xFFFFFF;
}
inline uint32_t MakeRef(uint8_t kind, uint32_t position) {
    return (uint32_t{kind} << 24) | (position & 0xFFFFFF);
}

// Entry reference kinds.
enum EntryKind : uint8_t {
    ENTRY_NOUN = 0x81,
    ENTRY_VERB = 0x82,
    ENTRY_ADJECTIVE = 0x83,
    ENTRY_SATELLITE = 0x84,
    ENTRY_ADVERB = 0x85,
    ENTRY_REDIRECT = 0xE0,
    ENTRY_PLURAL = 0xE1,
    ENTRY_PLURAL2 = 0xE2,
    ENTRY_PAST = 0xE4,
    ENTRY_PAST_PARTICIPLE = 0xE5,
    ENTRY_VERB_SAMPLE = 0xE8,
    ENTRY_ADJ_FORM = 0xE9,
    ENTRY_ADJ_FORM2 = 0xEA,
    ENTRY_ADV_FORM = 0xEB,
    ENTRY_ADV_FORM2 = 0xEC,
    ENTRY_PRONUNCIATION = 0xED,
};

// Relation entries after a synset's gloss: 6 bytes each.
constexpr uint32_t kRelationEntrySize = 6;

// Field terminators in the text stream.
constexpr char kFieldCr = '\r';
constexpr char kFieldLf = '\n';
constexpr char kFieldFf = '\f';
// In a gloss field "$" starts a sample; a "$" of the dictionary's own text (money amounts) is
// stored as this byte (the currency sign of ISO-8859-1), which readers show as "$".
constexpr uint8_t kGlossLiteralDollar = 0xA4;
// A synset record's relation entries end with a byte below 0x80; the builder writes this one.
constexpr uint8_t kRelationListEnd = 0x0A;
inline bool IsFieldEnd(uint8_t b) {
    return b == 0x0A || b == 0x0C || b == 0x0D;
}

// Fixed-length numbers are little-endian: least-significant byte first.
inline uint32_t DecodeFixed32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline void EncodeFixed32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace lcv
