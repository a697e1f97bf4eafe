#include <cstdio>
#include <cstdlib>

#include "app/memory_platform.h"

namespace tavrel::platform {

void* HeapBlockAllocate(std::size_t size) {
  // malloc(0) may return null; the heap semantics want a block.
  return std::malloc(size == 0 ? 1 : size);
}

void HeapBlockRelease(void* block) { std::free(block); }

void ShowFatalBox(const char* text) {
  std::fprintf(stderr, "%s\n", text);
}

void EndProcess(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace tavrel::platform
