#include <windows.h>

#include "app/memory_platform.h"

namespace tavrel::platform {

void* HeapBlockAllocate(std::size_t size) {
  return HeapAlloc(GetProcessHeap(), 0, size);
}

void HeapBlockRelease(void* block) {
  // A failed release cannot be reported more usefully than by going on.
  HeapFree(GetProcessHeap(), 0, block);
}

void ShowFatalBox(const char* text) {
  // The result only says which button closed the box; there is just OK.
  MessageBoxA(nullptr, text, "错误", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace tavrel::platform
