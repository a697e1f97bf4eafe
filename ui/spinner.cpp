// The spinner of a single-line edit box: an up-down control right of the
// box that follows it, and in automatic mode steps the number in the box
// between the two limits, wrapping around at either end.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "ui/kinds.h"

namespace tavrel {
namespace {

// The decimal integer at the start of text: blanks skipped, an optional
// sign, then digits; 0 without digits. Saturates instead of overflowing.
int64_t LeadingInteger(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = std::min<int64_t>(value * 10 + (*text - '0'), INT64_C(1) << 40);
  return negative ? -value : value;
}

// The automatic spinner's arithmetic: the number at the start of text plus
// delta, wrapping to the lower limit going up and to the upper going down.
int32_t SpinnerStep(const char* text, int delta, int32_t limitA, int32_t limitB) {
  const int64_t low = std::min(limitA, limitB), high = std::max(limitA, limitB);
  const int64_t next = LeadingInteger(text) + delta;
  if (next < low || next > high) return static_cast<int32_t>(delta > 0 ? low : high);
  return static_cast<int32_t>(next);
}

}  // namespace

bool EditBoxObject::CreateSpinner(HWND parent) {
  const int32_t border = IntValue(9);
  const DWORD exStyle = (border == 0 || border == 1 || border == 3) ? WS_EX_STATICEDGE : 0;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (unit().record->flags & FlagDisabled) style |= WS_DISABLED;
  spinner_ = CreateWindowExA(exStyle, UPDOWN_CLASSA, "", style, 0, 0, 18, 0, parent, nullptr, ProgramInstance(), nullptr);
  if (!spinner_) return false;
  const int32_t low = std::min(IntValue(22), IntValue(23)), high = std::max(IntValue(22), IntValue(23));
  SendMessageA(spinner_, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
  PlaceSpinner();
  // The subclass keeps the spinner beside the box through moves, sizes,
  // showing, hiding, enabling and disabling.
  return SetWindowSubclass(hwnd_, &EditBoxObject::BoxSubclass, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void EditBoxObject::PlaceSpinner() {
  RECT box{};
  if (!GetWindowRect(hwnd_, &box)) return;
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&box), 2);
  SetWindowPos(spinner_, hwnd_, box.right, box.top, 18, box.bottom - box.top, SWP_NOACTIVATE);
}

void EditBoxObject::StepSpinner(int delta) {
  const int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  GetWindowTextA(hwnd_, text.data(), length + 1);
  const int32_t value = SpinnerStep(text.c_str(), delta, IntValue(22), IntValue(23));
  SetWindowTextA(hwnd_, std::to_string(value).c_str());
  SendMessageA(hwnd_, EM_SETSEL, 0, -1);
  SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
  SetFocus(hwnd_);
}

bool EditBoxObject::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->hwndFrom != spinner_ || header->code != UDN_DELTAPOS) return false;
  const int delta = reinterpret_cast<NMUPDOWN*>(header)->iDelta > 0 ? 1 : -1;
  if (IntValue(21) == 1)
    StepSpinner(delta);
  else
    Raise(event::SpinnerManual, {delta});
  result = 1;  // the box holds the value; the up-down keeps no position of its own
  return true;
}

LRESULT CALLBACK EditBoxObject::BoxSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
  auto* self = reinterpret_cast<EditBoxObject*>(data);
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(position->flags & SWP_NOMOVE) || !(position->flags & SWP_NOSIZE)) self->PlaceSpinner();
      if (position->flags & SWP_SHOWWINDOW) ShowWindow(self->spinner_, SW_SHOWNA);
      if (position->flags & SWP_HIDEWINDOW) ShowWindow(self->spinner_, SW_HIDE);
      break;
    }
    case WM_SHOWWINDOW:
      ShowWindow(self->spinner_, wParam ? SW_SHOWNA : SW_HIDE);
      break;
    case WM_ENABLE:
      EnableWindow(self->spinner_, static_cast<BOOL>(wParam));
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &EditBoxObject::BoxSubclass, 1);
      break;
  }
  return result;
}

}  // namespace tavrel
