// Start-up and the ways the process ends, each in a child process of this
// test: the normal end by Esc with exit code 0 and nothing left allocated,
// and the fatal paths with their message box and exit code -1.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/tables.h"
#include "services/probe.h"
#include "services/probe_api.h"
#include "tests/child_process.h"
#include "tests/gui/child_runner.h"
#include "tests/gui/gui_support.h"
#include "tests/memory_probe.h"
#include "ui/live_window.h"
#include "ui/window_table.h"
#include <commctrl.h>

namespace tavrel {
namespace {

constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

std::string MarkerPath() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  return std::string(path) + "tavrel-cleanup-marker";
}

void WriteMarker() {
  if (FILE* file = std::fopen(MarkerPath().c_str(), "w")) std::fclose(file);
}

std::vector<WindowRecord> WithoutMainWindow() { return {ProgramWindowTable()[1]}; }

std::vector<WindowRecord> WithUnknownKind() {
  std::vector<WindowRecord> table = ProgramWindowTable();
  table[0].units[3].kind = 0x00019999;
  return table;
}

// Fake sockets and echo library that log their release to a file; nothing
// is sent.
void LogRelease(const char* what) {
  if (FILE* file = std::fopen((MarkerPath() + "-probe").c_str(), "a")) {
    std::fprintf(file, "%s\n", what);
    std::fclose(file);
  }
}
void InstallLoggingProbe() {
  ProbeSeam().startup = [](WORD, LPWSADATA) WSAAPI -> int { return 0; };
  ProbeSeam().cleanup = []() WSAAPI -> int { LogRelease("WSACleanup"); return 0; };
  ProbeSeam().loadLibrary = [](LPCSTR) WINAPI -> HMODULE { return reinterpret_cast<HMODULE>(0x1234); };
  ProbeSeam().getProcAddress = [](HMODULE, LPCSTR) WINAPI -> FARPROC { return nullptr; };
  ProbeSeam().freeLibrary = [](HMODULE) WINAPI -> BOOL { LogRelease("FreeLibrary"); return TRUE; };
  ProbeHost("192.0.2.1", 10);  // starts sockets and "loads" the library; the missing entry points stop it there
}

std::string ProbeLog() {
  std::string log;
  if (FILE* file = std::fopen((MarkerPath() + "-probe").c_str(), "r")) {
    char line[64];
    while (std::fgets(line, sizeof line, file)) log += line;
    std::fclose(file);
  }
  return log;
}

// The program's exit processing, as WinMain does it, after a probe.
TAVREL_CHILD(exit_after_probe) {
  InstallLoggingProbe();
  const int32_t result = StartProgram();
  ReleaseProbeState();
  return result;
}

TAVREL_CHILD(fatal_after_probe) {
  InstallLoggingProbe();
  FatalError("probe", 0);
}

// ---- allocation failures inside the handlers ----

// An echo service that answers at once without touching the network.
HANDLE WINAPI InstantCreate() { return reinterpret_cast<HANDLE>(1); }
DWORD WINAPI InstantEcho(HANDLE, ULONG, LPVOID, WORD, LPVOID, LPVOID reply, DWORD, DWORD) {
  static_cast<EchoReply*>(reply)->status = 0;
  static_cast<EchoReply*>(reply)->roundTripTime = 1;
  return 1;
}
BOOL WINAPI InstantClose(HANDLE) { return TRUE; }
void InstallInstantProbe() {
  ProbeSeam().startup = [](WORD, LPWSADATA) WSAAPI -> int { return 0; };
  ProbeSeam().loadLibrary = [](LPCSTR) WINAPI -> HMODULE { return reinterpret_cast<HMODULE>(0x1234); };
  ProbeSeam().getProcAddress = [](HMODULE, LPCSTR name) WINAPI -> FARPROC {
    if (!lstrcmpA(name, "IcmpCreateFile")) return ToEntryPoint(&InstantCreate);
    if (!lstrcmpA(name, "IcmpSendEcho")) return ToEntryPoint(&InstantEcho);
    return ToEntryPoint(&InstantClose);
  };
}

// Writes the marker when the tables are released: a fatal error must not.
void WatchTableRelease() {
  TestMemoryObserver().released = [](void* block) {
    if (block == serverTable) WriteMarker();
  };
}

HWND ProgramWindow(WindowId window, ControlId control = 0) {
  LiveWindow* live = FindLiveWindow(window);
  UnitObject* unit = live ? live->Unit(control) : nullptr;
  return unit ? unit->hwnd() : nullptr;
}

int failAt = 0;  // the allocation, counted from the press, that fails
void CALLBACK PressWithFailure(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!ProgramWindow(MainWindow)) return;
  KillTimer(nullptr, timer);
  TestMemoryObserver().failCountdown = failAt;
  PostMessageA(ProgramWindow(MainWindow, 按钮1), BM_CLICK, 0, 0);
}

int RunWithFailureAtPress(int allocation) {
  InstallInstantProbe();
  WatchTableRelease();
  failAt = allocation;
  SetTimer(nullptr, 0, 100, &PressWithFailure);
  return StartProgram();
}

TAVREL_CHILD(property_read_fails) { return RunWithFailureAtPress(1); }  // Content of 编辑框2
TAVREL_CHILD(slot_text_fails) { return RunWithFailureAtPress(3); }      // after both reads: slot 1

