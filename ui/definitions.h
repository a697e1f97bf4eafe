// Definition data: the windows, their units, bindings and property values,
// and the checked form in which the framework keeps them once taken in.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/ids.h"

namespace tavrel {

enum UnitFlag : uint32_t { FlagVisible = 1, FlagDisabled = 2, FlagTabStop = 4 };

struct PropertySetting {
  int32_t number;
  int32_t value;
  const char* text;       // set for text properties
  const LOGFONTA* font;   // set for font properties
};
constexpr PropertySetting IntSetting(int32_t number, int32_t value) { return {number, value, nullptr, nullptr}; }
constexpr PropertySetting TextSetting(int32_t number, const char* text) { return {number, 0, text, nullptr}; }
constexpr PropertySetting FontSetting(int32_t number, const LOGFONTA* font) { return {number, 0, nullptr, font}; }

struct EventBinding {
  int32_t eventNumber;
  const char* handlerName;
};

struct UnitRecord {
  ControlId controlId;
  KindId kind;
  const char* name;
  int32_t left, top, width, height;
  uint32_t flags;
  int32_t tabIndex;
  ControlId container;  // 0: the window itself
  std::vector<EventBinding> bindings;
  std::vector<PropertySetting> properties;
};

struct WindowRecord {
  WindowId windowId;
  std::vector<UnitRecord> units;  // unit 0 is the window's own unit
};

// Handlers are named by the definitions and resolved through this table,
// which the start-up code supplies.
using Handler = void (*)();
struct HandlerEntry {
  const char* name;
  Handler procedure;
};

enum class PropertyType { Integer, Boolean, Text, Font };
struct PropertyDescriptor {
  int32_t number;
  PropertyType type;
  int32_t defaultValue;
  const char* defaultText;
};

class UnitObject;
class LiveWindow;
struct ResolvedUnit;
struct KindInfo {
  KindId id;
  const char* name;
  const PropertyDescriptor* properties;
  int propertyCount;
  UnitObject* (*create)(LiveWindow& window, const ResolvedUnit& unit);
  const PropertyDescriptor* Find(int32_t number) const;
};
const KindInfo* FindKind(KindId id);

struct ResolvedBinding {
  int32_t eventNumber;
  Handler procedure;
};
struct ResolvedUnit {
  const UnitRecord* record;
  const KindInfo* kind;
  std::vector<ResolvedBinding> bindings;
};
struct ResolvedWindow {
  const WindowRecord* record;
  std::vector<ResolvedUnit> units;
};

// Checks the whole table (well-formed identifiers, known kinds, known
// property numbers, resolvable handlers) and keeps it for the process.
// Returns false, keeping nothing, when any of it cannot be taken in.
bool TakeInDefinitions(const std::vector<WindowRecord>& table, const std::vector<HandlerEntry>& handlers);
const std::vector<ResolvedWindow>& Definitions();
int FindWindowIndex(WindowId windowId);  // -1 when not in the table
const ResolvedUnit* FindUnit(const ResolvedWindow& window, ControlId controlId);  // 0: own unit

}  // namespace tavrel
