// What the screens and the start-up code see of the window framework.
// Windows and controls are named by identifier; values go in and out as
// numbered properties. Nothing here needs windows.h.
#pragma once
#include <cstdint>
#include <optional>

#include "app/memory.h"
#include "ui/ids.h"

namespace tavrel {

// A property value read back: integers, choices, colours and booleans (1 or
// 0) in number; texts as a new block in text, or none when empty.
struct PropertyValue {
  int32_t number = 0;
  OwnedText text;
};

// A value to write: text for text properties (null: the empty text),
// number for everything else.
struct PropertyInput {
  int32_t number = 0;
  const char* text = nullptr;
};

// Creates the hidden owner window and registers the framework's classes.
// False when the platform refuses.
bool InitializeFramework();

// Loads the start-up window as an unowned top-level window, or ends the
// process through FatalError when it cannot.
void LoadStartupWindow(WindowId windowId);

// Runs the message loop until the last window of the program is gone.
void RunMessageLoop();

// Loads a window; with asDialog true it returns once the window is closed.
// True when the window is (or already was) loaded.
bool LoadWindow(WindowId windowId, std::optional<WindowId> owner, bool asDialog);

PropertyValue ReadProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t index);
void WriteProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t index, const char* text);
void WriteProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t index, int32_t value);

// From now on no event reaches a handler (teardown and fatal errors).
void SuspendEventsForGood();

// Observation seam for tests: sees every event that would reach a handler,
// bound or not, just before the handler runs.
using EventObserver = void (*)(WindowId windowId, ControlId controlId, int32_t eventNumber,
                               const int32_t* arguments, int argumentCount);
void SetEventObserver(EventObserver observer);

}  // namespace tavrel
