#include "render/ipa_encoding.h"

#include "app/code_page.h"

namespace {

// Bytes 0x80 and above. The first rows are the sounds of American English as CMUdict gives
// them; the rest cover the symbols a pronunciation may need beyond those.
constexpr IpaSymbol kTable[] = {
    {0x80, U'\u0251'},  // ɑ  open back unrounded (father)
    {0x81, U'\u00E6'},  // æ  near-open front (cat)
    {0x82, U'\u028C'},  // ʌ  stressed mid central (cut)
    {0x83, U'\u0259'},  // ə  schwa (about)
    {0x84, U'\u0254'},  // ɔ  open-mid back rounded (thought)
    {0x85, U'\u028A'},  // ʊ  near-close back (foot)
    {0x86, U'\u025B'},  // ɛ  open-mid front (bed)
    {0x87, U'\u025D'},  // ɝ  stressed r-coloured (bird)
    {0x88, U'\u025A'},  // ɚ  unstressed r-coloured (butter)
    {0x89, U'\u026A'},  // ɪ  near-close front (bit)
    {0x8A, U'\u0283'},  // ʃ  (ship)
    {0x8B, U'\u0292'},  // ʒ  (measure)
    {0x8C, U'\u03B8'},  // θ  (thin)
    {0x8D, U'\u00F0'},  // ð  (this)
    {0x8E, U'\u014B'},  // ŋ  (sing)
    {0x8F, U'\u02C8'},  // ˈ  primary stress
    {0x90, U'\u02CC'},  // ˌ  secondary stress
    {0x91, U'\u02D0'},  // ː  length
    {0x92, U'\u0279'},  // ɹ
    {0x93, U'\u0261'},  // ɡ
    {0x94, U'\u0252'},  // ɒ
    {0x95, U'\u025C'},  // ɜ
    {0x96, U'\u0250'},  // ɐ
    {0x97, U'\u0294'},  // ʔ
    {0x98, U'\u027E'},  // ɾ
    {0x99, U'\u026B'},  // ɫ
    {0x9A, U'\u02A4'},  // ʤ
    {0x9B, U'\u02A7'},  // ʧ
    {0x9C, U'\u02D1'},  // ˑ  half length
    {0x9D, U'\u0268'},  // ɨ
    {0x9E, U'\u0289'},  // ʉ
    {0x9F, U'\u026F'},  // ɯ
    {0xA0, U'\u00F8'},  // ø
    {0xA1, U'\u0153'},  // œ
    {0xA2, U'\u0275'},  // ɵ
    {0xA3, U'\u028F'},  // ʏ
    {0xA4, U'\u00E7'},  // ç
    {0xA5, U'\u03C7'},  // χ
    {0xA6, U'\u0263'},  // ɣ
    {0xA7, U'\u03B2'},  // β
    {0xA8, U'\u0272'},  // ɲ
    {0xA9, U'\u028E'},  // ʎ
    {0xAA, U'\u026C'},  // ɬ
    {0xAB, U'\u0281'},  // ʁ
    {0xAC, U'\u0303'},  // combining tilde (nasal)
    {0xAD, U'\u0329'},  // combining vertical line below (syllabic)
};
constexpr size_t kTableSize = sizeof(kTable) / sizeof(kTable[0]);
constexpr char32_t kReplacement = U'\uFFFD';

}  // namespace

const IpaSymbol* IpaTable(size_t* count) {
    *count = kTableSize;
    return kTable;
}

char32_t IpaCodePoint(uint8_t byte) {
    if (byte >= 0x20 && byte < 0x7F) {
        return byte;
    }
    if (byte >= 0x80 && byte - 0x80u < kTableSize) {
        return kTable[byte - 0x80].codePoint;
    }
    return kReplacement;
}

int IpaByte(char32_t codePoint) {
    if (codePoint >= 0x20 && codePoint < 0x7F) {
        return static_cast<int>(codePoint);
    }
    for (const IpaSymbol& symbol : kTable) {
        if (symbol.codePoint == codePoint) {
            return symbol.byte;
        }
    }
    return -1;
}

bool IpaEncode(const std::u32string& codePoints, std::string* encoded) {
    encoded->clear();
    for (char32_t c : codePoints) {
        int byte = IpaByte(c);
        if (byte < 0) {
            return false;
        }
        encoded->push_back(static_cast<char>(byte));
    }
    return true;
}

std::string IpaToUtf8(const char* encoded) {
    std::string out;
    if (encoded == nullptr) {
        return out;
    }
    for (const char* p = encoded; *p != '\0'; ++p) {
        AppendUtf8(IpaCodePoint(static_cast<uint8_t>(*p)), &out);
    }
    return out;
}
