// The builder's text pieces: gloss splitting with literal "$", ARPAbet to IPA, the IPA
// encoding table, and the word-form rules.

#include <gtest/gtest.h>

#include <set>

#include "db/format.h"
#include "render/ipa_encoding.h"
#include "tools/mkdb/arpabet_converter.h"
#include "tools/mkdb/gloss_splitter.h"
#include "tools/mkdb/word_forms.h"

namespace {

TEST(GlossSplitterTest, SplitsQuotedExamplesAndGivesWordNetsTextBack) {
    struct Case {
        const char* gloss;
        const char* definition;
        std::vector<std::string> samples;
    } cases[] = {
        {"a body of water", "a body of water", {}},
        {"a body of water; \"we swam in the lake\"; \"a deep lake\"",
         "a body of water",
         {"we swam in the lake", "a deep lake"}},
        // An attribution after the quote, quotes inside, a trailing ";": kept verbatim.
        {"greed; \"the greed of men\"- Bible", "greed", {"\"the greed of men\"- Bible"}},
        {"x; \"\"Hi,\" he said\"", "x", {"\"\"Hi,\" he said\""}},
        {"y; \"a sample\";", "y", {"\"a sample\";"}},
        // A quote in a gloss with no `; "` stays in the definition.
        {"the word \"lake\"", "the word \"lake\"", {}},
        {"money; \"he paid $100; \"roughly $3,000\"",
         "money",
         {"\"he paid $100", "roughly $3,000"}},
    };
    for (const Case& c : cases) {
        SplitGloss split = CGlossSplitter::Split(c.gloss);
        EXPECT_EQ(split.definition, c.definition) << c.gloss;
        EXPECT_EQ(split.samples, c.samples) << c.gloss;
        EXPECT_EQ(CGlossSplitter::Join(split), c.gloss);
        SplitGloss back = CGlossSplitter::FromField(CGlossSplitter::Field(split));
        EXPECT_EQ(back.definition, split.definition);
        EXPECT_EQ(back.samples, split.samples);
    }
}

TEST(GlossSplitterTest, ALiteralDollarNeverStartsASample) {
    std::string field =
        CGlossSplitter::Field(CGlossSplitter::Split("a mark ($) before amounts; \"it cost $5\""));
    EXPECT_EQ(field,
              "a mark (\xA4) before amounts$it cost \xA4"
              "5");
    EXPECT_EQ(lcv::kGlossLiteralDollar, 0xA4);
}

TEST(ArpabetConverterTest, GivesIpaWithStressBeforeItsSyllable) {
    struct Case {
        const char* phones;
        const char* ipa;
    } cases[] = {
        {"D IH1 K SH AH0 N EH2 R IY0", "\u02C8d\u026Ak\u0283\u0259\u02CCn\u025Bri"},
        {"AH0 B AW1 T", "\u0259\u02C8ba\u028At"},
        // "str" may begin a syllable, "kstr" may not.
        {"IH0 K S T R AO1 R D AH0 N EH2 R IY0", "\u026Ak\u02C8str\u0254rd\u0259\u02CCn\u025Bri"},
        {"B AH1 T ER0", "\u02C8b\u028Ct\u025A"},
        {"B ER1 D", "\u02C8b\u025Dd"},
        {"CH EY1 N JH", "\u02C8t\u0283e\u026And\u0292"},
        {"S IH1 NG ER0", "\u02C8s\u026A\u014B\u025A"},
        {"TH IH1 NG K", "\u02C8\u03B8\u026A\u014Bk"},
        {"AH0", "\u0259"},
    };
    for (const Case& c : cases) {
        std::string encoded, error;
        ASSERT_TRUE(CArpabetConverter::ToIpa(c.phones, &encoded, &error)) << c.phones << error;
        EXPECT_EQ(IpaToUtf8(encoded.c_str()), c.ipa) << c.phones;
        EXPECT_EQ(encoded.find(':'), std::string::npos);
    }
}

TEST(ArpabetConverterTest, RefusesUnknownPhonesAndVowelsWithoutStress) {
    for (const char* phones : {"K AE1 Q", "K AE T", "K1 AE1 T", ""}) {
        std::string encoded, error;
        EXPECT_FALSE(CArpabetConverter::ToIpa(phones, &encoded, &error)) << phones;
        EXPECT_FALSE(error.empty());
    }
}

TEST(IpaEncodingTest, TheTableAvoidsTerminatorsAndTheColonAndRoundTrips) {
    size_t count = 0;
    const IpaSymbol* table = IpaTable(&count);
    ASSERT_GT(count, 16u);
    std::set<char32_t> seen;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].byte, 0x80 + i);
        EXPECT_TRUE(seen.insert(table[i].codePoint).second);
        EXPECT_GE(table[i].codePoint, 0x80u);
        EXPECT_EQ(IpaCodePoint(table[i].byte), table[i].codePoint);
        EXPECT_EQ(IpaByte(table[i].codePoint), table[i].byte);
    }
    for (char32_t c : {U'\u0259', U'\u026A', U'\u028A', U'\u025B', U'\u00E6', U'\u0251', U'\u0254',
                       U'\u028C', U'\u014B', U'\u03B8', U'\u00F0', U'\u0283', U'\u0292', U'\u025D',
                       U'\u025A', U'\u02C8', U'\u02CC', U'\u02D0'}) {
        int byte = IpaByte(c);
        EXPECT_GE(byte, 0x80) << static_cast<unsigned>(c);
    }
    EXPECT_EQ(IpaByte(U'\u02D0') == ':', false);
    EXPECT_EQ(IpaCodePoint(0x0A), U'\uFFFD');
    EXPECT_EQ(IpaCodePoint(0xFF), U'\uFFFD');
    EXPECT_EQ(IpaByte(U'\u4E00'), -1);
    std::string encoded;
    ASSERT_TRUE(IpaEncode(U"\u02C8a\u026As \u02C8krim", &encoded));
    EXPECT_EQ(IpaToUtf8(encoded.c_str()), "\u02C8a\u026As \u02C8krim");
    EXPECT_EQ(IpaToUtf8(nullptr), "");
}