void CALLBACK CopyWithFailure(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND results = ProgramWindow(ResultsWindow);
  char caption[64] = {};
  if (results) GetWindowTextA(results, caption, sizeof caption);
  if (std::string(caption) != "处理完成，左键单击复制") {
    if (!results && ProgramWindow(MainWindow) && IsWindowEnabled(ProgramWindow(MainWindow)))
      PostMessageA(ProgramWindow(MainWindow, 按钮1), BM_CLICK, 0, 0);
    return;
  }
  KillTimer(nullptr, timer);
  HWND list = ProgramWindow(ResultsWindow, 超级列表框1);
  const POINT cell = testing::ListCellCenter(list, 0, 0);
  TestMemoryObserver().failCountdown = 1;  // GetCellText's first buffer
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
}

TAVREL_CHILD(cell_text_fails) {
  InstallInstantProbe();
  WatchTableRelease();
  SetTimer(nullptr, 0, 300, &CopyWithFailure);
  return StartProgram();
}

// While the program runs, the current directory is the program's folder.
bool inProgramFolder = false;
void CALLBACK CheckFolderAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!ProgramWindow(MainWindow)) return;
  KillTimer(nullptr, timer);
  char module[MAX_PATH], current[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  *std::strrchr(module, '\\') = '\0';
  GetCurrentDirectoryA(MAX_PATH, current);
  inProgramFolder = lstrcmpiA(module, current) == 0;
  PostMessageA(ProgramWindow(MainWindow), WM_CLOSE, 0, 0);
}

TAVREL_CHILD(folder_check) {
  SetTimer(nullptr, 0, 50, &CheckFolderAndClose);
  const int32_t result = StartProgram();
  return result == 0 && inProgramFolder ? 0 : 5;
}

TAVREL_CHILD(normal_exit) {
  testing::MemoryLedger ledger;
  const int32_t result = StartProgram();
  ReleaseProbeState();
  // The tables and every slot text were released by the teardown.
  return result == 0 && ledger.Outstanding() == 0 && ledger.UnknownReleases() == 0 ? 0 : 3;
}

TAVREL_CHILD(first_table_fails) {
  RegisterExitCleanup(&WriteMarker);
  TestMemoryObserver().failCountdown = 1;
  return StartProgram();
}

TAVREL_CHILD(broken_definitions) {
  RegisterExitCleanup(&WriteMarker);
  return StartProgramWith(WithUnknownKind(), ProgramHandlers());
}

TAVREL_CHILD(no_startup_window) { return StartProgramWith(WithoutMainWindow(), ProgramHandlers()); }

TEST(Startup, EscOnTheMainWindowEndsTheProcessWithZeroAndReleasesEverything) {
  testing::ChildProcess child("normal_exit");
  ASSERT_TRUE(child.Started());
  HWND main = child.WaitForWindow("WTWindow");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(testing::WindowTextOf(main), "Tavrel");
  PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(child.WaitForExit(), 0u);
}

TEST(Startup, AtANormalExitTheEchoLibraryIsFreedBeforeSocketsStopButNotAfterAFatalError) {
  DeleteFileA((MarkerPath() + "-probe").c_str());
  {
    testing::ChildProcess child("exit_after_probe");
    HWND main = child.WaitForWindow("WTWindow");
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.WaitForExit(), 0u);
  }
  EXPECT_EQ(ProbeLog(), "FreeLibrary\nWSACleanup\n");
  DeleteFileA((MarkerPath() + "-probe").c_str());
  {
    testing::ChildProcess child("fatal_after_probe");
    HWND box = child.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.WaitForExit(), kFatalExitCode);
  }
  EXPECT_EQ(ProbeLog(), "");
}

TEST(Startup, TheCurrentDirectoryIsTheProgramsFolderWhileItRuns) {
  char saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  testing::ChildProcess child("folder_check");  // starts in C:\, not in its folder
  SetCurrentDirectoryA(saved);
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.WaitForExit(), 0u);
}

struct FatalCase {
  const char* procedure;
  const char* message;
  bool beforeAnyWindow;
};

const FatalCase kFatalCases[] = {
    {"first_table_fails", "运行时出错!\r\n错误信息：分配 436 字节内存失败!", true},
    {"property_read_fails", "运行时出错!\r\n错误信息：分配 8 字节内存失败!", false},
    {"slot_text_fails", "运行时出错!\r\n错误信息：分配 10 字节内存失败!", false},
    {"cell_text_fails", "运行时出错!\r\n错误信息：分配 512 字节内存失败!", false},
    {"broken_definitions", "运行时出错!\r\n错误信息：载入窗口模板数据段出错!", true},
    {"no_startup_window", "运行时出错!\r\n错误信息：载入启动窗口失败", true},
};

TEST(Startup, FatalPathsShowTheirBoxAndExitWithMinusOneWithoutCleanup) {
  for (const FatalCase& c : kFatalCases) {
    SCOPED_TRACE(c.procedure);
    DeleteFileA(MarkerPath().c_str());
    testing::ChildProcess child(c.procedure);
    ASSERT_TRUE(child.Started());
    HWND box = child.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(testing::WindowTextOf(box), "错误");
    EXPECT_EQ(testing::MessageBoxText(box), c.message);
    if (c.beforeAnyWindow) {
      EXPECT_EQ(child.WaitForWindow("WTWindow", 100), nullptr) << "no window is shown";
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(child.WaitForExit(), kFatalExitCode);
    EXPECT_EQ(GetFileAttributesA(MarkerPath().c_str()), INVALID_FILE_ATTRIBUTES) << "the clean-up ran";
  }
}

}  // namespace
}  // namespace tavrel
