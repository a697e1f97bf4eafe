// Uses the real tavrel.exe as a person would, from another process under
// the same wineserver: synthesised clicks and keys, window texts, the
// list's cells read through the program's memory, and the clipboard.
//
//   e2e_driver TAVREL_EXE BED_CONFIG
//
// Prints one line per check and ends with "N passed, M failed".
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/synthetic_input.h"
#include "ui/window_table.h"

namespace {

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
  (ok ? passed : failed)++;
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

struct Behaviour {
  std::string kind = "unreachable";
  int delay = 0;
};

std::map<std::string, Behaviour> ReadConfig(const std::string& path, Behaviour& fallback) {
  std::map<std::string, Behaviour> behaviours;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string address, kind;
    int delay = 0;
    if (!(words >> address >> kind) || address[0] == '#' || address == "name") continue;
    words >> delay;
    if (address == "default")
      fallback = {kind, delay};
    else
      behaviours[address] = {kind, delay};
  }
  return behaviours;
}

std::vector<std::string> DefaultEntries() {
  std::vector<std::string> entries;
  const std::string list = tavrel::kDefaultServerList;
  for (std::size_t at = list.find('['); at != std::string::npos; at = list.find('[', at + 1))
    entries.push_back(list.substr(at + 1, list.find(']', at) - at - 1));
  return entries;
}

std::string TextOf(HWND hwnd) {
  char text[512] = {};
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, nullptr);
  return text;
}

std::string CaptionOf(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);  // another process's caption: no message is sent
  return text;
}

struct Found {
  DWORD pid;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == found->pid && IsWindowVisible(hwnd)) found->windows.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
  return TRUE;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

class Program {
 public:
  explicit Program(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe + "\"";
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      process_ = info.hProcess;
      pid_ = info.dwProcessId;
      CloseHandle(info.hThread);
    }
  }
  ~Program() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
    if (process_) CloseHandle(process_);
  }
  bool Started() const { return process_ != nullptr; }
  HANDLE process() const { return process_; }

  // The visible top-level window of the program with this caption, if any.
  HWND WindowCaptioned(const std::string& caption) const {
    Found found{pid_, {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    for (HWND hwnd : found.windows)
      if (ClassOf(hwnd) == "WTWindow" && CaptionOf(hwnd) == caption) return hwnd;
    return nullptr;
  }
  bool HasMessageBox() const {
    Found found{pid_, {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    for (HWND hwnd : found.windows)
      if (ClassOf(hwnd) == "#32770") return true;
    return false;
  }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

HWND ChildOfClass(HWND parent, const std::string& className, const std::string& text = "") {
  std::vector<HWND> children;
  EnumChildWindows(parent, &CollectChildren, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children)
    if (ClassOf(child) == className && (text.empty() || TextOf(child) == text)) return child;
  return nullptr;
}


// Clicks apart by more than the double-click time, as a person's would be:
// two quick clicks on one spot are a double click, which copies nothing.
DWORD lastClick = 0;
void WaitOutDoubleClick() {
  const DWORD gap = GetDoubleClickTime() + 100;
  if (GetTickCount() - lastClick < gap) Sleep(gap - (GetTickCount() - lastClick));
}

void Click(HWND hwnd, POINT client) {
  WaitOutDoubleClick();
  lastClick = GetTickCount();
  POINT screen = client;
  ClientToScreen(hwnd, &screen);
  tavrel::testing::SendMouseAt(0, screen);
  tavrel::testing::SendMouseAt(MOUSEEVENTF_LEFTDOWN, screen);
  tavrel::testing::SendMouseAt(MOUSEEVENTF_LEFTUP, screen);
}

void PressKey(WORD key) { tavrel::testing::PressKeyOnce(key); }

// Reads list-view data through memory allocated in the program's process.
class RemoteList {
 public:
  RemoteList(HANDLE process, HWND list) : process_(process), list_(list) {
    remote_ = static_cast<char*>(VirtualAllocEx(process, nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteList() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  }
  std::string Cell(int row, int column) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote_ + 512;
    item.cchTextMax = 4096;
    char zero = 0;
    WriteProcessMemory(process_, remote_ + 512, &zero, 1, nullptr);
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote_));
    char text[4096] = {};
    ReadProcessMemory(process_, remote_ + 512, text, sizeof text - 1, nullptr);
    return text;
  }
  std::string Header(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = remote_ + 512;
    item.cchTextMax = 256;
    WriteProcessMemory(process_, remote_, &item, sizeof item, nullptr);
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(remote_));
    char text[256] = {};
    ReadProcessMemory(process_, remote_ + 512, text, sizeof text - 1, nullptr);
    return text;
  }
  RECT RowRect(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    WriteProcessMemory(process_, remote_, &r, sizeof r, nullptr);
    SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote_));
    ReadProcessMemory(process_, remote_, &r, sizeof r, nullptr);
    return r;
  }

 private:
  HANDLE process_;
  HWND list_;
  char* remote_ = nullptr;
};

