// Loading windows from their definitions, in the framework's fixed order:
// pending messages processed, events suspended while the units are built,
// Created, moved and resized, showing (and with it FirstActivated), then
// for a dialog the disabling of the other windows and the nested loop.
#include <windows.h>
#include <commctrl.h>

#include "ui/kinds.h"

namespace tavrel {
namespace {

uint32_t nextSerial = 1;

bool RegisterControlClasses() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  return InitCommonControlsEx(&controls) != FALSE;
}

// A window loaded as a dialog, or one kept out of the taskbar, is owned by
// the hidden owner window; a pop-up loaded with an owner is owned by it.
HWND OwnerFor(const LiveWindow& window, LiveWindow* owner, bool asDialog) {
  const bool inTaskbar = window.units.front()->IntValue(26) != 0;
  if (!asDialog && owner) return owner->hwnd();
  if (asDialog || !inTaskbar) return Framework().hiddenOwner;
  return nullptr;
}

bool BuildUnits(LiveWindow& window, HWND owner) {
  UnitObject& own = *window.units.front();
  if (!own.Create(owner)) return false;
  HWND previous = HWND_TOP;
  for (std::size_t k = 1; k < window.units.size(); ++k) {
    UnitObject& control = *window.units[k];
    if (!control.Create(own.hwnd())) return false;
    SetWindowPos(control.hwnd(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control.hwnd();
  }
  return true;
}

void ShowControls(LiveWindow& window) {
  for (std::size_t k = 1; k < window.units.size(); ++k)
    if (window.units[k]->unit().record->flags & FlagVisible) ShowWindow(window.units[k]->hwnd(), SW_SHOWNA);
}

// A window whose build failed: destroyed, and its live state discarded.
void DiscardFailedBuild(int index) {
  std::unique_ptr<LiveWindow> window = std::move(Framework().live[index]);
  if (HWND hwnd = window->hwnd()) DestroyWindow(hwnd);
}

void DisableOtherWindows(LiveWindow& dialog) {
  dialog.isModal = true;
  for (const auto& other : Framework().live) {
    if (!other || other.get() == &dialog || other->gone) continue;
    HWND hwnd = other->hwnd();
    if (!hwnd || (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) continue;
    dialog.disabledByDialog.emplace_back(hwnd, IsWindowEnabled(hwnd) != FALSE);
    EnableWindow(hwnd, FALSE);
  }
}

void BringForward(HWND hwnd) {
  if (IsIconic(hwnd))
    ShowWindow(hwnd, SW_RESTORE);
  else
    SetActiveWindow(hwnd);
}

}  // namespace

bool InitializeFramework() {
  if (!RegisterControlClasses()) return false;
  if (!Framework().hiddenOwner) {
    Framework().hiddenOwner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                              ProgramInstance(), nullptr);
  }
  return Framework().hiddenOwner != nullptr;
}

bool LoadWindow(WindowId windowId, std::optional<WindowId> owner, bool asDialog) {
  LiveWindow* ownerWindow = nullptr;
  if (owner) {
    ownerWindow = FindLiveWindow(*owner);
    if (!ownerWindow || !ownerWindow->hwnd() || ownerWindow->gone) return false;
  }
  const int index = FindWindowIndex(windowId);
  if (index < 0) return false;
  FrameworkState& framework = Framework();
  if (framework.live.size() < Definitions().size()) framework.live.resize(Definitions().size());
  if (LiveWindow* loaded = framework.live[index].get()) {
    BringForward(loaded->hwnd());
    return true;
  }

  ProcessPendingMessages();
  ++framework.eventSuspendCount;
  framework.live[index] = std::make_unique<LiveWindow>(Definitions()[index], nextSerial++);
  LiveWindow& window = *framework.live[index];
  for (const ResolvedUnit& unit : window.definition.units)
    window.units.emplace_back(unit.kind->create(window, unit));
  const bool built = BuildUnits(window, OwnerFor(window, ownerWindow, asDialog));
  if (built) ShowControls(window);
  ProcessPendingMessages();
  --framework.eventSuspendCount;
  window.building = false;
  if (!built || window.gone) {
    DiscardFailedBuild(index);
    return false;
  }

  const uint32_t serial = window.serial;
  window.units.front()->Raise(event::Created);
  if (StillLoaded(windowId, serial)) window.units.front()->Raise(event::Moved);
  if (StillLoaded(windowId, serial)) window.units.front()->Raise(event::Resized);
  if (StillLoaded(windowId, serial) && (window.definition.record->units.front().flags & FlagVisible))
    ShowLoadedWindow(window);
  if (asDialog && StillLoaded(windowId, serial)) DisableOtherWindows(window);
  if (asDialog && StillLoaded(windowId, serial) && IsWindowVisible(window.hwnd())) {
    const WindowId saved = framework.modalWindowId;
    framework.modalWindowId = windowId;
    RunNestedLoop();
    framework.modalWindowId = saved;
  }
  return true;
}

void LoadStartupWindow(WindowId windowId) {
  if (!LoadWindow(windowId, std::nullopt, false)) FatalError("载入启动窗口失败", 0);
}

}  // namespace tavrel
