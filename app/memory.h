// The memory service: every table and every returned text comes from here
// and goes back here. Allocation never returns null: when the heap cannot
// supply a block the process ends through FatalError.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrel {

void* AllocateMemory(std::size_t size);
void ReleaseMemory(void* block);  // null does nothing

// Shows the fatal-error box, drops the exit clean-up, runs the fatal teardown
// and ends the process with exit code -1. Never returns.
[[noreturn]] void FatalError(const char* message, int32_t code);

// One procedure that the normal teardown calls once; registering another
// replaces it, and FatalError clears it.
using CleanupProcedure = void (*)();
void RegisterExitCleanup(CleanupProcedure procedure);
void RunExitCleanup();  // calls the registered procedure once, then forgets it

// Hooks the application installs so that a fatal error suspends events
// before its box is shown and runs the fatal teardown before the exit.
struct FatalHooks {
  void (*beforeReport)() = nullptr;
  void (*teardown)() = nullptr;
};
void SetFatalHooks(FatalHooks hooks);

// Observation seam for tests: called after every allocation and before every
// release of a non-null block. Null (the default) costs one test per call.
struct MemoryObserver {
  void (*allocated)(void* block, std::size_t size) = nullptr;
  void (*released)(void* block) = nullptr;
  // When positive, counts down on each allocation; the allocation that
  // brings it to zero fails as if the heap were exhausted.
  int32_t failCountdown = 0;
};
MemoryObserver& TestMemoryObserver();

// An owning handle to a text from the memory service. Its empty value is
// none; c_str() reads none as the empty text, as every operation must.
class OwnedText {
 public:
  OwnedText() = default;
  explicit OwnedText(char* owned) : text_(owned) {}
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  OwnedText(OwnedText&& other) noexcept : text_(other.Release()) {}
  OwnedText& operator=(OwnedText&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~OwnedText() { ReleaseMemory(text_); }

  bool IsNone() const { return text_ == nullptr; }
  explicit operator bool() const { return text_ != nullptr; }
  const char* get() const { return text_; }
  const char* c_str() const { return text_ ? text_ : ""; }
  char* Release() {
    char* owned = text_;
    text_ = nullptr;
    return owned;
  }
  void Reset(char* owned = nullptr) {
    ReleaseMemory(text_);
    text_ = owned;
  }

 private:
  char* text_ = nullptr;
};

}  // namespace tavrel