struct Clipboard {
  // Null: the text was not there. Otherwise the block's bytes up to and
  // including the first zero byte.
  static bool Read(std::string& bytes) {
    if (!OpenClipboard(nullptr)) return false;
    bool has = false;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
      const char* text = static_cast<const char*>(GlobalLock(block));
      const SIZE_T size = GlobalSize(block);
      if (text) {
        std::size_t length = 0;
        while (length < size && text[length]) ++length;
        bytes.assign(text, length < size ? length + 1 : length);
        has = true;
        GlobalUnlock(block);
      }
    }
    CloseClipboard();
    return has;
  }
  // Waits, without opening the clipboard (which would make the program's
  // own open fail), until someone has changed it since the last Set.
  static bool AwaitChange(int timeoutMs = 3000) {
    const bool changed = WaitFor([] { return GetClipboardSequenceNumber() != lastSequence; }, timeoutMs);
    Sleep(100);  // the program may still be writing and closing
    return changed;
  }
  static inline DWORD lastSequence = 0;
  static void Set(const char* text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    lastSequence = GetClipboardSequenceNumber();
  }
};

std::string WithZero(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

}  // namespace

// Poses the program for a screenshot: the main window, or the results
// window after a pass with its first row selected. Writes readyFile when the
// pose stands and waits (at most a minute) until it is deleted.
int Pose(const std::string& exe, const std::string& mode, const std::string& readyFile) {
  Program tavrel(exe);
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = tavrel.WindowCaptioned("Tavrel")) != nullptr; }, 15000)) return 1;
  if (mode == "results") {
    Click(ChildOfClass(main, "Button", "开始优选"), {40, 16});
    HWND results = nullptr;
    if (!WaitFor([&] { return (results = tavrel.WindowCaptioned("处理完成，左键单击复制")) != nullptr; }, 60000)) return 1;
    HWND listControl = ChildOfClass(results, "SysListView32");
    RemoteList list(tavrel.process(), listControl);
    const RECT r = list.RowRect(0);
    Click(listControl, {r.left + 40, (r.top + r.bottom) / 2});
  }
  Sleep(500);
  if (FILE* ready = std::fopen(readyFile.c_str(), "w")) std::fclose(ready);
  WaitFor([&] { return GetFileAttributesA(readyFile.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60000);
  return 0;
}

struct Resources {
  SIZE_T privateBytes = 0, workingSet = 0, peakWorkingSet = 0;
  DWORD handles = 0, gdiObjects = 0, userObjects = 0;
  DWORD windows = 0;  // the program's windows, counted by enumeration
};

DWORD CountWindows(DWORD pid) {
  Found found{pid, {}};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&found));
  DWORD count = 0;
  for (HWND top : found.windows) {
    std::vector<HWND> children;
    EnumChildWindows(top, &CollectChildren, reinterpret_cast<LPARAM>(&children));
    count += 1 + static_cast<DWORD>(children.size());
  }
  return count;
}

Resources ReadResources(HANDLE process) {
  Resources r;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    r.privateBytes = memory.PrivateUsage;
    r.workingSet = memory.WorkingSetSize;
    r.peakWorkingSet = memory.PeakWorkingSetSize;
  }
  GetProcessHandleCount(process, &r.handles);
  r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  r.windows = CountWindows(GetProcessId(process));
  return r;
}

