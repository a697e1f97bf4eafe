// The kind `Label`: a window of the framework's own class that fills its
// area with its background colour and draws its text.
#include "ui/kinds.h"

namespace tavrel {
namespace {

const PropertyDescriptor kLabelProperties[] = {
    {8, PropertyType::Text, 0, "标签"},       // text
    {10, PropertyType::Integer, 0, nullptr},  // border
    {15, PropertyType::Font, 0, nullptr},     // font
    {16, PropertyType::Integer, 0, nullptr},  // text colour
    {17, PropertyType::Integer, static_cast<int32_t>(0xFF000000), nullptr},  // background colour
    {24, PropertyType::Integer, 0, nullptr},  // horizontal alignment
    {25, PropertyType::Boolean, 0, nullptr},  // word wrap
    {26, PropertyType::Integer, 1, nullptr},  // vertical alignment
};

UnitObject* CreateLabelObject(LiveWindow& window, const ResolvedUnit& unit) { return new LabelObject(window, unit); }

constexpr const char* kLabelClass = "WTLabel";

}  // namespace

extern const KindInfo kLabelKindInfo = {LabelKind, "Label", kLabelProperties,
                                        static_cast<int>(std::size(kLabelProperties)), CreateLabelObject};

bool RegisterWindowClass(const char* className, WNDPROC procedure);

bool LabelObject::Create(HWND parent) {
  if (!RegisterWindowClass(kLabelClass, &LabelObject::LabelProcedure)) return false;
  const UnitRecord& record = *unit().record;
  DWORD style = (ControlStyle(*this) & ~static_cast<DWORD>(WS_TABSTOP));
  DWORD exStyle = 0;
  BorderStyles(IntValue(10), style, exStyle);
  return CreateWindowExA(exStyle, kLabelClass, TextValue(8).c_str(), style, record.left, record.top, record.width,
                         record.height, parent, nullptr, ProgramInstance(), this) != nullptr;
}

void LabelObject::WriteOwn(int32_t number, const PropertyInput& value) {
  UnitObject::WriteOwn(number, value);
  if (number == 8) SetWindowTextA(hwnd_, TextValue(8).c_str());
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void LabelObject::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (!dc) return;
  RECT area{};
  GetClientRect(hwnd_, &area);
  FillRect(dc, &area, Brush(ResolveColour(IntValue(17))));
  const std::string& text = TextValue(8);
  if (!text.empty()) {
    const int32_t horizontal = IntValue(24);
    UINT format = DT_NOCLIP | (horizontal == 1 ? DT_CENTER : horizontal == 2 ? DT_RIGHT : DT_LEFT);
    if (IntValue(25)) {
      format |= DT_WORDBREAK | DT_TOP;
    } else {
      const int32_t vertical = IntValue(26);
      format |= DT_SINGLELINE | (vertical == 0 ? DT_TOP : vertical == 2 ? DT_BOTTOM : DT_VCENTER);
    }
    HGDIOBJ oldFont = SelectObject(dc, UnitFont(15));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColour(IntValue(16)));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    SelectObject(dc, oldFont);
  }
  EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK LabelObject::LabelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = BoundObject<LabelObject>(hwnd, message, lParam);
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole area
    case WM_PAINT:
      self->Paint();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace tavrel
