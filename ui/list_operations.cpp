#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/kinds.h"
#include "ui/list_records.h"

namespace tavrel {
namespace {

HWND ListWindow(ListRef list) {
  LiveWindow* window = FindLiveWindow(list.window);
  UnitObject* unit = window ? window->Unit(list.control) : nullptr;
  return unit && unit->unit().kind->id == ListViewKind ? unit->hwnd() : nullptr;
}

std::vector<HWND> deferredLists;

void DeferRedraw(HWND list) {
  if (HandlerDepth() == 0) return;
  for (HWND deferred : deferredLists)
    if (deferred == list) return;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  deferredLists.push_back(list);
}

int32_t ColumnCount(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int32_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace

void FillColumnRecord(LVCOLUMNA& column, const ColumnArguments& arguments, int32_t index) {
  std::memset(&column, 0, sizeof column);
  column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  if (arguments.alignment || arguments.imageOnRight) column.mask |= LVCF_FMT;
  if (arguments.image && *arguments.image > -1) column.mask |= LVCF_IMAGE;
  const int32_t alignment = arguments.alignment.value_or(0);
  column.fmt = alignment == 1 ? LVCFMT_CENTER : alignment == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
  if (arguments.imageOnRight && *arguments.imageOnRight != 0) column.fmt |= LVCFMT_BITMAP_ON_RIGHT;
  column.cx = arguments.width ? std::max(*arguments.width, int32_t{0}) : 50;
  column.pszText = const_cast<char*>(arguments.headerText ? arguments.headerText : "");
  column.iSubItem = index;
  column.iImage = arguments.image && *arguments.image >= -1 ? *arguments.image : -1;
}

void FillItemRecord(LVITEMA& item, const RowArguments& arguments, int32_t index) {
  std::memset(&item, 0, sizeof item);
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
  item.iItem = index;
  item.iSubItem = 0;
  item.pszText = const_cast<char*>(arguments.text ? arguments.text : "");
  item.iImage = arguments.image && *arguments.image >= -1 ? *arguments.image : -1;
  item.state = arguments.stateImage ? static_cast<UINT>(std::max(*arguments.stateImage + 1, 0)) << 12 : 0;
  item.stateMask = 0;
  item.iIndent = arguments.indent ? std::max(*arguments.indent, int32_t{0}) : 0;
  item.lParam = arguments.itemData.value_or(0);
}

int32_t InsertColumn(ListRef list, const ColumnArguments& arguments) {
  HWND control = ListWindow(list);
  if (!control) return -1;
  const int32_t index = arguments.position && *arguments.position >= 0 ? *arguments.position : ColumnCount(control);
  LVCOLUMNA column;
  FillColumnRecord(column, arguments, index);
  return static_cast<int32_t>(SendMessageA(control, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
}

int32_t AppendRow(ListRef list, const RowArguments& arguments) {
  HWND control = ListWindow(list);
  if (!control) return -1;
  const int32_t index = arguments.position && *arguments.position >= 0
                            ? *arguments.position
                            : static_cast<int32_t>(SendMessageA(control, LVM_GETITEMCOUNT, 0, 0));
  LVITEMA item;
  FillItemRecord(item, arguments, index);
  DeferRedraw(control);
  return static_cast<int32_t>(SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(ListRef list, std::optional<int32_t> row, std::optional<int32_t> column, const char* text) {
  HWND control = ListWindow(list);
  if (!control) return;
  LVITEMA item{};
  item.iSubItem = column.value_or(0);
  item.pszText = const_cast<char*>(text ? text : "");
  // The answer is not examined: a missing row or column is left alone.
  SendMessageA(control, LVM_SETITEMTEXTA, static_cast<WPARAM>(row.value_or(0)), reinterpret_cast<LPARAM>(&item));
}

void FlushDeferredListRedraws() {
  std::vector<HWND> lists;
  lists.swap(deferredLists);
  for (HWND list : lists) {
    if (!IsWindow(list)) continue;
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);  // painted when messages are processed again
  }
}

OwnedText GetCellText(ListRef list, std::optional<int32_t> row, std::optional<int32_t> column) {
  HWND control = ListWindow(list);
  if (!control) return OwnedText();
  // Doubles from 512 bytes while the control fills the buffer to its last
  // byte, so a cell of any length comes back whole.
  int32_t size = 512;
  char* buffer = static_cast<char*>(AllocateMemory(static_cast<std::size_t>(size)));
  for (;;) {
    buffer[0] = '\0';
    LVITEMA item{};
    item.iSubItem = column.value_or(0);
    item.pszText = buffer;
    item.cchTextMax = size;
    const LRESULT length =
        SendMessageA(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(row.value_or(0)), reinterpret_cast<LPARAM>(&item));
    if (length < size - 1) break;
    ReleaseMemory(buffer);
    size *= 2;
    buffer = static_cast<char*>(AllocateMemory(static_cast<std::size_t>(size)));
  }
  OwnedText text = CopyText(buffer);
  ReleaseMemory(buffer);
  return text;
}

}  // namespace tavrel
