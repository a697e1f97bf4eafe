#include "services/clipboard.h"

#include <cstring>

#include "services/clipboard_api.h"

namespace tavrel {

int32_t SetClipboardText(const char* text) {
  ClipboardApi& api = ClipboardSeam();
  if (text == nullptr) text = "";
  // Another program holds the clipboard: leave it exactly as it is.
  if (!api.open(nullptr)) return 0;
  api.empty();  // not examined: what follows replaces the content anyway
  int32_t result = 0;
  const SIZE_T size = std::strlen(text) + 1;
  if (HGLOBAL block = api.globalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
    if (void* bytes = api.globalLock(block)) {
      std::memcpy(bytes, text, size);
      api.globalUnlock(block);
      // A refused block stays ours: free it rather than leak it.
      if (!api.setData(CF_TEXT, block)) api.globalFree(block);
      result = 1;
    } else {
      api.globalFree(block);
    }
  }
  api.close();
  return result;
}

}  // namespace tavrel
