// The kind `ListView`: a SysListView32 report list. Its notifications
// become the list's events; ListClicked is raised inside NM_CLICK, which
// the control sends after the click has updated the selection.
#include <windows.h>
#include <commctrl.h>

#include "ui/kinds.h"

namespace tavrel {
namespace {

const PropertyDescriptor kListViewProperties[] = {
    {8, PropertyType::Integer, 1, nullptr},            // border
    {9, PropertyType::Integer, 0, nullptr},            // text colour
    {10, PropertyType::Integer, 0x00FFFFFF, nullptr},  // text background colour
    {11, PropertyType::Integer, 0x00FFFFFF, nullptr},  // background colour
    {12, PropertyType::Font, 0, nullptr},              // font
    {13, PropertyType::Integer, 0, nullptr},           // view type
    {18, PropertyType::Boolean, 0, nullptr},           // hide the column header
    {20, PropertyType::Boolean, 1, nullptr},           // header buttons clickable
    {21, PropertyType::Boolean, 0, nullptr},           // full-row selection
    {22, PropertyType::Boolean, 0, nullptr},           // grid lines
    {23, PropertyType::Boolean, 0, nullptr},           // header drag and drop
    {26, PropertyType::Boolean, 0, nullptr},           // hot tracking
    {30, PropertyType::Boolean, 0, nullptr},           // labels editable
    {31, PropertyType::Integer, 0, nullptr},           // sort order
    {32, PropertyType::Boolean, 0, nullptr},           // check boxes
    {34, PropertyType::Boolean, 1, nullptr},           // single selection
    {35, PropertyType::Integer, -1, nullptr},          // SelectedIndex
    {36, PropertyType::Boolean, 0, nullptr},           // show the selection without focus
};

UnitObject* CreateListViewObject(LiveWindow& window, const ResolvedUnit& unit) { return new ListViewObject(window, unit); }

DWORD ListStyle(const UnitObject& list) {
  const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  const int32_t view = list.IntValue(13);
  DWORD style = 0x46000000 | (ControlStyle(list) & (WS_DISABLED | WS_TABSTOP));
  style |= (view >= 0 && view <= 3) ? views[view] : LVS_ICON;
  if (list.IntValue(34)) style |= LVS_SINGLESEL;
  if (list.IntValue(18)) style |= LVS_NOCOLUMNHEADER;
  if (!list.IntValue(20)) style |= LVS_NOSORTHEADER;
  if (list.IntValue(30)) style |= LVS_EDITLABELS;
  if (list.IntValue(31) == 1) style |= LVS_SORTASCENDING;
  else if (list.IntValue(31) != 0) style |= LVS_SORTDESCENDING;
  if (list.IntValue(36)) style |= LVS_SHOWSELALWAYS;
  return style;
}

DWORD ListExtendedStyle(const UnitObject& list) {
  DWORD style = LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP;
  if (list.IntValue(21)) style |= LVS_EX_FULLROWSELECT;
  if (list.IntValue(22)) style |= LVS_EX_GRIDLINES;
  if (list.IntValue(23)) style |= LVS_EX_HEADERDRAGDROP;
  if (list.IntValue(26)) style |= LVS_EX_TRACKSELECT;
  if (list.IntValue(32)) style |= LVS_EX_CHECKBOXES;
  return style;
}

}  // namespace

extern const KindInfo kListViewKindInfo = {ListViewKind, "ListView", kListViewProperties,
                                           static_cast<int>(std::size(kListViewProperties)), CreateListViewObject};

bool ListViewObject::Create(HWND parent) {
  const UnitRecord& record = *unit().record;
  hwnd_ = CreateWindowExA(0, WC_LISTVIEWA, "", ListStyle(*this), record.left, record.top, record.width, record.height,
                          parent, nullptr, ProgramInstance(), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ListExtendedStyle(*this));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UnitFont(12)), TRUE);
  SendMessageA(hwnd_, LVM_SETTEXTCOLOR, 0, ResolveColour(IntValue(9)));
  SendMessageA(hwnd_, LVM_SETTEXTBKCOLOR, 0, ResolveColour(IntValue(10)));
  SendMessageA(hwnd_, LVM_SETBKCOLOR, 0, ResolveColour(IntValue(11)));

  constexpr LONG_PTR kEdges = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
  DWORD style = 0, edge = 0;
  BorderStyles(IntValue(8), style, edge);
  const LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, (exStyle & ~kEdges) | static_cast<LONG_PTR>(edge));
  if (style & WS_BORDER) SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) | WS_BORDER);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  return true;
}

PropertyValue ListViewObject::ReadOwn(int32_t number) {
  if (number != property::SelectedIndex) return UnitObject::ReadOwn(number);
  PropertyValue value;
  value.number = static_cast<int32_t>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return value;
}

bool ListViewObject::OnNotify(NMHDR* header, LRESULT& result) {
  result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED)) Raise(0);
      const UINT newCheck = change->uNewState & LVIS_STATEIMAGEMASK, oldCheck = change->uOldState & LVIS_STATEIMAGEMASK;
      if (IntValue(32) && (change->uChanged & LVIF_STATE) && newCheck != oldCheck && oldCheck != 0)
        Raise(8, {change->iItem, (newCheck >> 12) == 2 ? 1 : 0});
      return true;
    }
    case LVN_ITEMACTIVATE: Raise(1); return true;
    case LVN_COLUMNCLICK: Raise(2, {reinterpret_cast<NMLISTVIEW*>(header)->iSubItem}); return true;
    case LVN_HOTTRACK: Raise(3, {reinterpret_cast<NMLISTVIEW*>(header)->iItem}); return true;
    case NM_CLICK: Raise(event::ListClicked); return true;
    case NM_RCLICK: Raise(5); return true;
    case LVN_BEGINLABELEDITA: Raise(6, {reinterpret_cast<NMLVDISPINFOA*>(header)->item.iItem}); return true;
    case LVN_ENDLABELEDITA: Raise(7, {reinterpret_cast<NMLVDISPINFOA*>(header)->item.iItem}); return true;
    case NM_SETFOCUS: Raise(event::FocusGained); return true;
    case NM_KILLFOCUS: Raise(event::FocusLost); return true;
  }
  return false;
}

}  // namespace tavrel
