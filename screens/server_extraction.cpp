#include "screens/server_extraction.h"

#include "app/tables.h"
#include "text/text.h"

namespace tavrel {

void ExtractServerList(const char* listText) {
  int32_t closePos = 0;
  for (int32_t i = 1; i <= SlotCount; ++i) {
    const int32_t openPos = FindText(listText, "[", closePos, false);
    closePos = FindText(listText, "]", openPos, false);
    StoreServerSlot(i, MidText(listText, openPos + 1, closePos - openPos - 1));
  }
}

}  // namespace tavrel
