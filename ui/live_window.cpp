#include "ui/live_window.h"

#include <algorithm>

#include "ui/kinds.h"

namespace tavrel {

FrameworkState& Framework() {
  static FrameworkState state;
  return state;
}

UnitObject::UnitObject(LiveWindow& window, const ResolvedUnit& unit) : window_(window), unit_(unit) {
  // Every property starts at its kind's default; the definition's block
  // replaces the values it sets.
  const KindInfo& kind = *unit.kind;
  for (int k = 0; k < kind.propertyCount; ++k) {
    const PropertyDescriptor& descriptor = kind.properties[k];
    StoredValue value;
    value.number = descriptor.defaultValue;
    if (descriptor.defaultText) value.text = descriptor.defaultText;
    values_[descriptor.number] = value;
  }
  for (const PropertySetting& setting : unit.record->properties) {
    StoredValue& value = values_[setting.number];
    value.number = setting.value;
    if (setting.text) value.text = setting.text;
    if (setting.font) {
      value.hasFont = true;
      value.font = *setting.font;
    }
  }
}

UnitObject::~UnitObject() {
  // Deleting a font or brush that a live window still uses would be wrong;
  // units are deleted only after their windows are gone.
  if (ownFont_) DeleteObject(ownFont_);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
}

int32_t UnitObject::IntValue(int32_t number) const {
  auto found = values_.find(number);
  return found == values_.end() ? 0 : found->second.number;
}

const std::string& UnitObject::TextValue(int32_t number) const {
  static const std::string empty;
  auto found = values_.find(number);
  return found == values_.end() ? empty : found->second.text;
}

const LOGFONTA* UnitObject::FontValue(int32_t number) const {
  auto found = values_.find(number);
  return found != values_.end() && found->second.hasFont ? &found->second.font : nullptr;
}

PropertyValue UnitObject::ReadOwn(int32_t number) {
  PropertyValue result;
  const PropertyDescriptor* descriptor = unit_.kind->Find(number);
  if (descriptor == nullptr) return result;
  if (descriptor->type == PropertyType::Text) {
    result.text = CopyTextValue(TextValue(number));
  } else if (descriptor->type == PropertyType::Boolean) {
    result.number = IntValue(number) != 0 ? 1 : 0;
  } else {
    result.number = IntValue(number);
  }
  return result;
}

void UnitObject::WriteOwn(int32_t number, const PropertyInput& value) {
  const PropertyDescriptor* descriptor = unit_.kind->Find(number);
  if (descriptor == nullptr) return;
  StoredValue& stored = values_[number];
  if (descriptor->type == PropertyType::Text)
    stored.text = value.text ? value.text : "";
  else
    stored.number = value.number;
}

HBRUSH UnitObject::Brush(COLORREF colour) {
  if (backgroundBrush_ && brushColour_ == colour) return backgroundBrush_;
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  backgroundBrush_ = CreateSolidBrush(colour);
  brushColour_ = colour;
  return backgroundBrush_;
}

HFONT UnitObject::UnitFont(int32_t fontProperty) {
  if (ownFont_) return ownFont_;
  if (const LOGFONTA* record = FontValue(fontProperty)) ownFont_ = CreateFontFromRecord(*record);
  return ownFont_ ? ownFont_ : DefaultGuiFont();
}

HWND LiveWindow::hwnd() const { return units.empty() || !units.front() ? nullptr : units.front()->hwnd(); }

UnitObject* LiveWindow::UnitFor(HWND hwnd) const {
  if (hwnd == nullptr) return nullptr;
  for (const auto& unit : units)
    if (unit && unit->Owns(hwnd)) return unit.get();
  return nullptr;
}

UnitObject* LiveWindow::Unit(ControlId controlId) const {
  const ResolvedUnit* unit = FindUnit(definition, controlId);
  if (unit == nullptr) return nullptr;
  for (const auto& object : units)
    if (object && &object->unit() == unit) return object.get();
  return nullptr;
}

std::vector<UnitObject*> LiveWindow::TabOrder() const {
  std::vector<UnitObject*> order;
  for (std::size_t k = units.size(); k-- > 1;) {
    UnitObject* unit = units[k].get();
    if (!unit || !(unit->unit().record->flags & FlagTabStop)) continue;
    if (!IsWindowVisible(unit->hwnd()) || !IsWindowEnabled(unit->hwnd())) continue;
    order.push_back(unit);
  }
  std::stable_sort(order.begin(), order.end(), [](UnitObject* a, UnitObject* b) {
    return a->unit().record->tabIndex < b->unit().record->tabIndex;
  });
  return order;
}

LiveWindow* FindLiveWindow(WindowId windowId) {
  const int index = FindWindowIndex(windowId);
  auto& live = Framework().live;
  if (index < 0 || index >= static_cast<int>(live.size())) return nullptr;
  return live[index].get();
}

LiveWindow* FindLiveWindow(HWND topLevel) {
  if (topLevel == nullptr) return nullptr;
  for (const auto& window : Framework().live)
    if (window && window->hwnd() == topLevel) return window.get();
  return nullptr;
}

bool StillLoaded(WindowId windowId, uint32_t serial) {
  LiveWindow* window = FindLiveWindow(windowId);
  return window != nullptr && window->serial == serial && !window->gone;
}

bool AnyWindowLoaded() {
  for (const auto& window : Framework().live)
    if (window) return true;
  return false;
}

}  // namespace tavrel
