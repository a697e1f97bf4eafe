// The two screens with the program's own handlers: the start button, the
// probing pass, the list and the copy. Pressing the button probes, so these
// tests run only inside the test bed (tests/netbed/screens.conf).
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/tables.h"
#include "tests/gui/gui_support.h"
#include "ui/kinds.h"
#include "ui/list_operations.h"
#include "ui/live_window.h"
#include "ui/window_table.h"

namespace tavrel {
namespace {

constexpr WindowId M = MainWindow;
constexpr WindowId R = ResultsWindow;
constexpr ListRef kList{R, 超级列表框1};

std::vector<std::string> DefaultEntries() {
  std::vector<std::string> entries;
  const std::string list = kDefaultServerList;
  for (std::size_t at = list.find('['); at != std::string::npos; at = list.find('[', at + 1))
    entries.push_back(list.substr(at + 1, list.find(']', at) - at - 1));
  return entries;
}

std::string Caption(WindowId window) {
  char text[128] = {};
  GetWindowTextA(testing::LiveHwnd(window), text, sizeof text);
  return text;
}

std::string ClipboardText() {
  std::string text = "<no text>";
  if (!OpenClipboard(nullptr)) return "<not opened>";
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

class ScreensTest : public testing::GuiTest {
 protected:
  void SetUp() override {
    const char* bed = std::getenv("TAVREL_NETBED");
    if (!bed || std::strcmp(bed, "1") != 0) GTEST_SKIP() << "pressing the start button probes: bed only";
    testing::UseProgramHandlers();
    GuiTest::SetUp();
    ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
    testing::Pump();
  }
  // Presses the start button; the steps run inside the dialog's loop, and
  // a last step presses Esc.
  void PressStart(std::vector<std::function<void()>> steps) {
    steps.push_back([] { testing::PressKey(VK_ESCAPE); });
    testing::TimerScript script(std::move(steps));
    SendMessageA(testing::LiveHwnd(M, 按钮1), BM_CLICK, 0, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(testing::LiveHwnd(R), nullptr);
    EXPECT_TRUE(IsWindowEnabled(testing::LiveHwnd(M)));
  }
  POINT RowPoint(int row, int column) {
    RECT r{};
    r.top = column;
    r.left = LVIR_BOUNDS;
    SendMessageA(testing::LiveHwnd(R, 超级列表框1), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

TEST_F(ScreensTest, APressFillsTheSlotsProbesAndListsInADialog) {
  const std::vector<std::string> entries = DefaultEntries();
  ASSERT_EQ(entries.size(), 107u);
  HWND main = testing::LiveHwnd(M);
  PressStart({[&] {
    EXPECT_EQ(maxWaitMs, 500);
    for (int i = 1; i <= SlotCount; ++i) {
      EXPECT_EQ(ServerSlot(i), entries[i - 1]) << "slot " << i;
      EXPECT_NE(serverTable->elements[i - 1], nullptr) << "slot " << i;
    }
    EXPECT_STREQ(ServerSlot(55), ServerSlot(64));
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_EQ(GetWindow(testing::LiveHwnd(R), GW_OWNER), Framework().hiddenOwner);
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_EQ(Caption(R), "处理完成，左键单击复制");

    HWND list = testing::LiveHwnd(R, 超级列表框1);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 107);
    for (int row = 0; row < 107; ++row) {
      EXPECT_STREQ(GetCellText(kList, row, 0).c_str(), entries[row].c_str()) << "row " << row;
      const int32_t latency = LatencySlot(row + 1);
      const std::string expected = latency < 0 ? "超时（禁Ping）" : std::to_string(latency);
      EXPECT_STREQ(GetCellText(kList, row, 1).c_str(), expected.c_str()) << "row " << row;
    }
    EXPECT_GE(LatencySlot(1), 0);
    EXPECT_LE(LatencySlot(1), 10) << "answers at once; the first echo of a process takes a few ms more";
    EXPECT_GE(LatencySlot(2), 20);
    EXPECT_LE(LatencySlot(2), 28);
    for (int i = 3; i <= SlotCount; ++i) EXPECT_EQ(LatencySlot(i), -1) << "slot " << i;
  },
              [&] { testing::ClickAt(testing::LiveHwnd(M, 按钮1), {40, 16}); },
              [&] { EXPECT_NE(testing::LiveHwnd(R), nullptr) << "a click on MainWindow does nothing"; }});
}

struct WaitCase {
  const char* typed;
  int32_t expected;
};

TEST_F(ScreensTest, TheWaitTimeComesFromTheBox) {
  const WaitCase cases[] = {{"500毫秒", 500}, {"", 0}, {"abc", 0}, {"-5", -5}};
  for (const WaitCase& c : cases) {
    WriteProperty(M, 编辑框2, property::Content, -1, c.typed);
    int32_t seen = 12345;
    PressStart({[&] { seen = maxWaitMs; }});
    EXPECT_EQ(seen, c.expected) << "'" << c.typed << "'";
  }
  WriteProperty(M, 编辑框2, property::Content, -1, "500毫秒");
  auto* box = static_cast<EditBoxObject*>(FindLiveWindow(M)->Unit(编辑框2));
  RECT area{};
  GetClientRect(box->spinner(), &area);
  testing::ClickAt(box->spinner(), {area.right / 2, area.bottom / 4});
  ASSERT_TRUE(testing::PumpUntil([] { return std::string(ReadProperty(M, 编辑框2, property::Content, -1).text.c_str()) == "501"; }));
  int32_t seen = 0;
  PressStart({[&] { seen = maxWaitMs; }});
  EXPECT_EQ(seen, 501);
}

TEST_F(ScreensTest, ASecondPressWorksOnTheSameTablesWithANewList) {
  ServerRecord* const tables = serverTable;
  int rowsSeenAtCreated = -1;
  PressStart({});
  PressStart({[&] {
    EXPECT_EQ(serverTable, tables);
    EXPECT_STREQ(ServerSlot(1), "223.5.5.5");
    rowsSeenAtCreated = static_cast<int>(SendMessageA(testing::LiveHwnd(R, 超级列表框1), LVM_GETITEMCOUNT, 0, 0));
  }});
  EXPECT_EQ(rowsSeenAtCreated, 107) << "107 rows again, not 214";
}

TEST_F(ScreensTest, ALeftClickCopiesTheRowsServer) {
  PressStart({
      [&] { testing::ClickAt(testing::LiveHwnd(R, 超级列表框1), RowPoint(2, 0)); },
      [&] { EXPECT_EQ(ClipboardText(), "1.2.4.8"); },
      [&] { testing::ClickAt(testing::LiveHwnd(R, 超级列表框1), RowPoint(0, 1)); },
      [&] { EXPECT_EQ(ClipboardText(), "223.5.5.5") << "a click in the Ping column copies the server"; },
      [&] {
        HWND header = reinterpret_cast<HWND>(SendMessageA(testing::LiveHwnd(R, 超级列表框1), LVM_GETHEADER, 0, 0));
        testing::ClickAt(header, {30, 8});
      },
      [&] { EXPECT_EQ(ClipboardText(), "223.5.5.5") << "a header click copies nothing"; },
  });
}

}  // namespace
}  // namespace tavrel
