// The shared tables and the memory service's fatal out-of-memory path.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/tables.h"
#include "tests/child_process.h"
#include "tests/memory_probe.h"
#include "text/text.h"

namespace tavrel {
namespace {

class TablesTest : public ::testing::Test {
 protected:
  void TearDown() override { ReleaseTables(); }
};

TEST_F(TablesTest, CreateGivesTwoRecordsOfOneDimensionWithZeroSlots) {
  testing::MemoryLedger ledger;
  CreateTables();
  ASSERT_NE(serverTable, nullptr);
  ASSERT_NE(latencyTable, nullptr);
  for (auto header : {std::pair{serverTable->dimensionCount, serverTable->dimensionSizes[0]},
                      std::pair{latencyTable->dimensionCount, latencyTable->dimensionSizes[0]}}) {
    EXPECT_EQ(header.first, 1);
    EXPECT_EQ(header.second, 107);
  }
  for (int i = 1; i <= SlotCount; ++i) {
    EXPECT_EQ(serverTable->elements[i - 1], nullptr);
    EXPECT_EQ(LatencySlot(i), 0);
  }
  EXPECT_EQ(ledger.Allocations(), 2);
  EXPECT_EQ(ledger.SizeOf(serverTable), sizeof(ServerRecord));
  EXPECT_EQ(ledger.SizeOf(latencyTable), sizeof(LatencyRecord));
  if (sizeof(void*) == 4) {
    EXPECT_EQ(sizeof(ServerRecord), 436u);
    EXPECT_EQ(sizeof(LatencyRecord), 436u);
  }
}

TEST_F(TablesTest, StoringReleasesTheOldTextAndReleaseTablesFreesEachTextOnce) {
  testing::MemoryLedger ledger;
  CreateTables();
  for (int filling = 0; filling < 3; ++filling) {
    for (int i = 1; i <= SlotCount; ++i) {
      // Every third slot stays none, so that none slots are never released.
      StoreServerSlot(i, i % 3 == 0 ? OwnedText() : IntToText(i * 10 + filling));
      StoreLatencySlot(i, -i);
    }
  }
  EXPECT_STREQ(ServerSlot(1), "12");
  EXPECT_STREQ(ServerSlot(3), "");
  EXPECT_EQ(LatencySlot(107), -107);
  const int textsLive = SlotCount - SlotCount / 3;
  EXPECT_EQ(ledger.Outstanding(), 2u + textsLive);

  const int releasesBefore = ledger.Releases();
  ReleaseTables();
  EXPECT_EQ(ledger.Releases() - releasesBefore, textsLive + 2);
  EXPECT_EQ(ledger.Outstanding(), 0u);
  EXPECT_EQ(ledger.UnknownReleases(), 0);
  EXPECT_EQ(serverTable, nullptr);
}

TEST(MemoryService, ReleasingNullDoesNothing) {
  testing::MemoryLedger ledger;
  ReleaseMemory(nullptr);
  EXPECT_EQ(ledger.Releases(), 0);
}

TEST(MemoryService, ExitCleanupRunsOnceAndTheLastRegistrationWins) {
  static int first = 0, second = 0;
  RegisterExitCleanup([] { ++first; });
  RegisterExitCleanup([] { ++second; });
  RunExitCleanup();
  RunExitCleanup();
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
}

#ifndef _WIN32
// On Windows the same path shows a message box; the start-up tests drive it.
// The first table cannot be allocated: the report names the 436 bytes of a
// 32-bit record, the process ends with -1, and the clean-up does not run.
TEST(MemoryServiceDeathTest, FailedFirstTableEndsTheProcessWithoutCleanup) {
  using ::testing::AllOf;
  using ::testing::HasSubstr;
  using ::testing::Not;
  const std::string expected = std::string("错误信息：分配 ") + std::to_string(sizeof(ServerRecord)) + " 字节内存失败!";
  EXPECT_EXIT(
      {
        RegisterExitCleanup([] { std::fputs("cleanup ran", stderr); });
        TestMemoryObserver().failCountdown = 1;
        CreateTables();
      },
      ::testing::ExitedWithCode(255), AllOf(HasSubstr("运行时出错!"), HasSubstr(expected), Not(HasSubstr("cleanup ran"))));
}
#endif

}  // namespace
}  // namespace tavrel
