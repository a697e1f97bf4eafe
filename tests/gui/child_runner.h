// Starts this test executable again as a child that runs one registered
// procedure, and talks to the child's windows from outside.
#pragma once
#include <windows.h>

#include <string>

namespace tavrel::testing {

class ChildProcess {
 public:
  explicit ChildProcess(const char* procedure);
  ~ChildProcess();
  bool Started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // A top-level window of the child with this class, or null after timeoutMs.
  HWND WaitForWindow(const char* className, int timeoutMs = 10000) const;
  // The exit code, or STILL_ACTIVE when it did not end within timeoutMs.
  DWORD WaitForExit(int timeoutMs = 10000);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::string WindowTextOf(HWND hwnd);  // through WM_GETTEXT, so any process
// The text of the message box's static control.
std::string MessageBoxText(HWND box);

}  // namespace tavrel::testing
