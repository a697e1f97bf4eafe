// What happens to keyboard and mouse messages before they are dispatched:
// Esc, Tab, Shift+Tab, Enter and F1 for the program's windows, and the
// common mouse and keyboard events of the unit under the message.
#include <algorithm>

#include "ui/kinds.h"

namespace tavrel {
namespace {

int32_t CommonEventNumber(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: return -1;
    case WM_LBUTTONUP: return -2;
    case WM_LBUTTONDBLCLK: return -3;
    case WM_RBUTTONDOWN: return -4;
    case WM_RBUTTONUP: return -5;
    case WM_MOUSEMOVE: return -6;
    case WM_KEYDOWN: return -9;
    case WM_KEYUP: return -10;
    case WM_CHAR: return -11;
    case WM_MOUSEWHEEL: return -12;
  }
  return 0;
}

void MoveFocusByTab(LiveWindow& window, bool backwards) {
  std::vector<UnitObject*> order = window.TabOrder();
  if (order.empty()) return;
  UnitObject* focused = window.UnitFor(GetFocus());
  auto at = std::find(order.begin(), order.end(), focused);
  std::size_t next = 0;
  if (at != order.end()) {
    const std::size_t position = static_cast<std::size_t>(at - order.begin());
    next = backwards ? (position + order.size() - 1) % order.size() : (position + 1) % order.size();
  } else if (backwards) {
    next = order.size() - 1;
  }
  SetFocus(order[next]->hwnd());
}

UnitObject* FirstEnabledDefaultButton(LiveWindow& window) {
  for (std::size_t k = 1; k < window.units.size(); ++k) {
    UnitObject* unit = window.units[k].get();
    if (unit->IsDefaultButton() && IsWindowEnabled(unit->hwnd())) return unit;
  }
  return nullptr;
}

// True when the key was consumed.
bool HandleKey(LiveWindow& window, UnitObject* focused, UINT key) {
  if (focused && focused->ClaimsKey(key)) return false;
  switch (key) {
    case VK_ESCAPE:
      if (!window.units.front()->IntValue(22)) return false;
      SendMessageA(window.hwnd(), WM_CLOSE, 0, 0);
      return true;
    case VK_TAB:
      MoveFocusByTab(window, GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
      if (focused && focused->IsDefaultButton()) {
        focused->Raise(event::Clicked);
      } else if (window.units.front()->IntValue(21)) {
        MoveFocusByTab(window, false);
      } else if (UnitObject* button = FirstEnabledDefaultButton(window)) {
        button->Raise(event::Clicked);
      }
      return true;  // never a beep or a new line in a box that does not claim it
    case VK_F1:
      return true;  // help opens only when property 23 is set; it is set nowhere
  }
  return false;
}

}  // namespace

bool PreTranslateMessage(MSG& message) {
  const int32_t common = CommonEventNumber(message.message);
  if (common == 0 || message.hwnd == nullptr) return false;
  LiveWindow* window = FindLiveWindow(GetAncestor(message.hwnd, GA_ROOT));
  if (window == nullptr) return false;
  UnitObject* unit = window->UnitFor(message.hwnd);
  if (unit) unit->Raise(common, {static_cast<int32_t>(message.wParam)});
  if (message.message != WM_KEYDOWN) return false;
  // The unit may be gone if a handler closed the window.
  window = FindLiveWindow(GetAncestor(message.hwnd, GA_ROOT));
  if (window == nullptr) return false;
  return HandleKey(*window, window->UnitFor(GetFocus()), static_cast<UINT>(message.wParam));
}

}  // namespace tavrel
