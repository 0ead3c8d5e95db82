#include "app/memory_settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char KEY[] = "\\Software\\Brennovale\\Lexicove\\Settings";

// Each value kind can be read back only as itself.
TEST(MemorySettingsStoreTest, ValueReadsBackOnlyAsItsOwnKind) {
    CMemorySettingsStore store;
    const std::vector<uint8_t> bytes = {1, 2, 3};
    ASSERT_TRUE(store.WriteBinary(KEY, "b", bytes));
    ASSERT_TRUE(store.WriteInteger(KEY, "i", -7));
    ASSERT_TRUE(store.WriteString(KEY, "s", u"welcome"));

    std::vector<uint8_t> b;
    int32_t i = 99;
    std::u16string s = u"untouched";
    EXPECT_TRUE(store.ReadBinary(KEY, "b", &b));
    EXPECT_EQ(b, bytes);
    EXPECT_TRUE(store.ReadInteger(KEY, "i", &i));
    EXPECT_EQ(i, -7);
    EXPECT_TRUE(store.ReadString(KEY, "s", &s));
    EXPECT_EQ(s, u"welcome");

    i = 99;
    s = u"untouched";
    EXPECT_FALSE(store.ReadInteger(KEY, "b", &i));
    EXPECT_FALSE(store.ReadString(KEY, "i", &s));
    EXPECT_FALSE(store.ReadBinary(KEY, "s", &b));
    EXPECT_EQ(i, 99);
    EXPECT_EQ(s, u"untouched");

    // A write of another kind replaces the value.
    ASSERT_TRUE(store.WriteInteger(KEY, "s", 4));
    EXPECT_FALSE(store.ReadString(KEY, "s", &s));
    EXPECT_EQ(ReadIntegerOr(store, KEY, "s", 0), 4);
}

TEST(MemorySettingsStoreTest, KeysAndNamesAreSeparateAndExact) {
    CMemorySettingsStore store;
    EXPECT_FALSE(store.KeyExists(KEY));
    ASSERT_TRUE(store.WriteInteger(KEY, "TextSize", 3));
    EXPECT_TRUE(store.KeyExists(KEY));
    EXPECT_FALSE(store.KeyExists("\\Software\\Brennovale\\Lexicove"));
    EXPECT_EQ(ReadIntegerOr(store, "Other", "TextSize", -1), -1);
    EXPECT_EQ(ReadIntegerOr(store, KEY, "textsize", -1), -1);

    EXPECT_TRUE(store.DeleteValue(KEY, "TextSize"));
    EXPECT_FALSE(store.DeleteValue(KEY, "TextSize"));
    EXPECT_EQ(ReadIntegerOr(store, KEY, "TextSize", -1), -1);
    EXPECT_TRUE(store.KeyExists(KEY));  // a key outlives its values
}

TEST(MemorySettingsStoreTest, FailingWritesChangeNothing) {
    CMemorySettingsStore store;
    ASSERT_TRUE(store.WriteString(KEY, "StartWord", u"apple"));
    store.SetFailWrites(true);
    const std::vector<uint8_t> bytes = {9};
    EXPECT_FALSE(store.WriteBinary(KEY, "Options", bytes));
    EXPECT_FALSE(store.WriteInteger("\\New", "CurrentTab", 1));
    EXPECT_FALSE(store.WriteString(KEY, "StartWord", u"pear"));
    EXPECT_FALSE(store.DeleteValue(KEY, "StartWord"));

    EXPECT_FALSE(store.KeyExists("\\New"));
    std::vector<uint8_t> b;
    EXPECT_FALSE(store.ReadBinary(KEY, "Options", &b));
    EXPECT_EQ(ReadStringOr(store, KEY, "StartWord", u""), u"apple");

    store.SetFailWrites(false);
    EXPECT_TRUE(store.WriteString(KEY, "StartWord", u"pear"));
    EXPECT_EQ(ReadStringOr(store, KEY, "StartWord", u""), u"pear");
}

TEST(MemorySettingsStoreTest, HelpersFallBackOnMissingOrWrongKind) {
    CMemorySettingsStore store;
    ASSERT_TRUE(store.WriteString(KEY, "ClearType", u"1"));
    EXPECT_EQ(ReadIntegerOr(store, KEY, "ClearType", SETTING_CLEAR_TYPE_DEFAULT), 1);
    EXPECT_EQ(ReadIntegerOr(store, KEY, "TextSize", SETTING_TEXT_SIZE_DEFAULT), 2);
    ASSERT_TRUE(store.WriteInteger(KEY, "WordTheDay", 5));
    EXPECT_EQ(ReadStringOr(store, KEY, "WordTheDay", SETTING_WORD_THE_DAY_DEFAULT), u"welcome");
}

}  // namespace
