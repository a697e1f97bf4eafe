#include "app/tables.h"

namespace tavrel {

int32_t maxWaitMs = 0;
ServerRecord* serverTable = nullptr;
LatencyRecord* latencyTable = nullptr;

namespace {

template <typename Record>
Record* NewRecord() {
  auto* record = static_cast<Record*>(AllocateMemory(sizeof(Record)));
  record->dimensionCount = 1;
  record->dimensionSizes[0] = SlotCount;
  for (auto& element : record->elements) element = {};
  return record;
}

}  // namespace

void CreateTables() {
  serverTable = NewRecord<ServerRecord>();
  latencyTable = NewRecord<LatencyRecord>();
}

void ReleaseTables() {
  if (serverTable) {
    for (char*& text : serverTable->elements) {
      ReleaseMemory(text);
      text = nullptr;
    }
  }
  ReleaseMemory(serverTable);
  ReleaseMemory(latencyTable);
  serverTable = nullptr;
  latencyTable = nullptr;
}

const char* ServerSlot(int32_t i) {
  const char* text = serverTable->elements[i - 1];
  return text ? text : "";
}

void StoreServerSlot(int32_t i, OwnedText text) {
  char*& slot = serverTable->elements[i - 1];
  ReleaseMemory(slot);
  slot = text.Release();
}

int32_t LatencySlot(int32_t i) { return latencyTable->elements[i - 1]; }

void StoreLatencySlot(int32_t i, int32_t value) { latencyTable->elements[i - 1] = value; }

}  // namespace tavrel
