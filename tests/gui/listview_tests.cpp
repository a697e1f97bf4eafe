// The report list: the records its operations send, reading cells back,
// the selection, and which notifications raise which events.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/gui_support.h"
#include "tests/memory_probe.h"
#include "ui/list_operations.h"
#include "ui/list_records.h"
#include "ui/live_window.h"

namespace tavrel {
namespace {

constexpr WindowId R = ResultsWindow;
constexpr ControlId L = 超级列表框1;
constexpr ListRef kList{R, L};

// What the control received, recorded by a subclass of the list.
struct Received {
  std::vector<LVCOLUMNA> columns;
  std::vector<std::string> columnTexts;
  std::vector<LVITEMA> items;
  std::vector<int> textReads;  // cchTextMax of each LVM_GETITEMTEXTA
};
Received received;

LRESULT CALLBACK RecordingSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == LVM_INSERTCOLUMNA) {
    received.columns.push_back(*reinterpret_cast<LVCOLUMNA*>(lParam));
    received.columnTexts.push_back(reinterpret_cast<LVCOLUMNA*>(lParam)->pszText);
  } else if (message == LVM_INSERTITEMA) {
    received.items.push_back(*reinterpret_cast<LVITEMA*>(lParam));
  } else if (message == LVM_GETITEMTEXTA) {
    received.textReads.push_back(reinterpret_cast<LVITEMA*>(lParam)->cchTextMax);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

class ListViewTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    received = Received{};
    ASSERT_TRUE(LoadWindow(R, std::nullopt, false));
    testing::Pump();
    list_ = testing::LiveHwnd(R, L);
    ASSERT_TRUE(SetWindowSubclass(list_, &RecordingSubclass, 7, 0));
  }
  void TearDown() override {
    RemoveWindowSubclass(list_, &RecordingSubclass, 7);
    GuiTest::TearDown();
  }
  void AddTwoColumnsAndRows(int rows) {
    InsertColumn(kList, Column("DNS服务器", 200));
    InsertColumn(kList, Column("Ping", 100));
    for (int k = 0; k < rows; ++k) {
      const int32_t row = AppendRow(kList);
      SetCellText(kList, row, 0, ("10.0.0." + std::to_string(k)).c_str());
      SetCellText(kList, row, 1, std::to_string(k).c_str());
    }
  }
  static ColumnArguments Column(const char* text, int32_t width) {
    ColumnArguments column;
    column.headerText = text;
    column.width = width;
    return column;
  }
  POINT RowPoint(int row, int column) { return testing::ListCellCenter(list_, row, column); }
  int32_t Selected() { return ReadProperty(R, L, property::SelectedIndex, -1).number; }
  HWND list_ = nullptr;
};

struct ColumnCase {
  const char* name;
  ColumnArguments arguments;
  UINT mask;
  int fmt;
  int cx;
  int image;
};

std::vector<ColumnCase> ColumnCases() {
  auto with = [](auto set) {
    ColumnArguments a;
    set(a);
    return a;
  };
  return {
      {"all omitted", {}, 0x000E, LVCFMT_LEFT, 50, -1},
      {"alignment 1", with([](auto& a) { a.alignment = 1; }), 0x000F, LVCFMT_CENTER, 50, -1},
      {"alignment 2", with([](auto& a) { a.alignment = 2; }), 0x000F, LVCFMT_RIGHT, 50, -1},
      {"alignment 0 given", with([](auto& a) { a.alignment = 0; }), 0x000F, LVCFMT_LEFT, 50, -1},
      {"imageOnRight", with([](auto& a) { a.imageOnRight = 1; }), 0x000F, LVCFMT_BITMAP_ON_RIGHT, 50, -1},
      {"image 3", with([](auto& a) { a.image = 3; }), 0x001E, LVCFMT_LEFT, 50, 3},
      {"image -1", with([](auto& a) { a.image = -1; }), 0x000E, LVCFMT_LEFT, 50, -1},
      {"image -5", with([](auto& a) { a.image = -5; }), 0x000E, LVCFMT_LEFT, 50, -1},
      {"negative width", with([](auto& a) { a.width = -10; }), 0x000E, LVCFMT_LEFT, 0, -1},
      {"width 120", with([](auto& a) { a.width = 120; }), 0x000E, LVCFMT_LEFT, 120, -1},
  };
}

