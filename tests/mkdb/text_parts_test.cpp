// The builder's text pieces: gloss splitting with literal "$", ARPAbet to IPA, espeak-ng's IPA
// to ARPAbet, CMUdict's heteronyms, the IPA encoding table, the inflection lists' JSON and the
// word-form rules.

#include <gtest/gtest.h>

#include <set>

#include "db/format.h"
#include "render/ipa_encoding.h"
#include "tools/mkdb/arpabet_converter.h"
#include "tools/mkdb/cmu_dict.h"
#include "tools/mkdb/espeak_ipa_converter.h"
#include "tools/mkdb/gloss_splitter.h"
#include "tools/mkdb/inflection_source.h"
#include "tools/mkdb/json_file.h"
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
        // A quotation's author follows an em dash; a remark in parentheses stays after it.
        {"greed; \"the greed of men\"- Bible", "greed", {"the greed of men \x97 Bible"}},
        {"tea; \"a cup of tea\" (British)", "tea", {"a cup of tea (British)"}},
        // Quotes inside, a trailing ";": kept verbatim.
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
    data.exceptions[WN_NOUN] = {
        {"geese", {"goose"}}, {"axes", {"ax", "axis"}}, {"data", {"datum"}}, {"bodies", {"body"}}};
    data.exceptions[WN_VERB] = {
        {"went", {"go"}},      {"gone", {"go"}},           {"was", {"be"}},
        {"were", {"be"}},      {"been", {"be"}},           {"is", {"be"}},
        {"sang", {"sing"}},    {"sung", {"sing"}},         {"singing", {"sing"}},
        {"shown", {"show"}},   {"abetted", {"abet"}},      {"abetting", {"abet"}},
        {"gave", {"give"}},    {"given", {"give"}},        {"spun", {"spin"}},
        {"ran", {"run"}},      {"came", {"come"}},         {"misled", {"mislead"}},
        {"dreamt", {"dream"}}, {"overcame", {"overcome"}}, {"hanged", {"hang"}},
        {"wrought", {"work"}}, {"smote", {"smite"}},       {"smitten", {"smite"}}};
    data.exceptions[WN_ADJ] = {{"best", {"good"}}, {"better", {"good"}}, {"acer", {"acer"}}};
    data.exceptions[WN_ADV] = {{"best", {"well"}}, {"better", {"well"}}};
    return data;
}

// A few entries of the inflection lists, as the npm packages give them.
CInflectionSource Lists() {
    CInflectionSource source;
    source.AddVerb("run", {{"ran", "run"}});
    source.AddVerb("come", {{"came", "come"}});
    source.AddVerb("set", {{"set", "set"}});
    source.AddVerb("read", {{"read", "read"}});
    source.AddVerb("take", {{"took", "taken"}});
    source.AddVerb("lead", {{"led", "led"}});
    source.AddVerb("get", {{"got", "gotten"}, {"got", "got"}});
    source.AddVerb("dream", {{"dreamed", "dreamed"}, {"dreamt", "dreamt"}});
    source.AddVerb("hang", {{"hung", "hung"}});
    source.AddVerb("sit", {{"sat", "sat"}});
    source.AddDoubled("zigzag");
    source.AddPlural("sheep", "sheep");
    source.AddPlural("person", "people");
    source.AddPlural("criterion", "criteria");
    source.AddPlural("water", "water");
    return source;
}

// Stress from CMUdict decides doubling and syllables.
CCmuDict Stresses() {
    CCmuDict cmu;
    std::string error;
    for (auto [word, phones] :
         std::vector<std::pair<const char*, const char*>>{{"admit", "AH0 D M IH1 T"},
                                                          {"visit", "V IH1 Z IH0 T"},
                                                          {"open", "OW1 P AH0 N"},
                                                          {"stop", "S T AA1 P"},
                                                          {"tall", "T AO1 L"},
                                                          {"happy", "HH AE1 P IY0"},
                                                          {"beautiful", "B Y UW1 T AH0 F AH0 L"},
                                                          {"large", "L AA1 R JH"},
                                                          {"fast", "F AE1 S T"},
                                                          {"worked", "W ER1 K T"}}) {
        EXPECT_TRUE(cmu.Add(word, phones, &error)) << error;
    }
    return cmu;
}

