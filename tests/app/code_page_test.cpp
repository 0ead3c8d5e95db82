#include "app/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CodeCase {
    unsigned char code;
    char16_t ch;
};

// Both directions of every kind of code: ASCII, the Windows-1252 block, Latin-1, undefined.
constexpr CodeCase kCodes[] = {
    {0x00, 0x0000}, {'A', u'A'},    {0x7F, 0x007F}, {0x80, 0x20AC}, {0x95, 0x2022}, {0x96, 0x2013},
    {0x97, 0x2014}, {0x9F, 0x0178}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
    {0x9D, 0x009D}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
};

TEST(CodePageTest, EachCodeMapsBothWays) {
    for (const CodeCase& c : kCodes) {
        SCOPED_TRACE(static_cast<int>(c.code));
        EXPECT_EQ(CodePageCharToUtf16(c.code), c.ch);
        unsigned char back = 0;
        ASSERT_TRUE(Utf16CharToCodePage(c.ch, &back));
        EXPECT_EQ(back, c.code);
    }
}

// Every byte string survives 8-bit -> UTF-16 -> 8-bit unchanged.
TEST(CodePageTest, AllBytesRoundTrip) {
    std::string all;
    for (int i = 0; i < 256; ++i) {
        all.push_back(static_cast<char>(i));
    }
    bool lossy = true;
    EXPECT_EQ(Utf16ToCodePage(CodePageToUtf16(all), &lossy), all);
    EXPECT_FALSE(lossy);
}

struct LossCase {
    const char* name;
    std::u16string text;
    std::string expected;
};

TEST(CodePageTest, UnmappableCharactersBecomeOneDefaultCharEach) {
    const LossCase cases[] = {
        {"bullet and dash", u"\u2022 a \u2013 b", "\x95 a \x96 b"},
        {"C1 control without a 1252 code", u"a\u0080b", "a?b"},
        {"Greek letter", u"\u03b1\u03b2", "??"},
        {"IPA schwa", u"\u0259", "?"},
        {"surrogate pair is one character", u"x\U0001F600y", "x?y"},
        {"unpaired high surrogate", std::u16string(u"a") + char16_t(0xD800) + u"b", "a?b"},
        {"unpaired low surrogate", std::u16string(u"a") + char16_t(0xDC00), "a?"},
        {"high surrogate at the end", std::u16string(u"a") + char16_t(0xD83D), "a?"},
    };
    for (const LossCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool lossy = false;
        EXPECT_EQ(Utf16ToCodePage(c.text, &lossy), c.expected);
        EXPECT_EQ(lossy, c.expected.find('?') != std::string::npos);
    }
}

TEST(CodePageTest, EmptyTextStaysEmpty) {
    EXPECT_EQ(CodePageToUtf16(""), u"");
    EXPECT_EQ(Utf16ToCodePage(u""), "");
}

}  // namespace
