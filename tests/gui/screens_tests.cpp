// The two screens with the program's own handlers: the start button, the
// probing pass, the list and the copy. Pressing the button probes, so these
// tests run only inside the test bed (tests/netbed/screens.conf).
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/tables.h"
#include "screens/main_window.h"
#include "screens/results_window.h"
#include "services/clipboard_api.h"
#include "services/probe.h"
#include "services/probe_api.h"
#include "tests/child_process.h"
#include "tests/gui/child_runner.h"
#include "tests/memory_probe.h"
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

std::string Caption(WindowId window) { return testing::WindowTextOf(testing::LiveHwnd(window)); }

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
    GuiTest::SetUp();
    // The program's own handlers, reached through the test's table so that
    // a test can wrap one of them.
    testing::SetHandler(testing::HandlerSlot::StartClicked, &StartButtonClicked);
    testing::SetHandler(testing::HandlerSlot::ResultsCreated, &ResultsWindowCreated);
    testing::SetHandler(testing::HandlerSlot::ResultsFirstActivated, &ResultsWindowFirstActivated);
    testing::SetHandler(testing::HandlerSlot::ListClicked, &ResultListClicked);
    ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
    testing::Pump();
  }
  // Presses the start button; the steps run inside the dialog's loop, and
  // a last step presses Esc.
  void PressStart(std::vector<std::function<void()>> steps) {
    steps.push_back([] { testing::PressKey(VK_ESCAPE); });
    // The steps wait for the results window: LoadWindow processes waiting
    // messages, a tick among them, before it builds the window.
    testing::TimerScript script(std::move(steps), 50, [] { return testing::LiveHwnd(ResultsWindow) != nullptr; });
    SendMessageA(testing::LiveHwnd(M, 按钮1), BM_CLICK, 0, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(testing::LiveHwnd(R), nullptr);
    EXPECT_TRUE(IsWindowEnabled(testing::LiveHwnd(M)));
  }
  POINT RowPoint(int row, int column) { return testing::ListCellCenter(testing::LiveHwnd(R, 超级列表框1), row, column); }
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
  std::string mixed = "3";
  for (int k = 0; k < 299; ++k) mixed += k % 2 ? "a" : "汉";  // 300 characters of mixed GBK text
  const WaitCase cases[] = {
      {"500毫秒", 500}, {"", 0}, {"abc", 0}, {"0", 0}, {"-5", -5}, {"2147483648", INT32_MIN},
      {"\xA3\xB9\xA3\xB9", 99},  // "９９" in full-width digits
      {mixed.c_str(), 3},
  };
  for (const WaitCase& c : cases) {
    WriteProperty(M, 编辑框2, property::Content, -1, c.typed);
    int32_t seen = 12345;
    int rows = 0;
    std::string caption;
    PressStart({[&] {
      seen = maxWaitMs;
      rows = static_cast<int>(SendMessageA(testing::LiveHwnd(R, 超级列表框1), LVM_GETITEMCOUNT, 0, 0));
      caption = Caption(R);
    }});
    EXPECT_EQ(seen, c.expected) << "'" << c.typed << "'";
    EXPECT_EQ(rows, 107) << "the pass completes";
    EXPECT_EQ(caption, "处理完成，左键单击复制");
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

// ---- failures that end in the list or the clipboard, never in a message ----

std::vector<std::string> faultCalls;
int WSAAPI FailingStartup(WORD, LPWSADATA) { return WSASYSNOTREADY; }
HMODULE WINAPI MissingLibrary(LPCSTR) { return nullptr; }
FARPROC WINAPI WithoutSendEcho(HMODULE library, LPCSTR name) {
  return std::strcmp(name, "IcmpSendEcho") == 0 ? nullptr : RealProbeApi().getProcAddress(library, name);
}
DWORD WINAPI FailingSendEcho(HANDLE, ULONG, LPVOID, WORD, LPVOID, LPVOID, DWORD, DWORD) { return 0; }
FARPROC WINAPI WithFailingSendEcho(HMODULE library, LPCSTR name) {
  return std::strcmp(name, "IcmpSendEcho") == 0 ? ToEntryPoint(&FailingSendEcho)
                                                : RealProbeApi().getProcAddress(library, name);
}
unsigned long WSAAPI NothingDotted(const char*) { return INADDR_NONE; }
hostent* WSAAPI NothingResolves(const char*) { return nullptr; }
HGLOBAL WINAPI NoGlobalMemory(UINT, SIZE_T) { return nullptr; }
HANDLE WINAPI RefusedData(UINT, HANDLE) { return nullptr; }
HGLOBAL WINAPI CountedFree(HGLOBAL block) {
  faultCalls.push_back("GlobalFree");
  return GlobalFree(block);
}
LRESULT CALLBACK RefuseInsertions(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == LVM_INSERTITEMA) return -1;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

struct PassFault {
  const char* name;
  std::function<void()> install;
  int rows;  // rows the list ends with
};

TEST_F(ScreensTest, FailuresDuringAPassShowAsTimeoutsOrMissingRowsWithoutAMessage) {
  const PassFault faults[] = {
      {"failed WSAStartup", [] { ProbeSeam().startup = &FailingStartup; }, 107},
      {"missing icmp.dll", [] { ProbeSeam().loadLibrary = &MissingLibrary; }, 107},
      {"missing entry point", [] { ProbeSeam().getProcAddress = &WithoutSendEcho; }, 107},
      {"names that cannot be resolved", [] {
         ProbeSeam().inetAddr = &NothingDotted;
         ProbeSeam().getHostByName = &NothingResolves;
       }, 107},
      {"failing IcmpSendEcho", [] { ProbeSeam().getProcAddress = &WithFailingSendEcho; }, 107},
      {"a list that refuses insertions", [] {
         testing::SetHandler(testing::HandlerSlot::ResultsCreated, [] {
           SetWindowSubclass(testing::LiveHwnd(ResultsWindow, 超级列表框1), &RefuseInsertions, 9, 0);
           ResultsWindowCreated();
         });
       }, 0},
  };
  for (const PassFault& fault : faults) {
    SCOPED_TRACE(fault.name);
    ReleaseProbeState();  // each row starts with sockets and library not yet started
    ProbeSeam() = RealProbeApi();
    fault.install();
    int rows = -1, timeouts = 0;
    std::string caption;
    bool box = false;
    PressStart({[&] {
      HWND list = testing::LiveHwnd(R, 超级列表框1);
      rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
      for (int row = 0; row < rows; ++row) timeouts += std::string(GetCellText(kList, row, 1).c_str()) == "超时（禁Ping）";
      caption = Caption(R);
      box = FindWindowA("#32770", nullptr) != nullptr;
    }});
    EXPECT_EQ(rows, fault.rows);
    EXPECT_EQ(timeouts, fault.rows) << "every server shows the timeout note";
    EXPECT_EQ(caption, "处理完成，左键单击复制");
    EXPECT_FALSE(box) << "no message";
    testing::SetHandler(testing::HandlerSlot::ResultsCreated, &ResultsWindowCreated);
  }
  ReleaseProbeState();
  ProbeSeam() = RealProbeApi();
}

struct CopyFault {
  const char* name;
  std::function<void()> install;
  const char* clipboardAfter;  // nullptr: no text at all
  int frees;
};

TEST_F(ScreensTest, FailuresOfTheCopyLeaveNoMessage) {
  const CopyFault faults[] = {
      {"GlobalAlloc fails", [] { ClipboardSeam().globalAlloc = &NoGlobalMemory; }, nullptr, 0},
      {"SetClipboardData refuses the block", [] { ClipboardSeam().setData = &RefusedData; }, nullptr, 1},
  };
  for (const CopyFault& fault : faults) {
    SCOPED_TRACE(fault.name);
    faultCalls.clear();
    ClipboardSeam() = RealClipboardApi();
    ClipboardSeam().globalFree = &CountedFree;
    std::string after = "<unread>";
    bool hasText = true, box = false;
    PressStart({[&] { fault.install(); },
                [&] { testing::ClickAt(testing::LiveHwnd(R, 超级列表框1), RowPoint(0, 0)); },
                [&] {
                  ClipboardSeam() = RealClipboardApi();
                  ASSERT_TRUE(OpenClipboard(nullptr));
                  hasText = GetClipboardData(CF_TEXT) != nullptr;
                  CloseClipboard();
                  box = FindWindowA("#32770", nullptr) != nullptr;
                }});
    EXPECT_FALSE(hasText) << "the clipboard was emptied and holds no text";
    EXPECT_EQ(static_cast<int>(faultCalls.size()), fault.frees) << "a refused block is freed";
    EXPECT_FALSE(box);
  }
  ClipboardSeam() = RealClipboardApi();
}

// ---- exact accounting over a whole session, counted outside the handlers ----

// Start-up, three passes with a copy after each, closing the results
// window each time, then closing the main window: afterwards no block of
// the memory service is outstanding and none was released twice.
// Each tick takes the next step only when the windows are in the state that
// step needs: a tick may also come while LoadWindow processes messages.
struct Session {
  int stage = 0;
  int pass = 0;
  std::vector<std::string> copied;
};
Session session;

void CALLBACK SessionTick(HWND, UINT, UINT_PTR, DWORD) {
  const bool resultsDone = testing::LiveHwnd(ResultsWindow) != nullptr && Caption(ResultsWindow) == "处理完成，左键单击复制";
  const bool mainOnly = testing::LiveHwnd(ResultsWindow) == nullptr && testing::LiveHwnd(MainWindow) != nullptr;
  switch (session.stage) {
    case 0:  // press the start button
      if (!mainOnly) return;
      if (session.pass == 3) {
        PostMessageA(testing::LiveHwnd(MainWindow), WM_CLOSE, 0, 0);
        session.stage = 3;
        return;
      }
      PostMessageA(testing::LiveHwnd(MainWindow, 按钮1), BM_CLICK, 0, 0);
      break;
    case 1: {  // copy row `pass`
      if (!resultsDone) return;
      HWND list = testing::LiveHwnd(ResultsWindow, 超级列表框1);
      testing::ClickAt(list, testing::ListCellCenter(list, session.pass, 0));
      break;
    }
    case 2:  // close the results window
      if (!resultsDone) return;
      session.copied.push_back(ClipboardText());
      testing::PressKey(VK_ESCAPE);
      ++session.pass;
      session.stage = 0;
      return;
    default:
      return;
  }
  ++session.stage;
}

// Start-up, three passes with a copy after each, closing the results
// window each time, then closing the main window: afterwards no block of
// the memory service is outstanding and none was released twice.
TAVREL_CHILD(accounting_session) {
  testing::MemoryLedger ledger;
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, &SessionTick);
  const int32_t result = StartProgram();
  KillTimer(nullptr, timer);
  ReleaseProbeState();
  std::printf("accounting: %d allocations, %d releases, %zu outstanding, %d unknown releases; copies:", ledger.Allocations(),
              ledger.Releases(), ledger.Outstanding(), ledger.UnknownReleases());
  for (const auto& text : session.copied) std::printf(" %s", text.c_str());
  std::printf("\n");
  const bool copiesRight = session.copied == std::vector<std::string>{"223.5.5.5", "223.6.6.6", "1.2.4.8"};
  return result == 0 && ledger.Outstanding() == 0 && ledger.UnknownReleases() == 0 && copiesRight &&
                 ledger.Allocations() > 3 * 2 * 107
             ? 0
             : 1;
}

TEST(Accounting, AWholeSessionLeavesNoBlockOutstanding) {
  const char* bed = std::getenv("TAVREL_NETBED");
  if (!bed || std::strcmp(bed, "1") != 0) GTEST_SKIP() << "pressing the start button probes: bed only";
  testing::ChildProcess child("accounting_session");
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.WaitForExit(120000), 0u);
}

}  // namespace
}  // namespace tavrel
