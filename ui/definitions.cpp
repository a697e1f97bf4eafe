#include "ui/definitions.h"

#include <cstring>

namespace tavrel {

extern const KindInfo kWindowKindInfo;
extern const KindInfo kEditBoxKindInfo;
extern const KindInfo kLabelKindInfo;
extern const KindInfo kButtonKindInfo;
extern const KindInfo kListViewKindInfo;

namespace {

std::vector<ResolvedWindow> resolvedWindows;

Handler FindHandler(const std::vector<HandlerEntry>& handlers, const char* name) {
  for (const auto& entry : handlers)
    if (name && entry.name && std::strcmp(entry.name, name) == 0) return entry.procedure;
  return nullptr;
}

bool ResolveUnit(const UnitRecord& record, bool isOwnUnit, const std::vector<HandlerEntry>& handlers,
                 ResolvedUnit& resolved) {
  if (!IsWellFormedId(record.controlId)) return false;
  resolved.record = &record;
  resolved.kind = FindKind(record.kind);
  if (resolved.kind == nullptr || (resolved.kind->id == WindowKind) != isOwnUnit) return false;
  for (const auto& setting : record.properties) {
    const PropertyDescriptor* descriptor = resolved.kind->Find(setting.number);
    if (descriptor == nullptr) return false;
    if (descriptor->type == PropertyType::Font && setting.font == nullptr) return false;
  }
  for (const auto& binding : record.bindings) {
    Handler procedure = FindHandler(handlers, binding.handlerName);
    if (procedure == nullptr) return false;
    resolved.bindings.push_back({binding.eventNumber, procedure});
  }
  return true;
}

bool ResolveWindow(const WindowRecord& record, const std::vector<HandlerEntry>& handlers, ResolvedWindow& resolved) {
  if (!IsWellFormedId(record.windowId) || record.units.empty()) return false;
  resolved.record = &record;
  for (std::size_t k = 0; k < record.units.size(); ++k) {
    ResolvedUnit unit{};
    if (!ResolveUnit(record.units[k], k == 0, handlers, unit)) return false;
    for (const auto& earlier : resolved.units)
      if (earlier.record->controlId == unit.record->controlId) return false;
    resolved.units.push_back(std::move(unit));
  }
  return true;
}

}  // namespace

const PropertyDescriptor* KindInfo::Find(int32_t number) const {
  for (int k = 0; k < propertyCount; ++k)
    if (properties[k].number == number) return &properties[k];
  return nullptr;
}

const KindInfo* FindKind(KindId id) {
  for (const KindInfo* kind : {&kWindowKindInfo, &kEditBoxKindInfo, &kLabelKindInfo, &kButtonKindInfo, &kListViewKindInfo})
    if (kind->id == id) return kind;
  return nullptr;
}

bool TakeInDefinitions(const std::vector<WindowRecord>& table, const std::vector<HandlerEntry>& handlers) {
  std::vector<ResolvedWindow> windows;
  for (const auto& record : table) {
    ResolvedWindow window{};
    if (!ResolveWindow(record, handlers, window)) return false;
    windows.push_back(std::move(window));
  }
  resolvedWindows = std::move(windows);
  return true;
}

const std::vector<ResolvedWindow>& Definitions() { return resolvedWindows; }

int FindWindowIndex(WindowId windowId) {
  if (!IsWellFormedId(windowId)) return -1;
  for (std::size_t k = 0; k < resolvedWindows.size(); ++k)
    if (resolvedWindows[k].record->windowId == windowId) return static_cast<int>(k);
  return -1;
}

const ResolvedUnit* FindUnit(const ResolvedWindow& window, ControlId controlId) {
  if (controlId == 0) return &window.units.front();
  if (!IsWellFormedId(controlId)) return nullptr;
  for (const auto& unit : window.units)
    if (unit.record->controlId == controlId) return &unit;
  return nullptr;
}

}  // namespace tavrel