// One pass as a person makes it: press, wait for the end, copy a row,
// close the results window. False when any step does not happen.
bool OnePass(Program& tavrel, HWND main, HWND button, int copyRow) {
  if (!WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000)) return false;
  Click(button, {40, 16});
  HWND results = nullptr;
  if (!WaitFor([&] { return (results = tavrel.WindowCaptioned("处理完成，左键单击复制")) != nullptr; }, 60000))
    return false;
  HWND listControl = ChildOfClass(results, "SysListView32");
  if (!listControl || SendMessageA(listControl, LVM_GETITEMCOUNT, 0, 0) != 107) return false;
  RemoteList list(tavrel.process(), listControl);
  SendMessageA(listControl, LVM_ENSUREVISIBLE, copyRow, FALSE);
  const RECT r = list.RowRect(copyRow);
  Clipboard::Set("sentinel");
  Click(listControl, {r.left + 40, (r.top + r.bottom) / 2});
  Clipboard::AwaitChange();
  PressKey(VK_ESCAPE);
  return WaitFor([&] { return tavrel.WindowCaptioned("处理完成，左键单击复制") == nullptr; }, 5000);
}

// Sets the wait to 10 ms with the spinner: a text without a number steps
// up to the lower limit.
bool WaitTenMilliseconds(HWND main) {
  HWND box = ChildOfClass(main, "Edit", "500毫秒");
  HWND spinner = ChildOfClass(main, "msctls_updown32");
  if (!box || !spinner) return false;
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
  RECT area{};
  GetClientRect(spinner, &area);
  Click(spinner, {area.right / 2, area.bottom / 4});
  return WaitFor([&] { return TextOf(box) == "10"; }, 3000);
}

// Soak: many passes through the windows; resources read from outside
// after the first pass and every tenth. Prints a table and fails when any
// resource grows beyond the allowed drift.
int Soak(const std::string& exe, int passes) {
  Program tavrel(exe);
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = tavrel.WindowCaptioned("Tavrel")) != nullptr; }, 15000)) return 1;
  HWND button = ChildOfClass(main, "Button", "开始优选");
  Check(WaitTenMilliseconds(main), "the wait is set to 10 ms with the spinner");
  Resources first;
  std::printf("| pass | private bytes | working set | handles | GDI objects | USER objects | visible windows |\n"
              "|---|---|---|---|---|---|---|\n");
  for (int pass = 1; pass <= passes; ++pass) {
    if (!OnePass(tavrel, main, button, pass % 107)) {
      Check(false, "pass " + std::to_string(pass) + " completes");
      break;
    }
    if (pass == 1 || pass % 10 == 0 || pass == passes) {
      Sleep(200);
      const Resources r = ReadResources(tavrel.process());
      std::printf("| %d | %lu | %lu | %lu | %lu | %lu | %lu |\n", pass, static_cast<unsigned long>(r.privateBytes),
                  static_cast<unsigned long>(r.workingSet), r.handles, r.gdiObjects, r.userObjects, r.windows);
      std::fflush(stdout);
      if (pass == 1) first = r;
      if (pass == passes) {
        // Allowed drift after the first pass: 256 KiB of private bytes and
        // of working set (the heap and Wine's own caches settle in pages),
        // and not one handle, GDI or USER object.
        const SIZE_T slack = 256 * 1024;
        Check(r.privateBytes <= first.privateBytes + slack,
              "private bytes grew by " + std::to_string(static_cast<long>(r.privateBytes - first.privateBytes)) +
                  " bytes (allowed 262144)");
        Check(r.workingSet <= first.workingSet + slack,
              "working set grew by " + std::to_string(static_cast<long>(r.workingSet - first.workingSet)) +
                  " bytes (allowed 262144)");
        Check(r.handles <= first.handles, "handles: " + std::to_string(first.handles) + " -> " + std::to_string(r.handles));
        Check(r.gdiObjects <= first.gdiObjects, "GDI objects: " + std::to_string(first.gdiObjects) + " -> " +
                                                    std::to_string(r.gdiObjects));
        Check(r.userObjects <= first.userObjects, "USER objects: " + std::to_string(first.userObjects) + " -> " +
                                                      std::to_string(r.userObjects));
        Check(r.windows <= first.windows, "windows: " + std::to_string(first.windows) + " -> " + std::to_string(r.windows));
      }
    }
  }
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD exitCode = STILL_ACTIVE;
  if (WaitForSingleObject(tavrel.process(), 10000) == WAIT_OBJECT_0) GetExitCodeProcess(tavrel.process(), &exitCode);
  Check(exitCode == 0, "the program ends with exit code 0");
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

