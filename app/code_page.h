#pragma once

// The program's 8-bit code page, Windows-1252, both ways. Dictionary words, page text and
// list files are 8-bit; the user interface works in UTF-16 and converts at this boundary.
//
// 8-bit to UTF-16 is total: ASCII maps to itself, 0x80-0x9F to the Windows-1252 characters
// (0x95 is U+2022 BULLET), 0xA0-0xFF to U+00A0-U+00FF. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as the
// platform's own conversion does, so that every byte string survives a round trip.
//
// UTF-16 to 8-bit writes CODE_PAGE_DEFAULT_CHAR ('?') for every character the code page does
// not hold: one '?' per character, so a surrogate pair (one character outside the BMP) gives
// one '?', and so does an unpaired surrogate.

#include <string>
#include <string_view>

inline constexpr char CODE_PAGE_DEFAULT_CHAR = '?';

// The UTF-16 character of one 8-bit code.
char16_t CodePageCharToUtf16(unsigned char code);

// The 8-bit code of one UTF-16 code unit; false when the code page does not hold it.
bool Utf16CharToCodePage(char16_t ch, unsigned char* code);

// The whole text, byte by byte.
std::u16string CodePageToUtf16(std::string_view text);

// The whole text as UTF-8, for files and terminals; the five undefined bytes (C1 controls,
// which no reader means) become "?".
std::string CodePageToUtf8(std::string_view text);

// Appends the UTF-8 bytes of one Unicode code point.
void AppendUtf8(char32_t c, std::string* out);

// The whole text; *lossy (when given) tells whether any character became the default char.
std::string Utf16ToCodePage(std::u16string_view text, bool* lossy = nullptr);
