#include "services/clipboard_api.h"

namespace tavrel {

ClipboardApi RealClipboardApi() {
  return ClipboardApi{&OpenClipboard, &EmptyClipboard, &GlobalAlloc,      &GlobalLock,
                      &GlobalUnlock,  &SetClipboardData, &CloseClipboard, &GlobalFree};
}

ClipboardApi& ClipboardSeam() {
  static ClipboardApi api = RealClipboardApi();
  return api;
}

}  // namespace tavrel