// Times RUNS passes from the press to the closing caption, and reads the
// peak working set after them. Prints: runs, median, min, max (ms), peak
// working set (bytes).
int TimePasses(const std::string& exe, int runs) {
  Program tavrel(exe);
  HWND main = nullptr;
  if (!WaitFor([&] { return (main = tavrel.WindowCaptioned("Tavrel")) != nullptr; }, 15000)) return 1;
  HWND button = ChildOfClass(main, "Button", "开始优选");
  std::vector<double> times;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int run = 0; run < runs; ++run) {
    if (!WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000)) return 1;
    LARGE_INTEGER start, end;
    WaitOutDoubleClick();  // not part of the pass
    QueryPerformanceCounter(&start);
    Click(button, {40, 16});
    HWND results = nullptr;
    // Polled every millisecond: the figure is meant to resolve a fraction
    // of a millisecond per probe.
    for (int k = 0; k < 120000 && !(results = tavrel.WindowCaptioned("处理完成，左键单击复制")); ++k) Sleep(1);
    QueryPerformanceCounter(&end);
    if (!results) return 1;
    times.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
    PressKey(VK_ESCAPE);
    WaitFor([&] { return tavrel.WindowCaptioned("处理完成，左键单击复制") == nullptr; }, 5000);
  }
  const Resources r = ReadResources(tavrel.process());
  std::sort(times.begin(), times.end());
  std::printf("%d\t%.1f\t%.1f\t%.1f\t%lu\n", runs, times[times.size() / 2], times.front(), times.back(),
              static_cast<unsigned long>(r.peakWorkingSet));
  PostMessageA(main, WM_CLOSE, 0, 0);
  WaitForSingleObject(tavrel.process(), 10000);
  return 0;
}

