#include "screens/results_window.h"

#include "app/tables.h"
#include "services/clipboard.h"
#include "services/probe.h"
#include "text/text.h"
#include "ui/framework.h"
#include "ui/list_operations.h"

namespace tavrel {
namespace {

constexpr ListRef kResultList{ResultsWindow, 超级列表框1};

ColumnArguments Column(const char* headerText, int32_t width) {
  ColumnArguments column;
  column.headerText = headerText;
  column.width = width;
  return column;
}

}  // namespace

void ResultsWindowCreated() {
  // The answers are not examined.
  InsertColumn(kResultList, Column("DNS服务器", 200));
  InsertColumn(kResultList, Column("Ping", 100));
  WriteProperty(ResultsWindow, ResultsWindowUnit, property::Caption, -1, "正在Ping操作，请稍后...");
}

void ResultsWindowFirstActivated() {
  for (int32_t i = 1; i <= SlotCount; ++i) {
    StoreLatencySlot(i, ProbeHost(ServerSlot(i), maxWaitMs));
    const int32_t row = AppendRow(kResultList);
    {
      OwnedText server = CopyText(ServerSlot(i));
      SetCellText(kResultList, row, 0, server.c_str());
    }
    if (LatencySlot(i) < 0) {
      SetCellText(kResultList, row, 1, "超时（禁Ping）");
    } else {
      OwnedText milliseconds = IntToText(LatencySlot(i));
      SetCellText(kResultList, row, 1, milliseconds.c_str());
    }
  }
  WriteProperty(ResultsWindow, ResultsWindowUnit, property::Caption, -1, "处理完成，左键单击复制");
}

void ResultListClicked() {
  const int32_t row = ReadProperty(ResultsWindow, 超级列表框1, property::SelectedIndex, -1).number;
  OwnedText text = GetCellText(kResultList, row, 0);
  SetClipboardText(text.c_str());  // the result is not examined
}

}  // namespace tavrel
