// The kind `Button`: a push button that raises Clicked when it reports a
// click, by mouse or by the space bar.
#include "ui/kinds.h"

namespace tavrel {
namespace {

const PropertyDescriptor kButtonProperties[] = {
    {9, PropertyType::Integer, 0, nullptr},    // type: 0 ordinary, 1 default
    {10, PropertyType::Text, 0, "按钮"},       // caption
    {11, PropertyType::Integer, 1, nullptr},   // horizontal alignment
    {12, PropertyType::Integer, 1, nullptr},   // vertical alignment
    {13, PropertyType::Font, 0, nullptr},      // font
};

UnitObject* CreateButtonObject(LiveWindow& window, const ResolvedUnit& unit) { return new ButtonObject(window, unit); }

DWORD AlignmentStyle(int32_t horizontal, int32_t vertical) {
  const DWORD across[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
  const DWORD down[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
  return (horizontal >= 0 && horizontal <= 2 ? across[horizontal] : BS_CENTER) |
         (vertical >= 0 && vertical <= 2 ? down[vertical] : BS_VCENTER);
}

}  // namespace

extern const KindInfo kButtonKindInfo = {ButtonKind, "Button", kButtonProperties,
                                         static_cast<int>(std::size(kButtonProperties)), CreateButtonObject};

bool ButtonObject::Create(HWND parent) {
  const UnitRecord& record = *unit().record;
  const DWORD style = ControlStyle(*this) | BS_MULTILINE | (IsDefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                      AlignmentStyle(IntValue(11), IntValue(12));
  hwnd_ = CreateWindowExA(0, "BUTTON", TextValue(10).c_str(), style, record.left, record.top, record.width,
                          record.height, parent, nullptr, ProgramInstance(), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(13)), FALSE);
  return true;
}

void ButtonObject::WriteOwn(int32_t number, const PropertyInput& value) {
  UnitObject::WriteOwn(number, value);
  if (number == 10) SetWindowTextA(hwnd_, TextValue(10).c_str());
}

bool ButtonObject::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Raise(event::Clicked);
  return true;
}

}  // namespace tavrel
