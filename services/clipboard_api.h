// The clipboard and global-memory calls behind SetClipboardText, as one
// table of function pointers that holds the real API unless a test
// replaces an entry.
#pragma once
#include <windows.h>

namespace tavrel {

struct ClipboardApi {
  BOOL(WINAPI* open)(HWND owner);
  BOOL(WINAPI* empty)();
  HGLOBAL(WINAPI* globalAlloc)(UINT flags, SIZE_T size);
  LPVOID(WINAPI* globalLock)(HGLOBAL block);
  BOOL(WINAPI* globalUnlock)(HGLOBAL block);
  HANDLE(WINAPI* setData)(UINT format, HANDLE block);
  BOOL(WINAPI* close)();
  HGLOBAL(WINAPI* globalFree)(HGLOBAL block);
};
ClipboardApi& ClipboardSeam();
ClipboardApi RealClipboardApi();

}  // namespace tavrel
