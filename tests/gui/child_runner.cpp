#include "tests/gui/child_runner.h"

#include <vector>

namespace tavrel::testing {
namespace {

struct Search {
  DWORD pid;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* s = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (pid == s->pid && lstrcmpiA(name, s->className) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM data) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  const std::string text = WindowTextOf(child);
  auto* longest = reinterpret_cast<std::string*>(data);
  if (lstrcmpiA(name, "Static") == 0 && text.size() > longest->size()) *longest = text;
  return TRUE;
}

}  // namespace

ChildProcess::ChildProcess(const char* procedure) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string command = std::string("\"") + path + "\" --child=" + procedure;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
  CloseHandle(process_);
}

HWND ChildProcess::WaitForWindow(const char* className, int timeoutMs) const {
  Search search{id_, className, nullptr};
  const DWORD start = GetTickCount();
  while (static_cast<int>(GetTickCount() - start) < timeoutMs) {
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

DWORD ChildProcess::WaitForExit(int timeoutMs) {
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::string WindowTextOf(HWND hwnd) {
  char text[1024] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string MessageBoxText(HWND box) {
  std::string found;
  EnumChildWindows(box, &LongestStatic, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace tavrel::testing
