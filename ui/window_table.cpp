#include "ui/window_table.h"

namespace tavrel {
namespace {

// 编辑框1's font: 14 pixels high, normal weight; the creator replaces the
// character set, precisions, quality and pitch.
LOGFONTA ServerListFont() {
  LOGFONTA font{};
  font.lfHeight = -14;
  font.lfWeight = 400;
  font.lfCharSet = 134;
  return font;
}
const LOGFONTA kServerListFont = ServerListFont();

constexpr uint32_t kVisibleTabStop = FlagVisible | FlagTabStop;

std::vector<WindowRecord> BuildTable() {
  using namespace handler_name;
  WindowRecord mainWindow{
      MainWindow,
      {
          {MainWindowUnit, WindowKind, "", 50, 50, 355, 411, FlagVisible, 0, 0,
           {{event::Created, MainWindowCreated}},
           {TextSetting(8, "Tavrel")}},
          {编辑框2, EditBoxKind, "编辑框2", 275, 93, 56, 20, kVisibleTabStop, 0, 0, {},
           {IntSetting(21, 1), IntSetting(22, 10), IntSetting(23, 2000), IntSetting(25, 5), TextSetting(8, "500毫秒")}},
          {标签3, LabelKind, "标签3", 192, 88, 80, 24, FlagVisible, 0, 0, {}, {TextSetting(8, "最长等待时间：")}},
          {标签2, LabelKind, "标签2", 192, 344, 160, 40, FlagVisible, 0, 0, {},
           {IntSetting(25, 1), TextSetting(8, "Tavrel：公共DNS优选工具，由 Tavrel 团队编写")}},
          {按钮1, ButtonKind, "按钮1", 224, 40, 80, 32, kVisibleTabStop, 0, 0,
           {{event::Clicked, StartButtonClicked}},
           {TextSetting(10, "开始优选")}},
          {编辑框1, EditBoxKind, "编辑框1", 0, 32, 184, 344, kVisibleTabStop, 0, 0, {},
           {IntSetting(9, 0), IntSetting(15, 1), IntSetting(16, 2), IntSetting(18, 1), FontSetting(12, &kServerListFont),
            TextSetting(8, kDefaultServerList)}},
          {标签1, LabelKind, "标签1", 24, 8, 96, 24, FlagVisible, 0, 0, {}, {TextSetting(8, "DNS服务器列表：")}},
      }};
  WindowRecord resultsWindow{
      ResultsWindow,
      {
          {ResultsWindowUnit, WindowKind, "", 50, 50, 330, 521, FlagVisible, 0, 0,
           {{event::Created, ResultsWindowCreated}, {event::FirstActivated, ResultsWindowFirstActivated}},
           {}},
          {超级列表框1, ListViewKind, "超级列表框1", 8, 16, 305, 464, kVisibleTabStop, 0, 0,
           {{event::ListClicked, ResultListClicked}},
           {IntSetting(13, 3), IntSetting(21, 1), IntSetting(22, 1)}},
      }};
  return {mainWindow, resultsWindow};
}

}  // namespace

const std::vector<WindowRecord>& ProgramWindowTable() {
  static const std::vector<WindowRecord> table = BuildTable();
  return table;
}

}  // namespace tavrel
