#pragma once

// The 8-bit IPA encoding of pronunciation texts (entry kind 0xED). One table, shared by the
// database builder (which encodes), the renderer's page and the displays (which decode):
//   - bytes 0x20..0x7E are ASCII and stand for themselves (the letters b d f h j k l m n p r
//     s t v w z a e i o u are their own IPA symbols; space and "-" separate the parts of a
//     multi-word lemma);
//   - the IPA symbols outside ASCII have the bytes 0x80 and above given by IpaTable();
//   - ":" is never a sound: the page shows a ":" in the plain font, so the length mark is
//     U+02D0 (its own byte), never the colon;
//   - LF, CR and FF (field terminators) and NUL are never part of an encoded text.
// The table is written out in db/FORMAT.md.

#include <cstddef>
#include <cstdint>
#include <string>

struct IpaSymbol {
    uint8_t byte;
    char32_t codePoint;
};

// The symbols of bytes 0x80 and above, in byte order; *count receives their number.
const IpaSymbol* IpaTable(size_t* count);

// The Unicode code point of one encoded byte: itself for ASCII 0x20..0x7E, the table's symbol
// for bytes of 0x80 and above, U+FFFD for bytes the encoding does not use.
char32_t IpaCodePoint(uint8_t byte);

// The byte of a code point, or -1 when the encoding has none for it.
int IpaByte(char32_t codePoint);

// Encodes code points; false (and *encoded unspecified) when one has no byte.
bool IpaEncode(const std::u32string& codePoints, std::string* encoded);

// A NUL-terminated encoded text as UTF-8, for terminals and displays. A null text gives "".
std::string IpaToUtf8(const char* encoded);
