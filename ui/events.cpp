#include "ui/live_window.h"

#include "ui/list_operations.h"

namespace tavrel {
namespace {
EventObserver eventObserver = nullptr;
int handlerDepth = 0;
}

int HandlerDepth() { return handlerDepth; }

void SetEventObserver(EventObserver observer) { eventObserver = observer; }

void SuspendEventsForGood() { ++Framework().eventSuspendCount; }

void UnitObject::Raise(int32_t eventNumber, std::initializer_list<int32_t> arguments) {
  if (Framework().eventSuspendCount > 0) return;
  const WindowId windowId = window_.windowId();
  const ControlId controlId = unit_.record->controlId;
  // Copied first: the handler may close the window and destroy this object.
  Handler handler = nullptr;
  for (const auto& binding : unit_.bindings)
    if (binding.eventNumber == eventNumber) handler = binding.procedure;
  if (eventObserver)
    eventObserver(windowId, controlId, eventNumber, arguments.begin(), static_cast<int>(arguments.size()));
  if (!handler) return;
  ++handlerDepth;
  handler();
  --handlerDepth;
  FlushDeferredListRedraws();
}

}  // namespace tavrel
