// The column and item records that the list operations send, filled field
// by field so that nothing is left to whatever the memory held.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/list_operations.h"

namespace tavrel {

void FillColumnRecord(LVCOLUMNA& column, const ColumnArguments& arguments, int32_t index);
void FillItemRecord(LVITEMA& item, const RowArguments& arguments, int32_t index);

}  // namespace tavrel