TEST_F(ListViewTest, ColumnRecords) {
  int index = 0;
  for (const ColumnCase& c : ColumnCases()) {
    SCOPED_TRACE(c.name);
    // Every member is set: none keeps the 0xCC it started with.
    LVCOLUMNA filled;
    std::memset(&filled, 0xCC, sizeof filled);
    FillColumnRecord(filled, c.arguments, 4);
    LVCOLUMNA zero{};
    zero.mask = filled.mask, zero.fmt = filled.fmt, zero.cx = filled.cx, zero.pszText = filled.pszText;
    zero.iSubItem = filled.iSubItem, zero.iImage = filled.iImage;
    EXPECT_EQ(std::memcmp(&zero, &filled, sizeof zero), 0) << "a member outside the table is not zero";

    EXPECT_EQ(InsertColumn(kList, c.arguments), index);
    ASSERT_EQ(received.columns.size(), static_cast<std::size_t>(index + 1));
    const LVCOLUMNA& sent = received.columns.back();
    EXPECT_EQ(sent.mask, c.mask);
    EXPECT_EQ(sent.fmt, c.fmt);
    EXPECT_EQ(sent.cx, c.cx);
    EXPECT_EQ(received.columnTexts.back(), "");
    EXPECT_EQ(sent.iSubItem, index);
    EXPECT_EQ(sent.iImage, c.image);
    ++index;
  }
}

TEST_F(ListViewTest, TwoColumnsOfTheResultsList) {
  EXPECT_EQ(InsertColumn(kList, Column("DNS服务器", 200)), 0);
  EXPECT_EQ(InsertColumn(kList, Column("Ping", 100)), 1);
  const char* headers[] = {"DNS服务器", "Ping"};
  const int widths[] = {200, 100};
  for (int k = 0; k < 2; ++k) {
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list_, LVM_GETCOLUMNA, k, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, headers[k]);
    EXPECT_EQ(column.cx, widths[k]);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
  ColumnArguments omittedWidth;
  omittedWidth.headerText = "x";
  EXPECT_EQ(InsertColumn(kList, omittedWidth), 2);
  EXPECT_EQ(SendMessageA(list_, LVM_GETCOLUMNWIDTH, 2, 0), 50);
}

TEST_F(ListViewTest, ItemRecordsAndRowPositions) {
  InsertColumn(kList, Column("a", 100));
  LVITEMA filled;
  std::memset(&filled, 0xCC, sizeof filled);
  RowArguments every;
  every.text = "t";
  every.image = 2;
  every.stateImage = 1;
  every.indent = -3;
  every.itemData = 77;
  FillItemRecord(filled, every, 9);
  EXPECT_EQ(filled.mask, 0x001Fu);
  EXPECT_EQ(filled.iItem, 9);
  EXPECT_EQ(filled.iSubItem, 0);
  EXPECT_EQ(filled.state, 0x2000u);
  EXPECT_EQ(filled.stateMask, 0u);
  EXPECT_EQ(filled.iImage, 2);
  EXPECT_EQ(filled.iIndent, 0);
  EXPECT_EQ(filled.lParam, 77);
  EXPECT_EQ(filled.cchTextMax, 0);
  EXPECT_EQ(filled.iGroupId, 0);

  for (int expected = 0; expected < 3; ++expected) EXPECT_EQ(AppendRow(kList), expected);
  const LVITEMA& sent = received.items.back();
  EXPECT_EQ(sent.mask, 0x001Fu);
  EXPECT_EQ(sent.iItem, 2);
  EXPECT_EQ(sent.iImage, -1);
  EXPECT_EQ(sent.state, 0u);
  EXPECT_EQ(sent.lParam, 0);
  EXPECT_TRUE(GetCellText(kList, 1, 0).IsNone()) << "a new row shows empty cells";

  SetCellText(kList, 0, 0, "first");
  RowArguments atStart;
  atStart.position = 0;
  atStart.text = "new";
  EXPECT_EQ(AppendRow(kList, atStart), 0);
  EXPECT_STREQ(GetCellText(kList, 0, 0).c_str(), "new");
  EXPECT_STREQ(GetCellText(kList, 1, 0).c_str(), "first");
  RowArguments negative;
  negative.position = -4;
  EXPECT_EQ(AppendRow(kList, negative), 4);
}

