// The message loop, its nested form for dialogs, and the processing of
// waiting messages that LoadWindow does before and after a build.
#include "ui/kinds.h"

namespace tavrel {
namespace {

void DispatchOne(MSG& message) {
  if (PreTranslateMessage(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

// Raised once as an idle period begins, so its argument (milliseconds
// since the period began) is 0.
void RaiseIdle() {
  // Collected first: an idle handler may close windows.
  std::vector<std::pair<WindowId, uint32_t>> loaded;
  for (const auto& window : Framework().live)
    if (window && !window->gone) loaded.emplace_back(window->windowId(), window->serial);
  for (const auto& [windowId, serial] : loaded)
    if (StillLoaded(windowId, serial)) FindLiveWindow(windowId)->units.front()->Raise(event::Idle, {0});
}

// Runs until the quit message arrives, or, nested, until the dialog is
// gone. A quit message taken by the nested form is posted again so that
// the outer loop ends too.
void RunLoop(bool nested) {
  FrameworkState& framework = Framework();
  for (;;) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      RaiseIdle();
      if (nested && framework.modalWindowId == 0) return;
      WaitMessage();
      continue;
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      if (nested && got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchOne(message);
    if (nested && framework.modalWindowId == 0) return;
  }
}

}  // namespace

void ProcessPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchOne(message);
  }
}

void RunMessageLoop() {
  Framework().loopStarted = true;
  if (!AnyWindowLoaded()) return;
  RunLoop(false);
}

void RunNestedLoop() { RunLoop(true); }

}  // namespace tavrel