int main(int argc, char** argv) {
  auto windowsPath = [](std::string path) { return !path.empty() && path[0] == '/' ? "Z:" + path : path; };
  if (argc == 4 && std::string(argv[1]) == "--time-passes") return TimePasses(windowsPath(argv[2]), std::atoi(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "--soak") return Soak(windowsPath(argv[2]), std::atoi(argv[3]));
  if (argc == 5 && std::string(argv[1]) == "--pose") return Pose(windowsPath(argv[2]), argv[3], windowsPath(argv[4]));
  if (argc < 3) {
    std::printf("usage: e2e_driver TAVREL_EXE BED_CONFIG\n");
    return 2;
  }
  // Linux paths reach the Windows side through Wine's drive Z:.
  const std::string configPath = windowsPath(argv[2]);
  Behaviour fallback;
  const auto behaviours = ReadConfig(configPath, fallback);
  Check(!behaviours.empty(), "the bed configuration is readable");
  const std::vector<std::string> entries = DefaultEntries();
  int silentCount = 0, delaySum = 0;
  for (const auto& entry : entries) {
    auto found = behaviours.find(entry);
    const Behaviour b = found == behaviours.end() ? fallback : found->second;
    silentCount += b.kind == "silent";
    delaySum += b.kind == "delay" ? b.delay : 0;
  }
  const int waitMs = 500;  // the default text "500毫秒"

  Program tavrel(windowsPath(argv[1]));
  Check(tavrel.Started(), "tavrel.exe starts");
  HWND main = nullptr;
  WaitFor([&] { return (main = tavrel.WindowCaptioned("Tavrel")) != nullptr; }, 15000);
  Check(main != nullptr, "the main window appears with the caption \"Tavrel\"");
  if (!main) return 1;
  RECT outer{};
  GetWindowRect(main, &outer);
  Check(outer.left == (GetSystemMetrics(SM_CXSCREEN) - 355) / 2 && outer.top == (GetSystemMetrics(SM_CYSCREEN) - 411) / 2 &&
            outer.right - outer.left == 355 && outer.bottom - outer.top == 411,
        "the main window is 355 x 411 and centred");
  HWND button = ChildOfClass(main, "Button", "开始优选");
  Check(button != nullptr, "the start button is there");
  if (!button) return 1;

  for (int pass = 1; pass <= 2; ++pass) {
    const std::string p = "pass " + std::to_string(pass) + ": ";
    WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000);
    const DWORD pressed = GetTickCount();
    Click(button, {40, 16});
    HWND results = nullptr;
    WaitFor([&] { return (results = tavrel.WindowCaptioned("正在Ping操作，请稍后...")) != nullptr; }, 10000);
    Check(results != nullptr, p + "the results window appears with \"正在Ping操作，请稍后...\"");
    Check(results && GetForegroundWindow() == results, p + "the results window is in front");
    const int lower = silentCount * waitMs + delaySum;
    const int upper = lower + 8000;
    HWND done = nullptr;
    WaitFor([&] { return (done = tavrel.WindowCaptioned("处理完成，左键单击复制")) != nullptr; }, upper + 5000);
    const int elapsed = static_cast<int>(GetTickCount() - pressed);
    Check(done != nullptr && done == results, p + "the pass ends with \"处理完成，左键单击复制\"");
    if (!done) return 1;
    Check(elapsed >= lower * 95 / 100 && elapsed <= upper,
          p + "the pass took " + std::to_string(elapsed) + " ms, within [" + std::to_string(lower * 95 / 100) + ", " +
              std::to_string(upper) + "] (silent x wait + delays, plus up to 8 s of list filling and Wine overhead)");
    WaitFor([&] { return !IsWindowEnabled(main); }, 3000);
    Check(!IsWindowEnabled(main), p + "the results window is modal: the main window is disabled");
    Check(GetWindow(results, GW_OWNER) != nullptr && GetWindow(results, GW_OWNER) != main,
          p + "the results window is owned by the hidden window (no taskbar button)");

    HWND listControl = ChildOfClass(results, "SysListView32");
    Check(listControl != nullptr, p + "the results window holds a list");
    if (!listControl) return 1;
    RemoteList list(tavrel.process(), listControl);
    Check(list.Header(0) == "DNS服务器" && SendMessageA(listControl, LVM_GETCOLUMNWIDTH, 0, 0) == 200,
          p + "column 0 is \"DNS服务器\", 200 pixels wide");
    Check(list.Header(1) == "Ping" && SendMessageA(listControl, LVM_GETCOLUMNWIDTH, 1, 0) == 100,
          p + "column 1 is \"Ping\", 100 pixels wide");
    const int rows = static_cast<int>(SendMessageA(listControl, LVM_GETITEMCOUNT, 0, 0));
    Check(rows == 107, p + "the list has 107 rows (it has " + std::to_string(rows) + ")");
    int goodServers = 0, goodTimes = 0;
    std::string firstBad;
    for (int row = 0; row < rows && row < 107; ++row) {
      const std::string server = list.Cell(row, 0), time = list.Cell(row, 1);
      goodServers += server == entries[row];
      auto found = behaviours.find(entries[row]);
      const Behaviour b = found == behaviours.end() ? fallback : found->second;
      bool good = false;
      if (b.kind == "silent" || b.kind == "unreachable") {
        good = time == "超时（禁Ping）";
      } else {
        const int ms = std::atoi(time.c_str());
        const int wanted = b.kind == "delay" ? b.delay : 0;
        // Above the configured delay: Wine's whole-millisecond truncation and
        // scheduling (up to 3 ms, 8 ms for the responder's delays); the
        // first echo of a process may take up to 10 ms longer.
        const int slack = row == 0 ? 10 : wanted ? 8 : 3;
        good = !time.empty() && time.find_first_not_of("0123456789") == std::string::npos && ms >= wanted &&
               ms <= wanted + slack;
      }
      goodTimes += good;
      if (!good && firstBad.empty()) firstBad = " (first wrong: row " + std::to_string(row) + " " + server + " -> " + time + ")";
    }
    Check(goodServers == 107, p + "column 0 holds each slot's text byte for byte in slot order");
    Check(goodTimes == 107, p + "column 1: the delay within its tolerance for answering servers, the timeout note "
                                "for silent and unreachable ones" + firstBad);
    Check(entries[54] == entries[63] && list.Cell(54, 0) == entries[54] && list.Cell(63, 0) == entries[54],
          p + "slots 55 and 64 each have their own row");
    if (pass == 2) {
      PressKey(VK_ESCAPE);
      WaitFor([&] { return tavrel.WindowCaptioned("处理完成，左键单击复制") == nullptr; }, 5000);
      break;
    }

    // Copies: first, middle and last rows, and a click in column 1.
    struct CopyClick {
      int row;
      int column;
    };
    for (const CopyClick c : {CopyClick{0, 0}, CopyClick{53, 0}, CopyClick{106, 0}, CopyClick{2, 1}}) {
      SendMessageA(listControl, LVM_ENSUREVISIBLE, c.row, FALSE);
      const RECT r = list.RowRect(c.row);
      Clipboard::Set("sentinel");
      Click(listControl, {c.column == 0 ? r.left + 40 : r.left + 250, (r.top + r.bottom) / 2});
      std::string bytes;
      const std::string wanted = WithZero(entries[c.row]);
      Clipboard::AwaitChange();
      Clipboard::Read(bytes);
      Check(bytes == wanted, "a click on row " + std::to_string(c.row) + " column " + std::to_string(c.column) +
                                 " puts exactly \"" + entries[c.row] + "\" and a zero byte on the clipboard" +
                                 (bytes == wanted ? std::string() : " (got \"" + std::string(bytes.c_str()) + "\", row at " + std::to_string(r.top) + ".." + std::to_string(r.bottom) + ")"));
    }
    // Below the last row, after scrolling to the end.
    SendMessageA(listControl, LVM_ENSUREVISIBLE, 106, FALSE);
    RECT client{};
    GetClientRect(listControl, &client);
    const RECT last = list.RowRect(106);
    Check(client.bottom - last.bottom >= 3, "there is empty space below the last row (" +
                                                std::to_string(client.bottom - last.bottom) + " px)");
    Clipboard::Set("sentinel");
    Click(listControl, {40, (last.bottom + client.bottom) / 2});
    std::string bytes;
    Clipboard::AwaitChange();
    Clipboard::Read(bytes);
    Check(bytes == std::string(1, '\0'), "a click on the empty area puts the empty text on the clipboard");

    HWND header = reinterpret_cast<HWND>(SendMessageA(listControl, LVM_GETHEADER, 0, 0));
    Clipboard::Set("sentinel");
    Click(header, {30, 8});
    Sleep(500);
    Clipboard::Read(bytes);
    Check(bytes == WithZero("sentinel"), "a click on a header copies nothing");

    // Another process holds the clipboard open with a window of its own.
    HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    Clipboard::Set("sentinel");
    const bool held = OpenClipboard(holder) != FALSE;
    SendMessageA(listControl, LVM_ENSUREVISIBLE, 10, FALSE);
    const RECT row10 = list.RowRect(10);
    Click(listControl, {40, (row10.top + row10.bottom) / 2});
    WaitFor([&] { return SendMessageA(listControl, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 10; },
            3000);
    Sleep(300);
    if (held) CloseClipboard();
    DestroyWindow(holder);
    Clipboard::Read(bytes);
    Check(held && bytes == WithZero("sentinel"), "while another process holds the clipboard, a click leaves it as it was");
    Check(!tavrel.HasMessageBox(), "and the program shows no message");

    PressKey(VK_ESCAPE);
    WaitFor([&] { return tavrel.WindowCaptioned("处理完成，左键单击复制") == nullptr; }, 5000);
    Check(tavrel.WindowCaptioned("处理完成，左键单击复制") == nullptr, "Esc closes the results window");
    WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 3000);
    Check(IsWindowEnabled(main) != FALSE, "the main window is enabled again");
  }

  WaitFor([&] { return GetForegroundWindow() == main; }, 3000);
  PressKey(VK_ESCAPE);
  DWORD exitCode = STILL_ACTIVE;
  if (WaitForSingleObject(tavrel.process(), 10000) == WAIT_OBJECT_0) GetExitCodeProcess(tavrel.process(), &exitCode);
  Check(exitCode == 0, "Esc on the main window ends the process with exit code 0 (got " + std::to_string(exitCode) + ")");
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
