// Counts what the memory service hands out and takes back, through its
// observation seam, so that tests check releases instead of inferring them.
#pragma once
#include <cstddef>
#include <map>

namespace tavrel::testing {

class MemoryLedger {
 public:
  MemoryLedger();   // starts observing
  ~MemoryLedger();  // stops observing

  std::size_t Outstanding() const { return live_.size(); }
  int Allocations() const { return allocations_; }
  int Releases() const { return releases_; }
  // Releases of blocks this ledger did not see allocated, or saw released
  // already: each one is a double release or a foreign block.
  int UnknownReleases() const { return unknownReleases_; }
  bool IsLive(const void* block) const { return live_.count(block) != 0; }
  std::size_t SizeOf(const void* block) const {
    auto found = live_.find(block);
    return found == live_.end() ? 0 : found->second;
  }

 private:
  static void OnAllocated(void* block, std::size_t size);
  static void OnReleased(void* block);
  std::map<const void*, std::size_t> live_;
  int allocations_ = 0;
  int releases_ = 0;
  int unknownReleases_ = 0;
};

}  // namespace tavrel::testing
