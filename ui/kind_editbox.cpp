// The kind `EditBox`: an "EDIT" control with its colours, font, minimum
// height, text limit, selection and border, and an optional spinner.
#include <windows.h>
#include <commctrl.h>

#include "ui/kinds.h"

namespace tavrel {
namespace {

const PropertyDescriptor kEditBoxProperties[] = {
    {8, PropertyType::Text, 0, ""},                 // content
    {9, PropertyType::Integer, 1, nullptr},         // border
    {10, PropertyType::Integer, 0, nullptr},        // text colour
    {11, PropertyType::Integer, 0x00FFFFFF, nullptr},  // background colour
    {12, PropertyType::Font, 0, nullptr},           // font
    {13, PropertyType::Boolean, 1, nullptr},        // hide the selection without focus
    {14, PropertyType::Integer, 0, nullptr},        // maximum length
    {15, PropertyType::Boolean, 0, nullptr},        // multi-line
    {16, PropertyType::Integer, 0, nullptr},        // scroll bars
    {17, PropertyType::Integer, 0, nullptr},        // alignment
    {18, PropertyType::Integer, 0, nullptr},        // input mode
    {21, PropertyType::Integer, 0, nullptr},        // spinner
    {22, PropertyType::Integer, 0, nullptr},        // spinner limit
    {23, PropertyType::Integer, 100, nullptr},      // spinner limit
    {24, PropertyType::Integer, 0, nullptr},        // selection start
    {25, PropertyType::Integer, 0, nullptr},        // selection length
};

UnitObject* CreateEditBoxObject(LiveWindow& window, const ResolvedUnit& unit) { return new EditBoxObject(window, unit); }

DWORD EditStyle(const UnitObject& box) {
  DWORD style = ControlStyle(box);
  if (!box.IntValue(13)) style |= ES_NOHIDESEL;
  if (box.IntValue(15)) {
    const int32_t bars = box.IntValue(16);
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (bars == 1 || bars == 3) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    if (bars == 2 || bars == 3) style |= WS_VSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (box.IntValue(17) == 1) style |= ES_CENTER;
  if (box.IntValue(17) == 2) style |= ES_RIGHT;
  if (box.IntValue(18) == 1) style |= ES_READONLY;
  if (box.IntValue(18) == 2) style |= ES_PASSWORD;
  return style;
}

// The height of "吴" in the font plus twice the edge height.
int MinimumSingleLineHeight(HWND box, HFONT font) {
  HDC dc = GetDC(box);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  const char* sample = "吴";
  GetTextExtentPoint32A(dc, sample, 2, &size);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  return size.cy + 2 * GetSystemMetrics(SM_CYEDGE);
}

}  // namespace

extern const KindInfo kEditBoxKindInfo = {EditBoxKind, "EditBox", kEditBoxProperties,
                                          static_cast<int>(std::size(kEditBoxProperties)), CreateEditBoxObject};

EditBoxObject::~EditBoxObject() = default;

bool EditBoxObject::Create(HWND parent) {
  const UnitRecord& record = *unit().record;
  DWORD style = EditStyle(*this);
  DWORD exStyle = 0;
  BorderStyles(IntValue(9), style, exStyle);
  // The text goes in once the font is set: a multi-line box lays its
  // lines out for every font it is given, and the server list is long.
  hwnd_ = CreateWindowExA(exStyle, "EDIT", "", style, record.left, record.top, record.width, record.height, parent,
                          nullptr, ProgramInstance(), nullptr);
  if (!hwnd_) return false;
  HFONT font = UnitFont(12);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!SetWindowTextA(hwnd_, TextValue(8).c_str())) return false;
  if (!IntValue(15)) {
    const int minimum = MinimumSingleLineHeight(hwnd_, font);
    if (record.height < minimum)
      SetWindowPos(hwnd_, nullptr, 0, 0, record.width, minimum, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(IntValue(14)), 0);
  if (IntValue(21) != 0 && !IntValue(15) && !CreateSpinner(parent)) return false;
  const int32_t start = IntValue(24);
  SendMessageA(hwnd_, EM_SETSEL, start, start + IntValue(25));
  SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
  return true;
}

PropertyValue EditBoxObject::ReadOwn(int32_t number) {
  if (number != property::Content) return UnitObject::ReadOwn(number);
  // The control's current text, which the user may have changed.
  PropertyValue value;
  const int length = GetWindowTextLengthA(hwnd_);
  if (length <= 0) return value;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd_, text.data(), length + 1);
  value.text = NewText(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return value;
}

void EditBoxObject::WriteOwn(int32_t number, const PropertyInput& value) {
  UnitObject::WriteOwn(number, value);
  if (number == property::Content) SetWindowTextA(hwnd_, TextValue(8).c_str());
}

bool EditBoxObject::OnCommand(WORD code) {
  switch (code) {
    case EN_CHANGE: Raise(event::ContentChanged); return true;
    case EN_SETFOCUS: Raise(event::FocusGained); return true;
    case EN_KILLFOCUS: Raise(event::FocusLost); return true;
  }
  return false;
}

HBRUSH EditBoxObject::OnControlColour(HDC dc) {
  // Also for a read-only box, which the platform would paint grey.
  const COLORREF background = ResolveColour(IntValue(11));
  SetTextColor(dc, ResolveColour(IntValue(10)));
  SetBkColor(dc, background);
  return Brush(background);
}

bool EditBoxObject::ClaimsKey(UINT virtualKey) const {
  return virtualKey == VK_RETURN && IntValue(15) && IntValue(18) != 1;
}

bool EditBoxObject::Owns(HWND hwnd) const { return hwnd != nullptr && (hwnd == hwnd_ || hwnd == spinner_); }

}  // namespace tavrel
