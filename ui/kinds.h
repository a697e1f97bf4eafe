// The unit kinds: each turns a unit's properties into a live window and
// answers for its own properties and notifications.
#pragma once
#include <windows.h>

#include "ui/live_window.h"

namespace tavrel {

class WindowObject : public UnitObject {
 public:
  using UnitObject::UnitObject;
  bool Create(HWND owner) override;
  void WriteOwn(int32_t number, const PropertyInput& value) override;
  // Handles a message of the top-level window; false: default processing.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void SyncTitleBar();

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Moved and resized are raised only for a real change: the platform also
  // repeats WM_MOVE and WM_SIZE for positions that did not change.
  bool ChangedPlace(UINT message, LPARAM lParam);
  void RememberPlace();
  LPARAM lastMove_ = -1, lastSize_ = -1;
  bool ForwardToUnit(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

class EditBoxObject : public UnitObject {
 public:
  using UnitObject::UnitObject;
  ~EditBoxObject() override;
  bool Create(HWND parent) override;
  PropertyValue ReadOwn(int32_t number) override;
  void WriteOwn(int32_t number, const PropertyInput& value) override;
  bool OnCommand(WORD code) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;
  HBRUSH OnControlColour(HDC dc) override;
  bool ClaimsKey(UINT virtualKey) const override;
  bool Owns(HWND hwnd) const override;
  HWND spinner() const { return spinner_; }

 private:
  bool CreateSpinner(HWND parent);
  void PlaceSpinner();
  void StepSpinner(int delta);
  static LRESULT CALLBACK BoxSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  HWND spinner_ = nullptr;
};

class LabelObject : public UnitObject {
 public:
  using UnitObject::UnitObject;
  bool Create(HWND parent) override;
  void WriteOwn(int32_t number, const PropertyInput& value) override;

 private:
  static LRESULT CALLBACK LabelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
};

class ButtonObject : public UnitObject {
 public:
  using UnitObject::UnitObject;
  bool Create(HWND parent) override;
  void WriteOwn(int32_t number, const PropertyInput& value) override;
  bool OnCommand(WORD code) override;
  bool IsDefaultButton() const override { return IntValue(9) == 1; }
};

class ListViewObject : public UnitObject {
 public:
  using UnitObject::UnitObject;
  bool Create(HWND parent) override;
  PropertyValue ReadOwn(int32_t number) override;
  bool OnNotify(NMHDR* header, LRESULT& result) override;
};

// Border styles shared by the edit box and the label: 0 none, 1 sunken,
// 2 raised, 3 thin sunken, 4 sunken and raised, 5 a single line.
void BorderStyles(int32_t border, DWORD& style, DWORD& exStyle);

// Applies the common flags of a control unit to its style.
DWORD ControlStyle(const UnitObject& unit);

}  // namespace tavrel

