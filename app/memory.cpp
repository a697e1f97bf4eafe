#include "app/memory.h"

#include <cstdio>
#include <cstring>

#include "app/memory_platform.h"

namespace tavrel {
namespace {

MemoryObserver observer;
FatalHooks fatalHooks;
CleanupProcedure exitCleanup = nullptr;

bool InjectedFailure() {
  if (observer.failCountdown <= 0) return false;
  return --observer.failCountdown == 0;
}

}  // namespace

MemoryObserver& TestMemoryObserver() { return observer; }

void* AllocateMemory(std::size_t size) {
  void* block = InjectedFailure() ? nullptr : platform::HeapBlockAllocate(size);
  if (block == nullptr) {
    char message[64];
    std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(size));
    FatalError(message, 0);
  }
  if (observer.allocated) observer.allocated(block, size);
  return block;
}

void ReleaseMemory(void* block) {
  if (block == nullptr) return;
  if (observer.released) observer.released(block);
  platform::HeapBlockRelease(block);
}

void RegisterExitCleanup(CleanupProcedure procedure) { exitCleanup = procedure; }

void RunExitCleanup() {
  CleanupProcedure procedure = exitCleanup;
  exitCleanup = nullptr;
  if (procedure) procedure();
}

void SetFatalHooks(FatalHooks hooks) { fatalHooks = hooks; }

void FatalError(const char* message, int32_t code) {
  if (fatalHooks.beforeReport) fatalHooks.beforeReport();
  // Built on the stack: the heap may be what failed.
  char text[512];
  int used = std::snprintf(text, sizeof text, "运行时出错!");
  if (code != 0 && used < static_cast<int>(sizeof text))
    used += std::snprintf(text + used, sizeof text - used, "\r\n错误代码：%d", static_cast<int>(code));
  if (message && *message && used < static_cast<int>(sizeof text))
    std::snprintf(text + used, sizeof text - used, "\r\n错误信息：%s", message);
  platform::ShowFatalBox(text);
  exitCleanup = nullptr;
  if (fatalHooks.teardown) fatalHooks.teardown();
  platform::EndProcess(-1);
}

}  // namespace tavrel
