#include <windows.h>

#include "app/startup.h"
#include "services/probe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const int32_t exitCode = tavrel::StartProgram();
  // The exit processing after StartProgram: the echo library, then sockets.
  tavrel::ReleaseProbeState();
  ExitProcess(static_cast<UINT>(exitCode));
}