TEST_F(ListViewTest, CellTextsComeBackWholeAsNewTexts) {
  InsertColumn(kList, Column("a", 100));
  AppendRow(kList);
  testing::MemoryLedger ledger;
  SetCellText(kList, 0, 0, "1.2.3.4");
  OwnedText text = GetCellText(kList, 0, 0);
  EXPECT_STREQ(text.c_str(), "1.2.3.4");
  EXPECT_TRUE(ledger.IsLive(text.get()));
  text.Reset();
  AppendRow(kList);
  EXPECT_TRUE(GetCellText(kList, 1, 0).IsNone()) << "a cell never set";
  EXPECT_TRUE(GetCellText(kList, -1, 0).IsNone()) << "row -1";
  EXPECT_TRUE(GetCellText(kList, 7, 0).IsNone()) << "a row that does not exist";

  struct LongCase {
    std::size_t length;
    std::vector<int> reads;
  };
  for (const LongCase& c : {LongCase{600, {512, 1024}}, LongCase{511, {512, 1024}}, LongCase{510, {512}},
                            LongCase{5000, {512, 1024, 2048, 4096, 8192}}}) {
    std::string cell(c.length, 'x');
    for (std::size_t k = 0; k < c.length; ++k) cell[k] = static_cast<char>('a' + k % 26);
    SetCellText(kList, 0, 0, cell.c_str());
    received.textReads.clear();
    OwnedText back = GetCellText(kList, 0, 0);
    EXPECT_EQ(std::string(back.c_str()), cell) << c.length;
    EXPECT_EQ(received.textReads, c.reads) << c.length;
  }
  EXPECT_EQ(ledger.Outstanding(), 0u) << "the scratch buffers and the copies are released";
  EXPECT_EQ(ledger.UnknownReleases(), 0);
}

TEST_F(ListViewTest, ClicksRaiseListClickedAfterTheSelection) {
  AddTwoColumnsAndRows(5);
  testing::EventRecorder recorder;
  std::vector<int32_t> seenInHandler;
  testing::SetHandler(testing::HandlerSlot::ListClicked, [&] { seenInHandler.push_back(Selected()); });
  EXPECT_EQ(Selected(), -1);

  testing::ClickAt(list_, RowPoint(2, 0));
  ASSERT_TRUE(testing::PumpUntil([&] { return seenInHandler.size() == 1; }));
  testing::PumpFor(400);  // no second click notification follows
  EXPECT_EQ(seenInHandler, std::vector<int32_t>{2});
  EXPECT_EQ(Selected(), 2);

  testing::ClickAt(list_, RowPoint(3, 1));
  ASSERT_TRUE(testing::PumpUntil([&] { return seenInHandler.size() == 2; }));
  EXPECT_EQ(seenInHandler.back(), 3) << "full-row selection: the second column selects the row";

  RECT client{};
  GetClientRect(list_, &client);
  testing::ClickAt(list_, {client.right / 2, client.bottom - 10});
  ASSERT_TRUE(testing::PumpUntil([&] { return seenInHandler.size() == 3; }));
  EXPECT_EQ(seenInHandler.back(), -1) << "a click on the empty area leaves no row selected";
  EXPECT_EQ(recorder.Count(R, L, event::ListClicked), 3);
}

TEST_F(ListViewTest, OtherClicksAndKeysRaiseTheirOwnEvents) {
  AddTwoColumnsAndRows(5);
  testing::EventRecorder recorder;
  int listClicks = 0;
  testing::SetHandler(testing::HandlerSlot::ListClicked, [&] { ++listClicks; });

  HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
  testing::ClickAt(header, {30, 8});
  ASSERT_TRUE(testing::PumpUntil([&] { return recorder.Count(R, L, 2) == 1; })) << "header click: event 2";
  testing::ClickAt(list_, RowPoint(1, 0), true);
  ASSERT_TRUE(testing::PumpUntil([&] { return recorder.Count(R, L, 5) == 1; })) << "right click: event 5";
  testing::PumpFor(200);
  EXPECT_EQ(listClicks, 0);

  recorder.Clear();
  testing::ClickAt(list_, RowPoint(0, 0), false, true);
  testing::PumpFor(400);
  for (const auto& e : recorder.events())
    EXPECT_TRUE(e.number == event::ListClicked || e.number == 0 || e.number == 1 || e.number == event::FocusGained)
        << "a double click raised " << testing::Describe(e);

  const int before = listClicks;
  SetFocus(list_);
  testing::PressKey(VK_DOWN);
  testing::PressKey(VK_DOWN);
  testing::PumpFor(200);
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(listClicks, before) << "keyboard moves raise no ListClicked";
}

TEST_F(ListViewTest, CreatedAsAReportListWithItsStylesAndNoRows) {
  const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
  EXPECT_EQ(style & 0x46000000, 0x46000000);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(style & LVS_NOSORTHEADER);
  EXPECT_EQ(SendMessageA(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x0423);
  EXPECT_TRUE(GetWindowLongPtrA(list_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list_, LVM_GETBKCOLOR, 0, 0)), RGB(255, 255, 255));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace
}  // namespace tavrel