WordNetData Exceptions() {
    WordNetData data;
    data.exceptions[WN_NOUN] = {{"geese", {"goose"}}, {"axes", {"ax", "axis"}}};
    data.exceptions[WN_VERB] = {{"went", {"go"}},    {"gone", {"go"}},      {"was", {"be"}},
                                {"were", {"be"}},    {"been", {"be"}},      {"is", {"be"}},
                                {"sang", {"sing"}},  {"sung", {"sing"}},    {"singing", {"sing"}},
                                {"shown", {"show"}}, {"abetted", {"abet"}}, {"abetting", {"abet"}},
                                {"gave", {"give"}},  {"given", {"give"}},   {"spun", {"spin"}}};
    data.exceptions[WN_ADJ] = {{"best", {"good"}}, {"better", {"good"}}, {"acer", {"acer"}}};
    data.exceptions[WN_ADV] = {{"best", {"well"}}, {"better", {"well"}}};
    return data;
}

TEST(WordFormsTest, PluralsFromTheExceptionsOrTheRegularRule) {
    WordNetData data = Exceptions();
    CWordForms forms(data);
    struct Case {
        const char* lemma;
        bool capitalised;
        std::vector<std::string> plurals;
    } cases[] = {
        {"box", false, {"boxes"}},    {"city", false, {"cities"}},
        {"boy", false, {"boys"}},     {"glass", false, {"glasses"}},
        {"bus", false, {"buses"}},    {"church", false, {"churches"}},
        {"physics", false, {}},       {"fireman", false, {"firemen"}},
        {"human", false, {"humans"}}, {"ice cream", false, {"ice creams"}},
        {"goose", false, {"geese"}},  {"snow goose", false, {"snow geese"}},
        {"ax", false, {"axes"}},      {"paris", true, {}},
        {".22", false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(forms.Plurals(c.lemma, c.capitalised), c.plurals) << c.lemma;
    }
}

TEST(WordFormsTest, PastAndParticipleFromTheExceptionsOrTheRegularRule) {
    WordNetData data = Exceptions();
    CWordForms forms(data);
    struct Case {
        const char* lemma;
        std::vector<std::string> past, participle;
    } cases[] = {
        {"walk", {"walked"}, {"walked"}},
        {"try", {"tried"}, {"tried"}},
        {"use", {"used"}, {"used"}},
        {"play", {"played"}, {"played"}},
        {"go", {"went"}, {"gone"}},
        {"be", {"was", "were"}, {"been"}},
        {"sing", {"sang"}, {"sung"}},
        {"show", {"showed"}, {"shown"}},
        {"abet", {"abetted"}, {"abetted"}},
        {"spin", {"spun"}, {"spun"}},
        {"give up", {"gave up"}, {"given up"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> past, participle;
        forms.Tenses(c.lemma, &past, &participle);
        EXPECT_EQ(past, c.past) << c.lemma;
        EXPECT_EQ(participle, c.participle) << c.lemma;
    }
}

TEST(WordFormsTest, ComparisonFormsOnlyFromTheExceptionFiles) {
    WordNetData data = Exceptions();
    CWordForms forms(data);
    EXPECT_EQ(forms.Comparisons("good", WN_ADJ), (std::vector<std::string>{"better", "best"}));
    EXPECT_EQ(forms.Comparisons("well", WN_ADV), (std::vector<std::string>{"better", "best"}));
    EXPECT_TRUE(forms.Comparisons("tall", WN_ADJ).empty());
    EXPECT_TRUE(forms.Comparisons("acer", WN_ADJ).empty());  // a form equal to its base
}

}  // namespace
