// The live controls of MainWindow: rectangles, the spinner, the read-only
// server list and the start button.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "tests/gui/gui_support.h"
#include "ui/kinds.h"
#include "ui/live_window.h"
#include "ui/window_table.h"

namespace tavrel {
namespace {

constexpr WindowId M = MainWindow;

class ControlsTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
    testing::Pump();
  }
  HWND Spinner() {
    auto* box = static_cast<EditBoxObject*>(FindLiveWindow(M)->Unit(编辑框2));
    return box->spinner();
  }
  std::string Content(ControlId box) { return ReadProperty(M, box, property::Content, -1).text.c_str(); }
};

RECT ClientRectangle(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(ControlsTest, EveryControlStandsWhereItsDefinitionPutsIt) {
  for (const UnitRecord& unit : ProgramWindowTable()[0].units) {
    if (unit.kind == WindowKind) continue;
    SCOPED_TRACE(unit.name);
    EXPECT_EQ(ReadProperty(M, unit.controlId, property::Left, -1).number, unit.left);
    EXPECT_EQ(ReadProperty(M, unit.controlId, property::Top, -1).number, unit.top);
    EXPECT_EQ(ReadProperty(M, unit.controlId, property::Width, -1).number, unit.width);
    EXPECT_EQ(ReadProperty(M, unit.controlId, property::Height, -1).number, unit.height);
    EXPECT_EQ(ReadProperty(M, unit.controlId, property::Visible, -1).number, 1);
  }
}

TEST_F(ControlsTest, SpinButtonStandsRightOfTheWaitBox) {
  HWND spinner = Spinner();
  ASSERT_NE(spinner, nullptr);
  const RECT r = ClientRectangle(spinner);
  EXPECT_EQ(r.left, 331);
  EXPECT_EQ(r.top, 93);
  EXPECT_EQ(r.right - r.left, 18);
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_TRUE(IsWindowVisible(spinner));
  // It follows the box when the box moves, hides and is disabled.
  WriteProperty(M, 编辑框2, property::Left, -1, 200);
  EXPECT_EQ(ClientRectangle(spinner).left, 256);
  WriteProperty(M, 编辑框2, property::Visible, -1, 0);
  EXPECT_FALSE(IsWindowVisible(spinner));
  WriteProperty(M, 编辑框2, property::Visible, -1, 1);
  EXPECT_TRUE(IsWindowVisible(spinner));
  WriteProperty(M, 编辑框2, property::Disabled, -1, 1);
  EXPECT_FALSE(IsWindowEnabled(spinner));
  WriteProperty(M, 编辑框2, property::Disabled, -1, 0);
  EXPECT_TRUE(IsWindowEnabled(spinner));
}

struct SpinCase {
  const char* before;
  bool up;
  const char* after;
};

const SpinCase kSpinCases[] = {
    {"500毫秒", true, "501"}, {"500毫秒", false, "499"}, {"10", false, "2000"}, {"2000", true, "10"},
    {"毫秒", true, "10"},    {"abc", false, "2000"},    {"-5", true, "10"},    {"-5", false, "2000"},
};

TEST_F(ControlsTest, SpinnerSteps) {
  HWND spinner = Spinner();
  HWND box = testing::LiveHwnd(M, 编辑框2);
  RECT area{};
  GetClientRect(spinner, &area);
  for (const SpinCase& c : kSpinCases) {
    SCOPED_TRACE(std::string(c.before) + (c.up ? " up" : " down"));
    WriteProperty(M, 编辑框2, property::Content, -1, c.before);
    SetFocus(testing::LiveHwnd(M, 按钮1));
    testing::ClickAt(spinner, {area.right / 2, c.up ? area.bottom / 4 : area.bottom * 3 / 4});
    ASSERT_TRUE(testing::PumpUntil([&] { return Content(编辑框2) != c.before; }, 2000));
    testing::PumpFor(50);
    EXPECT_EQ(Content(编辑框2), c.after);
    DWORD start = 1, end = 0;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, std::string(c.after).size()) << "the whole text is selected";
    EXPECT_EQ(GetFocus(), box);
  }
}

