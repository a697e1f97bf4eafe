#include "tests/memory_probe.h"

#include "app/memory.h"

namespace tavrel::testing {
namespace {
MemoryLedger* current = nullptr;
}

MemoryLedger::MemoryLedger() {
  current = this;
  TestMemoryObserver().allocated = &MemoryLedger::OnAllocated;
  TestMemoryObserver().released = &MemoryLedger::OnReleased;
}

MemoryLedger::~MemoryLedger() {
  TestMemoryObserver() = MemoryObserver{};
  current = nullptr;
}

void MemoryLedger::OnAllocated(void* block, std::size_t size) {
  current->live_[block] = size;
  ++current->allocations_;
}

void MemoryLedger::OnReleased(void* block) {
  ++current->releases_;
  if (current->live_.erase(block) == 0) ++current->unknownReleases_;
}

}  // namespace tavrel::testing
