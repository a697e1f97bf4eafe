// The server-list extraction on list texts other than the default one. Each
// row gives a list text and all 107 slots it must yield.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/tables.h"
#include "screens/server_extraction.h"
#include "tests/memory_probe.h"

namespace tavrel {
namespace {

constexpr const char* kNone = nullptr;
using Slots = std::vector<const char*>;  // 107 entries; kNone for none

std::string Pairs(int count, const char* prefix = "e") {
  std::string text;
  for (int k = 1; k <= count; ++k) text += "[" + std::string(prefix) + std::to_string(k) + "]\r\n";
  return text;
}

std::deque<std::string> storage;  // stable addresses for the expected texts

const char* Keep(std::string text) {
  storage.push_back(std::move(text));
  return storage.back().c_str();
}

// Slots 1..N take the N entries; then none followed by entries 2..N repeat.
Slots Cycle(const Slots& entries) {
  Slots slots(entries);
  while (slots.size() < 107) {
    slots.push_back(kNone);
    for (std::size_t k = 1; k < entries.size() && slots.size() < 107; ++k) slots.push_back(entries[k]);
  }
  return slots;
}

Slots Numbered(int n, const char* prefix = "e") {
  Slots entries;
  for (int k = 1; k <= n; ++k) entries.push_back(Keep(prefix + std::to_string(k)));
  return entries;
}

// Entries 1..k, none, repeated (a "[" without "]" after k pairs).
Slots RepeatWithNone(const Slots& entries) {
  Slots slots;
  while (slots.size() < 107) {
    for (const char* e : entries) if (slots.size() < 107) slots.push_back(e);
    if (slots.size() < 107) slots.push_back(kNone);
  }
  return slots;
}

Slots Filled(std::initializer_list<const char*> head, const char* rest) {
  Slots slots(head);
  slots.resize(107, rest);
  return slots;
}

Slots Alternating(const char* first, const char* second, const char* text) {
  Slots slots{first, second};
  while (slots.size() < 107) slots.push_back(slots.size() % 2 == 0 ? kNone : text);
  return slots;
}

struct ExtractionCase {
  const char* name;
  std::string listText;
  Slots expected;
};

std::vector<ExtractionCase> Cases() {
  return {
      {"more than 107 pairs", Pairs(120), Numbered(107)},
      {"2 pairs", Pairs(2), Cycle(Numbered(2))},
      {"3 pairs", "[a]\r\n[b]\r\n[c]\r\n", Cycle({"a", "b", "c"})},
      {"106 pairs", Pairs(106), Cycle(Numbered(106))},
      {"one pair", "head\r\n[only]\r\n", Filled({"only"}, kNone)},
      {"no brackets", "公用DNS\r\n  no entries here\r\n", Filled({}, kNone)},
      {"empty list", "", Filled({}, kNone)},
      {"k pairs then an open bracket", "[a]\r\n[b]\r\n[c", RepeatWithNone({"a", "b"})},
      {"a line missing its close bracket", "[a]\r\n[b\r\n[c]\r\n", Alternating("a", "b\r\n[c", "b\r\n[c")},
      {"an empty pair", "[]\r\n", Filled({}, kNone)},
      {"brackets as second bytes", "[x\x81]y]\r\n\x81[z]\r\n[w]", Alternating("x\x81]y", "w", "w")},
      {"spaces inside the brackets", "[ 1.2.3.4 ]\r\n", Filled({" 1.2.3.4 "}, kNone)},
  };
}

class ExtractionTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateTables(); }
  void TearDown() override { ReleaseTables(); }
};

TEST_F(ExtractionTest, Table) {
  for (const auto& c : Cases()) {
    ASSERT_EQ(c.expected.size(), 107u) << c.name;
    ExtractServerList(c.listText.c_str());
    for (int i = 1; i <= SlotCount; ++i) {
      const char* actual = serverTable->elements[i - 1];
      const char* wanted = c.expected[i - 1];
      if (wanted == kNone)
        EXPECT_EQ(actual, nullptr) << c.name << ": slot " << i << " holds '" << actual << "'";
      else
        EXPECT_STREQ(actual, wanted) << c.name << ": slot " << i;
    }
  }
}

TEST_F(ExtractionTest, RefillingReleasesEveryOldTextExactlyOnce) {
  testing::MemoryLedger ledger;
  ExtractServerList(Pairs(107).c_str());
  ExtractServerList(Pairs(107, "f").c_str());
  ExtractServerList("[a]");
  EXPECT_EQ(ledger.UnknownReleases(), 0);
  EXPECT_EQ(ledger.Outstanding(), 1u);  // only "a" is held now
  EXPECT_EQ(ledger.Releases(), 2 * 107);
}

}  // namespace
}  // namespace tavrel