TEST_F(ControlsTest, ServerListRefusesChangesButAllowsSelectingAndCopying) {
  HWND list = testing::LiveHwnd(M, 编辑框1);
  const std::string original = Content(编辑框1);
  SetFocus(list);
  testing::PressKey('A');
  testing::PressKey(VK_DELETE);
  testing::PressKey(VK_BACK);
  testing::PumpFor(100);
  SendMessageA(list, EM_SETSEL, 0, -1);
  SendMessageA(list, WM_CLEAR, 0, 0);
  SendMessageA(list, WM_CHAR, 'x', 0);
  ASSERT_TRUE(OpenClipboard(testing::LiveHwnd(M)));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(block), "paste", 6);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  SendMessageA(list, WM_PASTE, 0, 0);
  EXPECT_EQ(Content(编辑框1), original) << "typing, deleting and pasting change nothing";

  SendMessageA(list, EM_SETSEL, 0, -1);
  SendMessageA(list, WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const char* copied = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  EXPECT_STREQ(copied, original.c_str());
  CloseClipboard();
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ControlsTest, ServerListIsWhiteAlthoughReadOnly) {
  HWND list = testing::LiveHwnd(M, 编辑框1);
  HDC dc = GetDC(list);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(testing::LiveHwnd(M), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list)));
  LOGBRUSH description{};
  ASSERT_TRUE(GetObjectA(brush, sizeof description, &description));
  EXPECT_EQ(description.lbColor, RGB(255, 255, 255));
  ReleaseDC(list, dc);
  // And on the screen: an empty spot right of the first line's text.
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  testing::PumpFor(100);
  HDC screen = GetDC(nullptr);
  POINT spot{140, 6};
  ClientToScreen(list, &spot);
  EXPECT_EQ(GetPixel(screen, spot.x, spot.y), RGB(255, 255, 255));
  ReleaseDC(nullptr, screen);
}

TEST_F(ControlsTest, StartButtonRaisesClickedOncePerPress) {
  int clicks = 0;
  testing::SetHandler(testing::HandlerSlot::StartClicked, [&] { ++clicks; });
  HWND button = testing::LiveHwnd(M, 按钮1);
  testing::ClickAt(button, {40, 16});
  ASSERT_TRUE(testing::PumpUntil([&] { return clicks >= 1; }, 2000));
  testing::PumpFor(100);
  EXPECT_EQ(clicks, 1) << "by mouse";
  SetFocus(button);
  testing::PressKey(VK_SPACE);
  ASSERT_TRUE(testing::PumpUntil([&] { return clicks >= 2; }, 2000));
  testing::PumpFor(100);
  EXPECT_EQ(clicks, 2) << "by the space bar";
}

// A single-line box defined lower than its font needs is made higher.
TEST(EditBoxHeight, ALowSingleLineBoxIsMadeHigh) {
  static std::vector<WindowRecord> table = ProgramWindowTable();
  table[0].units[1].height = 5;
  testing::PrepareFramework();
  ASSERT_TRUE(TakeInDefinitions(table, {{handler_name::MainWindowCreated, [] {}},
                                        {handler_name::StartButtonClicked, [] {}},
                                        {handler_name::ResultsWindowCreated, [] {}},
                                        {handler_name::ResultsWindowFirstActivated, [] {}},
                                        {handler_name::ResultListClicked, [] {}}}));
  ASSERT_TRUE(LoadWindow(MainWindow, std::nullopt, false));
  const int32_t height = ReadProperty(MainWindow, 编辑框2, property::Height, -1).number;
  EXPECT_GT(height, 5);
  HWND box = testing::LiveHwnd(MainWindow, 编辑框2);
  HDC dc = GetDC(box);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(dc, "吴", 2, &size);
  ReleaseDC(box, dc);
  EXPECT_EQ(height, size.cy + 2 * GetSystemMetrics(SM_CYEDGE));
  testing::CloseAllWindows();
}

}  // namespace
}  // namespace tavrel
