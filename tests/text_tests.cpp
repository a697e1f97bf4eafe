// Table-driven tests of the text primitives, one case per line. Bytes are
// written in hex where the exact encoding matters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/memory_probe.h"
#include "text/text.h"

namespace tavrel {
namespace {

struct FindCase {
  const char* content;
  const char* pattern;
  int32_t start;
  bool ignoreCase;
  int32_t expected;
};

const FindCase kFindCases[] = {
    {"ab[1.2.3.4]cd", "[", 0, false, 3},
    {"ab[1.2.3.4]cd", "]", 3, false, 11},
    {"ab[1.2.3.4]cd", "[", 3, false, 3},
    {"ab[1.2.3.4]cd", "[", 4, false, -1},
    {"ab[1.2.3.4]cd", "]", -1, false, 11},
    {"abcabc", "bc", 3, false, 5},
    {"abc", "c", 4, false, -1},
    {"abc", "", 3, false, 1},
    {"abc", "", 4, false, -1},
    {"", "", 1, false, -1},
    {"aBc", "b", 1, false, -1},
    {"aBc", "b", 1, true, 2},
    {"\x81\x5B\x5B\x31\x5D", "[", 1, false, 3},
    {"\x41\x81\x5B", "[", 1, false, -1},
    {"\x81\x5B\x5B", "[", 2, false, 2},
    // Beyond the listed rows: limits of start, a pattern longer than the
    // rest, and a lead byte as the very last byte.
    {"abc", "a", INT32_MIN, false, 1},
    {"abc", "a", INT32_MAX, false, -1},
    {"abc", "bcd", 1, false, -1},
    {"ab\x81", "b", 1, false, 2},
    {"\x81", "\x81", 1, false, 1},
    {"x\xB0\xA1Y", "y", 1, true, 4},
};

TEST(FindText, Table) {
  for (const auto& c : kFindCases) {
    EXPECT_EQ(FindText(c.content, c.pattern, c.start, c.ignoreCase), c.expected)
        << "content '" << c.content << "' pattern '" << c.pattern << "' start " << c.start
        << " ignoreCase " << c.ignoreCase;
  }
}

struct MidCase {
  const char* content;
  int32_t start;
  int32_t length;
  const char* expected;  // nullptr: none
};

const MidCase kMidCases[] = {
    {"abcdef", 2, 3, "bcd"},
    {"abcdef", 5, 10, "ef"},
    {"abcdef", 6, 1, "f"},
    {"abcdef", 7, 1, nullptr},
    {"abcdef", 0, 3, nullptr},
    {"abcdef", -1, 3, nullptr},
    {"abcdef", 2, 0, nullptr},
    {"abcdef", 2, -1, nullptr},
    {"", 1, 1, nullptr},
    {"\xBA\xC1\xC3\xEB", 2, 2, "\xC1\xC3"},
    {"abcdef", 1, INT32_MAX, "abcdef"},
    {"abcdef", INT32_MIN, 3, nullptr},
};

TEST(MidText, Table) {
  testing::MemoryLedger ledger;
  for (const auto& c : kMidCases) {
    OwnedText result = MidText(c.content, c.start, c.length);
    SCOPED_TRACE(::testing::Message() << "content '" << c.content << "' start " << c.start << " length " << c.length);
    if (c.expected == nullptr) {
      EXPECT_TRUE(result.IsNone());
    } else {
      ASSERT_FALSE(result.IsNone());
      EXPECT_STREQ(result.get(), c.expected);
    }
  }
  EXPECT_EQ(ledger.Outstanding(), 0u);
  EXPECT_EQ(ledger.UnknownReleases(), 0);
}

struct IntCase {
  const char* value;
  int32_t expected;
};

const IntCase kTextToIntCases[] = {
    {"500毫秒", 500},
    {"", 0},
    {"abc", 0},
    {"  42", 42},
    {"\t-17x", -17},
    {"+8", 8},
    {"1 2", 1},
    {"- 5", 0},
    {"3.9", 3},
    {"0x10", 0},
    {"\xA3\xB5\xA3\xB0\xA3\xB0\xBA\xC1\xC3\xEB", 500},
    {"\xA1\xA1" "500", 500},
    {"\xA3\xAD\xA3\xB5", -5},
    {"\xBA\xC1\xC3\xEB" "500", 0},
    {"2147483647", 2147483647},
    {"2147483648", INT32_MIN},
    // Beyond the listed rows: full-width plus, a lone trailing lead byte,
    // the other blanks, and a long run of digits that wraps more than once.
    {"\xA3\xAB" "7", 7},
    {"12\x81", 12},
    {"\r\n\v\f 9", 9},
    {"-2147483648", INT32_MIN},
    {"99999999999", 1215752191},
};

TEST(TextToInt, Table) {
  for (const auto& c : kTextToIntCases) EXPECT_EQ(TextToInt(c.value), c.expected) << "value '" << c.value << "'";
  EXPECT_EQ(TextToInt(int32_t{-12345}), -12345);
  EXPECT_EQ(TextToInt(static_cast<const char*>(nullptr)), 0);
}

const IntCase kIntToTextCases[] = {
    {"0", 0}, {"35", 35}, {"-1", -1}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
};

TEST(IntToText, Table) {
  testing::MemoryLedger ledger;
  for (const auto& c : kIntToTextCases) {
    OwnedText text = IntToText(c.expected);
    ASSERT_FALSE(text.IsNone());
    EXPECT_STREQ(text.get(), c.value);
  }
  EXPECT_EQ(ledger.Outstanding(), 0u);
}

TEST(CopyText, CopiesIntoANewBlockAndGivesNoneForEmpty) {
  testing::MemoryLedger ledger;
  const char* original = "10.0.0.1";
  OwnedText copy = CopyText(original);
  ASSERT_FALSE(copy.IsNone());
  EXPECT_NE(copy.get(), original);
  EXPECT_STREQ(copy.get(), "10.0.0.1");
  EXPECT_TRUE(ledger.IsLive(copy.get()));
  EXPECT_TRUE(CopyText("").IsNone());
  copy.Reset();
  EXPECT_EQ(ledger.Outstanding(), 0u);
}

TEST(ResultTexts, AreBlocksOfLengthPlusOneBytes) {
  testing::MemoryLedger ledger;
  OwnedText mid = MidText("abcdef", 2, 3);
  OwnedText number = IntToText(INT32_MIN);
  OwnedText copy = CopyText("\xB3\xAC\xCA\xB1");
  EXPECT_EQ(ledger.SizeOf(mid.get()), 4u);
  EXPECT_EQ(ledger.SizeOf(number.get()), 12u);
  EXPECT_EQ(ledger.SizeOf(copy.get()), 5u);
}

}  // namespace
}  // namespace tavrel
