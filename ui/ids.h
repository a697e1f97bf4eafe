// Identifiers of windows, units and kinds, and the numbers of the events
// and properties that the screens use. Nothing here needs windows.h, so
// the screens can name everything without touching the Windows API.
#pragma once
#include <cstdint>

namespace tavrel {

using WindowId = uint32_t;
using ControlId = uint32_t;
using KindId = uint32_t;

// An identifier is well formed when bits 0-23 and bits 24-27 are non-zero.
constexpr bool IsWellFormedId(uint32_t id) { return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0; }

constexpr WindowId MainWindow = 0x52010001;
constexpr WindowId ResultsWindow = 0x52010028;

constexpr ControlId MainWindowUnit = 0x06010000;
constexpr ControlId ResultsWindowUnit = 0x06010027;
constexpr ControlId 编辑框2 = 0x16010026;
constexpr ControlId 标签3 = 0x16010025;
constexpr ControlId 标签2 = 0x16010007;
constexpr ControlId 按钮1 = 0x16010006;
constexpr ControlId 编辑框1 = 0x16010003;
constexpr ControlId 标签1 = 0x16010002;
constexpr ControlId 超级列表框1 = 0x1601003F;

constexpr KindId WindowKind = 0x00010001;
constexpr KindId EditBoxKind = 0x00010005;
constexpr KindId LabelKind = 0x0001000A;
constexpr KindId ButtonKind = 0x0001000B;
constexpr KindId ListViewKind = 0x00020004;

namespace event {
constexpr int32_t Created = 0;
constexpr int32_t CloseRequest = 1;
constexpr int32_t Destroyed = 2;
constexpr int32_t Moved = 3;
constexpr int32_t Resized = 4;
constexpr int32_t Activated = 5;
constexpr int32_t Deactivated = 6;
constexpr int32_t Idle = 7;
constexpr int32_t FirstActivated = 8;
constexpr int32_t Shown = 10;
constexpr int32_t Hidden = 11;
constexpr int32_t Clicked = 0;        // Button
constexpr int32_t ContentChanged = 0; // EditBox
constexpr int32_t SpinnerManual = 1;  // EditBox, manual spinner
constexpr int32_t ListClicked = 4;    // ListView
constexpr int32_t FocusGained = -7;
constexpr int32_t FocusLost = -8;
}  // namespace event

namespace property {
constexpr int32_t Left = 0, Top = 1, Width = 2, Height = 3, Tag = 4, Visible = 5, Disabled = 6, Cursor = 7;
constexpr int32_t Caption = 8;        // window
constexpr int32_t Content = 8;        // EditBox
constexpr int32_t SelectedIndex = 35; // ListView
}  // namespace property

}  // namespace tavrel
