// Showing, activation, focus, closing and destruction of loaded windows.
#include "ui/kinds.h"

namespace tavrel {
namespace {

LiveWindow* VisibleEnabledDialog() {
  for (const auto& window : Framework().live) {
    if (!window || !window->isModal || window->gone) continue;
    HWND hwnd = window->hwnd();
    if (hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) return window.get();
  }
  return nullptr;
}

void ReenableDisabledWindows(LiveWindow& dialog) {
  for (const auto& [hwnd, wasEnabled] : dialog.disabledByDialog)
    if (IsWindow(hwnd)) EnableWindow(hwnd, wasEnabled ? TRUE : FALSE);
  dialog.disabledByDialog.clear();
  dialog.isModal = false;
}

}  // namespace

void ShowLoadedWindow(LiveWindow& window) {
  const int32_t placement = window.units.front()->IntValue(18);
  const int command = placement == 2 ? SW_SHOWMINIMIZED : placement == 3 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  // Activates the window, and with it FirstActivated. The focus that the
  // activation gives a control is raised as that control's focus event by
  // the control's own notification.
  ShowWindow(window.hwnd(), command);
}

void OnActivate(LiveWindow& window, bool activating) {
  FrameworkState& framework = Framework();
  if (framework.activationGuard) return;
  HWND hwnd = window.hwnd();
  if (activating && window.firstActivationDone && !IsWindowEnabled(hwnd)) {
    if (LiveWindow* dialog = VisibleEnabledDialog()) {
      SetActiveWindow(dialog->hwnd());
      return;
    }
  }
  // The window's own area, not its controls, is painted now: a handler
  // that runs long after this still leaves a drawn window behind.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOCHILDREN);
  const WindowId windowId = window.windowId();
  const uint32_t serial = window.serial;
  if (activating && !window.firstActivationDone) {
    window.firstActivationDone = true;
    window.units.front()->Raise(event::FirstActivated);
    if (!StillLoaded(windowId, serial)) return;
  }
  framework.activationGuard = true;
  window.units.front()->Raise(activating ? event::Activated : event::Deactivated);
  framework.activationGuard = false;
  if (!activating && StillLoaded(windowId, serial)) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd, focus)) window.rememberedFocus = focus;
  }
}

void MoveFocusToFirstControl(LiveWindow& window) {
  std::vector<UnitObject*> order = window.TabOrder();
  if (!order.empty()) SetFocus(order.front()->hwnd());
}

void OnWindowFocus(LiveWindow& window) {
  const WindowId windowId = window.windowId();
  const uint32_t serial = window.serial;
  window.units.front()->Raise(event::FocusGained);
  if (!StillLoaded(windowId, serial)) return;
  HWND remembered = window.rememberedFocus;
  if (remembered && IsWindow(remembered) && IsChild(window.hwnd(), remembered))
    SetFocus(remembered);
  else
    MoveFocusToFirstControl(window);
}

void RequestClose(LiveWindow& window) {
  const WindowId windowId = window.windowId();
  const uint32_t serial = window.serial;
  // No definition binds a handler that vetoes the close request.
  window.units.front()->Raise(event::CloseRequest);
  if (!StillLoaded(windowId, serial)) return;
  // The windows this dialog disabled come back before it disappears.
  ReenableDisabledWindows(window);
  DestroyWindow(window.hwnd());
}

void OnWindowGone(LiveWindow& window) {
  FrameworkState& framework = Framework();
  window.gone = true;
  if (window.building) return;  // the loader discards it
  const WindowId windowId = window.windowId();
  for (auto& slot : framework.live)
    if (slot.get() == &window) slot.reset();
  if (framework.modalWindowId == windowId) framework.modalWindowId = 0;
  if (!AnyWindowLoaded() && framework.loopStarted) PostQuitMessage(0);
}

}  // namespace tavrel
