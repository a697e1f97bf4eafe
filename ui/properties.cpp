// Reading and writing numbered properties. Numbers 0 to 7 are common to all
// kinds and answered here; the kind answers 8 and up.
#include "ui/kinds.h"

namespace tavrel {
namespace {

UnitObject* LiveUnit(WindowId windowId, ControlId controlId) {
  LiveWindow* window = FindLiveWindow(windowId);
  return window ? window->Unit(controlId) : nullptr;
}

const UnitRecord* DefinedUnit(WindowId windowId, ControlId controlId) {
  const int index = FindWindowIndex(windowId);
  if (index < 0) return nullptr;
  const ResolvedUnit* unit = FindUnit(Definitions()[index], controlId);
  return unit ? unit->record : nullptr;
}

// Left and top relative to the parent's client area, or on the screen for a
// top-level window; the outer width and height.
RECT LiveRectangle(HWND hwnd) {
  RECT rectangle{};
  GetWindowRect(hwnd, &rectangle);
  if (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rectangle), 2);
  return rectangle;
}

int32_t ReadCommon(UnitObject* unit, const UnitRecord& record, int32_t number) {
  if (unit == nullptr || unit->hwnd() == nullptr) {
    switch (number) {
      case property::Left: return record.left;
      case property::Top: return record.top;
      case property::Width: return record.width;
      case property::Height: return record.height;
      case property::Visible: return (record.flags & FlagVisible) ? 1 : 0;
      case property::Disabled: return (record.flags & FlagDisabled) ? 1 : 0;
    }
    return 0;
  }
  const RECT r = LiveRectangle(unit->hwnd());
  switch (number) {
    case property::Left: return r.left;
    case property::Top: return r.top;
    case property::Width: return r.right - r.left;
    case property::Height: return r.bottom - r.top;
    case property::Visible: return IsWindowVisible(unit->hwnd()) ? 1 : 0;
    case property::Disabled: return IsWindowEnabled(unit->hwnd()) ? 0 : 1;
  }
  return 0;
}

void WriteCommon(UnitObject& unit, int32_t number, int32_t value) {
  HWND hwnd = unit.hwnd();
  RECT r = LiveRectangle(hwnd);
  int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  switch (number) {
    case property::Left: left = value; break;
    case property::Top: top = value; break;
    case property::Width: width = value; break;
    case property::Height: height = value; break;
    case property::Visible: ShowWindow(hwnd, value ? SW_SHOWNA : SW_HIDE); return;
    case property::Disabled: EnableWindow(hwnd, value ? FALSE : TRUE); return;
    default: return;
  }
  SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

PropertyValue ReadProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t /*index*/) {
  PropertyValue value;
  const UnitRecord* record = DefinedUnit(windowId, controlId);
  if (record == nullptr) return value;
  UnitObject* unit = LiveUnit(windowId, controlId);
  if (number >= 0 && number <= 7) {
    value.number = ReadCommon(unit, *record, number);
    return value;
  }
  if (unit == nullptr) return value;  // kind properties need a live unit
  return unit->ReadOwn(number);
}

void WriteProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t /*index*/, const char* text) {
  UnitObject* unit = LiveUnit(windowId, controlId);
  if (unit == nullptr || number < 8) return;
  unit->WriteOwn(number, PropertyInput{0, text ? text : ""});
}

void WriteProperty(WindowId windowId, ControlId controlId, int32_t number, int32_t /*index*/, int32_t value) {
  UnitObject* unit = LiveUnit(windowId, controlId);
  if (unit == nullptr) return;
  if (number >= 0 && number <= 7)
    WriteCommon(*unit, number, value);
  else
    unit->WriteOwn(number, PropertyInput{value, nullptr});
}

}  // namespace tavrel