TEST(WordFormsTest, PluralsFromTheListsTheExceptionsTheHeadOrTheRule) {
    WordNetData data = Exceptions();
    CInflectionSource lists = Lists();
    CWordForms forms(data, &lists, nullptr);
    struct Case {
        const char* lemma;
        bool capitalised;
        std::vector<std::string> plurals;
    } cases[] = {
        {"box", false, {"boxes"}},
        {"city", false, {"cities"}},
        {"boy", false, {"boys"}},
        {"glass", false, {"glasses"}},
        {"bus", false, {"buses"}},
        {"church", false, {"churches"}},
        {"physics", false, {}},
        {"fireman", false, {"firemen"}},
        {"human", false, {"humans"}},
        {"ice cream", false, {"ice creams"}},
        {"goose", false, {"geese"}},
        {"snow goose", false, {"snow geese"}},
        {"ax", false, {"axes"}},
        {"paris", true, {}},
        {".22", false, {}},
        // Irregular and zero plurals from the lists; a plural itself has none.
        {"person", false, {"people"}},
        {"criterion", false, {"criteria"}},
        {"sheep", false, {"sheep"}},
        {"data", false, {}},
        {"people", false, {}},
        // The head of a compound noun takes the plural.
        {"body of water", false, {"bodies of water"}},
        {"point of view", false, {"points of view"}},
        {"head of state", false, {"heads of state"}},
        {"mother-in-law", false, {"mothers-in-law"}},
        {"passer-by", false, {"passers-by"}},
        {"attorney general", false, {"attorneys general"}},
        {"commander in chief", false, {"commanders in chief"}},
        {"good-for-nothing", false, {"good-for-nothings"}},
        {"drive-in", false, {"drive-ins"}},
        {"sheep dog", false, {"sheep dogs"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(forms.Plurals(c.lemma, c.capitalised), c.plurals) << c.lemma;
    }
}

TEST(WordFormsTest, PastAndParticipleFromTheListsTheExceptionsOrTheRules) {
    WordNetData data = Exceptions();
    CInflectionSource lists = Lists();
    CCmuDict cmu = Stresses();
    CWordForms forms(data, &lists, &cmu);
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
        // Past and participle told apart by the lists, forms equal to the base included.
        {"run", {"ran"}, {"run"}},
        {"come", {"came"}, {"come"}},
        {"set", {"set"}, {"set"}},
        {"read", {"read"}, {"read"}},
        {"take off", {"took off"}, {"taken off"}},
        {"walk in", {"walked in"}, {"walked in"}},
        {"get", {"got"}, {"got", "gotten"}},
        {"dream", {"dreamed", "dreamt"}, {"dreamed", "dreamt"}},
        {"baby-sit", {"baby-sat"}, {"baby-sat"}},
        // A prefixed verb as its stem, when verb.exc confirms it.
        {"mislead", {"misled"}, {"misled"}},
        // verb.exc's own forms are kept beside the lists'.
        {"hang", {"hung", "hanged"}, {"hung", "hanged"}},
        // A verb the lists lack keeps verb.exc's forms after its regular past, when CMUdict
        // knows that as a word.
        {"work", {"worked", "wrought"}, {"worked", "wrought"}},
        {"smite", {"smote"}, {"smitten"}},
        // Doubling after a stressed short vowel, with CMUdict's stress.
        {"stop", {"stopped"}, {"stopped"}},
        {"admit", {"admitted"}, {"admitted"}},
        {"visit", {"visited"}, {"visited"}},
        {"open", {"opened"}, {"opened"}},
        {"rain", {"rained"}, {"rained"}},
        {"fix", {"fixed"}, {"fixed"}},
        {"zigzag", {"zigzagged"}, {"zigzagged"}},
        {"panic", {"panicked"}, {"panicked"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> past, participle;
        forms.Tenses(c.lemma, &past, &participle);
        EXPECT_EQ(past, c.past) << c.lemma;
        EXPECT_EQ(participle, c.participle) << c.lemma;
    }
}

TEST(WordFormsTest, ComparisonForGradableShortAdjectivesAndTheirAdverbs) {
    WordNetData data = Exceptions();
    CInflectionSource lists = Lists();
    CCmuDict cmu = Stresses();
    CWordForms forms(data, &lists, &cmu);
    using Forms = std::vector<std::string>;
    struct Case {
        const char* lemma;
        int file;
        bool gradable;
        Forms forms;
    } cases[] = {
        {"good", WN_ADJ, true, {"better", "best"}},
        {"well", WN_ADV, true, {"better", "best"}},
        {"good", WN_ADV, true, {"better", "best"}},
        {"far", WN_ADJ, true, {"farther", "further", "farthest", "furthest"}},
        {"acer", WN_ADJ, true, {}},  // its exc line equals its base; two syllables
        {"tall", WN_ADJ, true, {"taller", "tallest"}},
        {"big", WN_ADJ, true, {"bigger", "biggest"}},
        {"happy", WN_ADJ, true, {"happier", "happiest"}},
        {"large", WN_ADJ, true, {"larger", "largest"}},
        {"new", WN_ADJ, true, {"newer", "newest"}},
        {"fast", WN_ADV, true, {"faster", "fastest"}},
        {"beautiful", WN_ADJ, true, {}},
        {"important", WN_ADJ, true, {}},
        {"main", WN_ADJ, true, {}},
        {"whole", WN_ADJ, true, {}},
        {"fifth", WN_ADJ, true, {}},
        {"bored", WN_ADJ, true, {}},
        {"tall", WN_ADJ, false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(forms.Comparisons(c.lemma, c.file, c.gradable), c.forms) << c.lemma;
    }
    EXPECT_TRUE(forms.IsParticiple("set"));
    EXPECT_TRUE(forms.IsParticiple("gone"));
    EXPECT_FALSE(forms.IsParticiple("tall"));
}

TEST(EspeakIpaConverterTest, GivesArpabetWithTheStressOnTheNextVowel) {
    struct Case {
        const char* ipa;
        const char* phones;
    } cases[] = {
        {"b\u0279\u02CC\u00E6ka\u026Asf\u02C8\u00E6l\u026Ak", "B R AE2 K AY0 S F AE1 L IH0 K"},
        {"\u0250b\u02C8\u00E6ft", "AH0 B AE1 F T"},
        {"n\u02CC\u0251\u02D0ns\u02C8\u028Ct\u0283", "N AA2 N S AH1 CH"},
        {"b\u02C8\u028C\u027E\u025A", "B AH1 T ER0"},
        {"b\u02C8\u025C\u02D0d", "B ER1 D"},
        {"h\u0259l\u02C8o\u028A", "HH AH0 L OW1"},
        {"\u02C8a\u026As k\u0279\u02C8i\u02D0m", "AY1 S K R IY1 M"},
        {"b\u02C8\u025C\u02D0\u0279d", "B ER1 D"},
        {"l\u02C8\u026At\u0259l\u0329", "L IH1 T AH0 AH0 L"},
    };
    for (const Case& c : cases) {
        std::string phones, error;
        ASSERT_TRUE(CEspeakIpaConverter::ToArpabet(c.ipa, &phones, &error)) << c.ipa << error;
        EXPECT_EQ(phones, c.phones) << c.ipa;
        std::string encoded;
        EXPECT_TRUE(CArpabetConverter::ToIpa(phones, &encoded, &error)) << phones << error;
    }
    for (const char* bad : {"", "\u02C8", "k\u4E00t"}) {
        std::string phones, error;
        EXPECT_FALSE(CEspeakIpaConverter::ToArpabet(bad, &phones, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(CmuDictTest, KeepsPronunciationsThatDifferInMoreThanStress) {
    CCmuDict cmu;
    std::string error;
    for (auto [word, phones] :
         std::vector<std::pair<const char*, const char*>>{{"read", "R IY1 D"},
                                                          {"read", "R EH1 D"},
                                                          {"record", "R EH1 K ER0 D"},
                                                          {"record", "R AH0 K AO1 R D"},
                                                          {"present", "P R EH1 Z AH0 N T"},
                                                          {"present", "P R EH0 Z AH0 N T"},
                                                          {"a", "AH0"},
                                                          {"a", "EY1"},
                                                          {"a", "AH1"},
                                                          {"a", "EY2"},
                                                          {"x", "EH1 K S"},
                                                          {"x", "EH1 K S IH0 Z"},
                                                          {"x", "EH1 K S AH0 Z"},
                                                          {"x", "EH1 K S T"}}) {
        ASSERT_TRUE(cmu.Add(word, phones, &error)) << error;
    }
    EXPECT_EQ(cmu.Distinct("read").size(), 2u);
    EXPECT_EQ(IpaToUtf8(cmu.Distinct("read")[1].c_str()), "\u02C8r\u025Bd");
    EXPECT_EQ(cmu.Distinct("record").size(), 2u);
    EXPECT_EQ(cmu.Distinct("present").size(), 1u);  // only the stress differs
    EXPECT_EQ(cmu.Distinct("a").size(), 2u);        // ə and ʌ differ only by stress in ARPAbet
    EXPECT_EQ(cmu.Distinct("x").size(), CCmuDict::kMaxPronunciations);
    EXPECT_TRUE(cmu.Distinct("missing").empty());
    EXPECT_EQ(*cmu.Stresses("record"), "10");
    EXPECT_FALSE(cmu.Add("bad", "B AE1 Q", &error));
}

TEST(JsonFileTest, ParsesInFileOrderAndNamesThePlaceOfAFault) {
    JsonValue value;
    std::string error;
    ASSERT_TRUE(ParseJson("{\"b\": [[\"x\", \"y\\\"z\"]],\n \"a\": \"\\u0041\"}", &value, &error))
        << error;
    ASSERT_EQ(value.size(), 2u);
    EXPECT_EQ(value.begin().key(), "b");  // the file's order, not sorted
    EXPECT_EQ(value["b"][0][1], "y\"z");
    EXPECT_EQ(value["a"], "A");
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"{\"a\":\n [\"x\"", "line 2, column 6"},
        {"[\"x\"] ]", "line 1, column 7"},
        {"\"open", "line 1, column 6"},
        {"{\"a\": tru}", "line 1, column 10"},
        {"", "line 1, column 1"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParseJson(c.text, &value, &error)) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << ": " << error;
        EXPECT_EQ(error.find("json.exception"), std::string::npos) << error;
    }
}

TEST(JsonFileTest, NamesTheFile) {
    JsonValue value;
    std::string error;
    EXPECT_FALSE(ReadJsonFile("/nonexistent/irregularVerbs.json", &value, &error));
    EXPECT_EQ(error, "/nonexistent/irregularVerbs.json: cannot be opened");
}

}  // namespace
