// Live state of the framework: the loaded windows, their unit objects and
// the process-wide fields that order events, dialogs and activation.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/definitions.h"
#include "text/text.h"
#include "ui/framework.h"

namespace tavrel {

inline OwnedText CopyTextValue(const std::string& text) { return NewText(text.data(), text.size()); }

// A property value as a unit keeps it.
struct StoredValue {
  int32_t number = 0;
  std::string text;
  bool hasFont = false;
  LOGFONTA font{};
};

class LiveWindow;

// One live unit: a window's own unit or one of its controls.
class UnitObject {
 public:
  UnitObject(LiveWindow& window, const ResolvedUnit& unit);
  virtual ~UnitObject();

  // Builds the live Windows window; false when it cannot be created.
  virtual bool Create(HWND parent) = 0;
  virtual PropertyValue ReadOwn(int32_t number);
  virtual void WriteOwn(int32_t number, const PropertyInput& value);

  // Messages that the top-level window forwards to the unit they concern.
  virtual bool OnCommand(WORD /*code*/) { return false; }
  virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual HBRUSH OnControlColour(HDC /*dc*/) { return nullptr; }
  virtual bool ClaimsKey(UINT /*virtualKey*/) const { return false; }
  virtual bool IsDefaultButton() const { return false; }
  virtual bool Owns(HWND hwnd) const { return hwnd == hwnd_ && hwnd_ != nullptr; }

  HWND hwnd() const { return hwnd_; }
  LiveWindow& window() const { return window_; }
  const ResolvedUnit& unit() const { return unit_; }
  ControlId controlId() const { return unit_.record->controlId; }

  int32_t IntValue(int32_t number) const;
  const std::string& TextValue(int32_t number) const;
  const LOGFONTA* FontValue(int32_t number) const;

  // Raises an event of this unit.
  void Raise(int32_t eventNumber, std::initializer_list<int32_t> arguments = {});

 protected:
  HWND hwnd_ = nullptr;
  HFONT ownFont_ = nullptr;  // created from the font property; deleted with the unit
  HBRUSH backgroundBrush_ = nullptr;
  HBRUSH Brush(COLORREF colour);
  HFONT UnitFont(int32_t fontProperty);

  // The one binding of a window to its object: the pointer passed to
  // CreateWindowEx is stored at WM_NCCREATE; every later message finds it.
  template <typename Object>
  static Object* BoundObject(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Object*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }

 private:
  LiveWindow& window_;
  const ResolvedUnit& unit_;
  std::map<int32_t, StoredValue> values_;
  COLORREF brushColour_ = 0;
};

class LiveWindow {
 public:
  LiveWindow(const ResolvedWindow& definition, uint32_t serial) : definition(definition), serial(serial) {}
  const ResolvedWindow& definition;
  const uint32_t serial;   // tells this instance apart from later ones
  bool building = true;    // units are being created; the loader owns cleanup
  bool gone = false;       // the top-level window has been destroyed
  std::vector<std::unique_ptr<UnitObject>> units;  // in definition order
  bool firstActivationDone = false;
  bool isModal = false;
  std::vector<std::pair<HWND, bool>> disabledByDialog;
  HWND rememberedFocus = nullptr;

  WindowId windowId() const { return definition.record->windowId; }
  HWND hwnd() const;
  UnitObject* UnitFor(HWND hwnd) const;  // the unit whose live window this is
  UnitObject* Unit(ControlId controlId) const;
  // Controls that take the focus by Tab: visible, enabled, tab stop, by
  // ascending tab index and, among equal ones, last defined first.
  std::vector<UnitObject*> TabOrder() const;
};

struct FrameworkState {
  WindowId modalWindowId = 0;
  int32_t eventSuspendCount = 0;
  bool loopStarted = false;
  bool activationGuard = false;
  HWND hiddenOwner = nullptr;
  std::vector<std::unique_ptr<LiveWindow>> live;  // parallel to Definitions()
};
FrameworkState& Framework();

// How many handlers are running, one inside another.
int HandlerDepth();

LiveWindow* FindLiveWindow(WindowId windowId);
bool StillLoaded(WindowId windowId, uint32_t serial);
LiveWindow* FindLiveWindow(HWND topLevel);
bool AnyWindowLoaded();

// Message processing shared by the loops and LoadWindow.
void ProcessPendingMessages();
bool PreTranslateMessage(MSG& message);  // true: consumed
void RunNestedLoop();

// Window behaviour implemented beside the loader.
void OnActivate(LiveWindow& window, bool activating);
void OnWindowFocus(LiveWindow& window);
void MoveFocusToFirstControl(LiveWindow& window);
void RequestClose(LiveWindow& window);
void OnWindowGone(LiveWindow& window);
void ShowLoadedWindow(LiveWindow& window);

// Colours and fonts.
COLORREF ResolveColour(int32_t value);  // 0xFF000000: the button-face colour, now
HFONT DefaultGuiFont();
HFONT CreateFontFromRecord(const LOGFONTA& record);
HINSTANCE ProgramInstance();

}  // namespace tavrel
