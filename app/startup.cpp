#include "app/startup.h"

#include <windows.h>
#include <ole2.h>

#include <cfloat>

#include "app/memory.h"
#include "app/tables.h"
#include "ui/framework.h"
#include "ui/window_table.h"

namespace tavrel {
namespace {

bool oleStarted = false;

// The current directory is the program's folder while it runs; a failure
// to change it is ignored.
void EnterProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  for (DWORD k = length; k-- > 0;) {
    if (path[k] == '\\' || path[k] == '/') {
      path[k] = '\0';
      SetCurrentDirectoryA(path);  // ignored on failure
      return;
    }
  }
}

// The teardown that both the normal end and a fatal error run: no handler
// runs any more, the registered clean-up (if still registered) runs once,
// and OLE is uninitialised.
void Teardown() {
  SuspendEventsForGood();
  RunExitCleanup();
  if (oleStarted) OleUninitialize();
  oleStarted = false;
}

}  // namespace

int32_t StartProgramWith(const std::vector<WindowRecord>& table, const std::vector<HandlerEntry>& handlers) {
  SetFatalHooks({&SuspendEventsForGood, &Teardown});
  oleStarted = SUCCEEDED(OleInitialize(nullptr));
  EnterProgramFolder();
  if (!InitializeFramework()) FatalError("载入启动窗口失败", 0);
  if (!TakeInDefinitions(table, handlers)) FatalError("载入窗口模板数据段出错!", 0);
  _fpreset();
  CreateTables();
  RegisterExitCleanup(&ReleaseTables);
  LoadStartupWindow(MainWindow);
  RunMessageLoop();
  Teardown();
  return 0;
}

int32_t StartProgram() { return StartProgramWith(ProgramWindowTable(), ProgramHandlers()); }

}  // namespace tavrel
