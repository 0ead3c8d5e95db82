#include "render/text_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The text as stored, checked to be NUL-terminated at its length.
std::string Text(const CTextBuffer& b) {
    EXPECT_EQ(std::strlen(b.Data()), b.Length());
    return std::string(b.Data(), b.Length());
}

TEST(TextBufferCreate, ReserveGivesTheStatedCapacity) {
    struct Case {
        size_t reserve;
        size_t capacity;
    };
    for (Case c : std::vector<Case>{{0, 66}, {63, 66}, {64, 67}, {1000, 1003}}) {
        CTextBuffer b(c.reserve);
        EXPECT_EQ(b.Capacity(), c.capacity) << "reserve " << c.reserve;
        EXPECT_EQ(Text(b), "");
    }
    CTextBuffer empty;
    EXPECT_EQ(empty.Capacity(), 0u);
    EXPECT_STREQ(empty.Data(), "");
}

// Each step: what is appended, and the capacity afterwards. Growth replaces the block by one
// of length + n + 256 bytes, and only when fewer than 3 bytes of slack would remain.
TEST(TextBufferGrowth, CapacityFollowsTheSlackRule) {
    struct Step {
        std::string append;
        size_t capacity;
    };
    CTextBuffer b(0);  // 66 bytes
    std::string expected;
    std::vector<Step> steps = {
        {std::string(63, 'a'), 66},    // 63 + 3 = 66 still fits
        {"b", 320},                    // needed 64: 64 + 256
        {std::string(253, 'c'), 320},  // length 317 + 3 = 320 fits exactly
        {"d", 574},                    // needed 318: 318 + 256
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(b.Append(s.append.c_str()));
        expected += s.append;
        EXPECT_EQ(b.Capacity(), s.capacity) << "after " << expected.size() << " bytes";
        EXPECT_EQ(Text(b), expected);
    }
}

TEST(TextBufferGrowth, FirstAppendToAnEmptyBufferAllocates) {
    CTextBuffer b;
    ASSERT_TRUE(b.Append("abc", 3));
    EXPECT_EQ(b.Capacity(), 259u);
    EXPECT_EQ(Text(b), "abc");
}

TEST(TextBufferEdit, AppendAssignResetLowerAndZeroTail) {
    CTextBuffer b(8);
    ASSERT_TRUE(b.Append("Hello, "));
    ASSERT_TRUE(b.Append("WORLD\xC4xyz", 6));  // bytes, not up to the NUL
    EXPECT_EQ(Text(b), "Hello, WORLD\xC4");
    b.ToLower();
    EXPECT_EQ(Text(b), "hello, world\xC4");  // only A-Z change
    ASSERT_TRUE(b.Assign("New"));
    EXPECT_EQ(Text(b), "New");
    b.ZeroTail();
    for (size_t i = b.Length(); i < b.Capacity(); ++i) {
        ASSERT_EQ(b.Data()[i], '\0') << i;
    }
    size_t capacity = b.Capacity();
    b.Reset();
    EXPECT_EQ(Text(b), "");
    EXPECT_EQ(b.Capacity(), capacity);
    EXPECT_TRUE(b.Append(nullptr));
    EXPECT_EQ(Text(b), "");
}

// Appending a piece of the buffer's own text must survive the block being replaced.
TEST(TextBufferEdit, AppendOfItsOwnTextWhileGrowing) {
    CTextBuffer b(0);
    std::string word(60, 'w');
    ASSERT_TRUE(b.Append(word.c_str()));
    ASSERT_TRUE(b.Append(b.Data(), b.Length()));  // 120 bytes: the block moves
    EXPECT_EQ(Text(b), word + word);
    ASSERT_TRUE(b.Assign(b.Data() + 100));
    EXPECT_EQ(Text(b), std::string(20, 'w'));
}

// With a ceiling no block above it can be had: every failing operation reports false and
// leaves a well-formed string, and the buffer goes on working within what it has.
TEST(TextBufferMemory, FailedGrowthKeepsAValidString) {
    CTextBuffer b(0, 100);  // 66 bytes allowed, any growth (>= 256) refused
    ASSERT_EQ(b.Capacity(), 66u);
    ASSERT_TRUE(b.Append("kept"));
    std::string big(200, 'x');
    EXPECT_FALSE(b.Append(big.c_str()));
    EXPECT_EQ(Text(b), "kept");
    EXPECT_EQ(b.Capacity(), 66u);
    EXPECT_TRUE(b.Append(" and more"));  // still fits the old block
    EXPECT_EQ(Text(b), "kept and more");

    EXPECT_FALSE(b.Assign(big.c_str()));
    EXPECT_EQ(Text(b), "");                           // the old text is gone, not half-replaced
    EXPECT_FALSE(b.Ensure(static_cast<size_t>(-1)));  // an impossible size is refused too
    EXPECT_EQ(Text(b), "");
}

TEST(TextBufferMemory, NoBlockAtAllStaysAnEmptyString) {
    CTextBuffer b(10, 0);  // the reserve itself fails
    EXPECT_EQ(b.Capacity(), 0u);
    EXPECT_EQ(Text(b), "");
    EXPECT_FALSE(b.Append("x"));
    b.ToLower();
    b.ZeroTail();
    b.Reset();
    EXPECT_EQ(Text(b), "");
    b.SetByteCeiling(static_cast<size_t>(-1));
    EXPECT_TRUE(b.Append("back"));
    EXPECT_EQ(Text(b), "back");
}

}  // namespace
