// The two fixed tables that the screens share, and the wait time.
#pragma once
#include <cstdint>

#include "app/memory.h"

namespace tavrel {

constexpr int32_t SlotCount = 107;

// One heap block: the dimension count, the dimension sizes, then the slots
// in index order. With one dimension of 107 four-byte slots it is 436 bytes
// on the 32-bit program.
template <typename Element>
struct ArrayRecord {
  int32_t dimensionCount;
  int32_t dimensionSizes[1];
  Element elements[SlotCount];
};

using ServerRecord = ArrayRecord<char*>;     // each slot owns its text, or is none
using LatencyRecord = ArrayRecord<int32_t>;  // round-trip times, or -1

extern int32_t maxWaitMs;
extern ServerRecord* serverTable;
extern LatencyRecord* latencyTable;

void CreateTables();
void ReleaseTables();  // every slot text once, then both records

// Slot i is 1-based, 1 ... SlotCount.
const char* ServerSlot(int32_t i);               // none reads as ""
void StoreServerSlot(int32_t i, OwnedText text);  // releases the old text
int32_t LatencySlot(int32_t i);
void StoreLatencySlot(int32_t i, int32_t value);

}  // namespace tavrel
