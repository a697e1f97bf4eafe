// The few platform calls of the memory service. The Windows build uses the
// process heap, a message box and ExitProcess; the host build replaces them.
#pragma once
#include <cstddef>

namespace tavrel::platform {

void* HeapBlockAllocate(std::size_t size);  // null when the heap is exhausted
void HeapBlockRelease(void* block);
void ShowFatalBox(const char* text);  // waits until the user dismisses it
[[noreturn]] void EndProcess(int exitCode);

}  // namespace tavrel::platform
