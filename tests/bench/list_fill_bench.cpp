// The cost of a pass outside the probes: the results window's own pass
// with an echo service that answers at once without touching the network
// (through the probe seam), timed around the FirstActivated handler and the
// redraw that follows it. Also counts the messages the list receives. As a
// reference in the same run, the same pass called outside any handler,
// where every row is drawn as it is added.
//
//   list_fill_bench RUNS
// prints: list-fill RUNS median min max messages reference-median
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/tables.h"
#include "app/startup.h"
#include "screens/main_window.h"
#include "screens/results_window.h"
#include "services/probe_api.h"
#include "ui/framework.h"
#include "ui/list_operations.h"
#include "ui/live_window.h"
#include "ui/window_table.h"

namespace {

HANDLE WINAPI FakeCreateFile() { return reinterpret_cast<HANDLE>(1); }
DWORD WINAPI InstantEcho(HANDLE, ULONG, LPVOID, WORD, LPVOID, LPVOID reply, DWORD, DWORD) {
  auto* record = static_cast<tavrel::EchoReply*>(reply);
  record->status = 0;
  record->roundTripTime = 3;
  return 1;
}
BOOL WINAPI FakeClose(HANDLE) { return TRUE; }
int WSAAPI FakeStartup(WORD, LPWSADATA) { return 0; }
HMODULE WINAPI FakeLibrary(LPCSTR) { return reinterpret_cast<HMODULE>(0x1000); }
FARPROC WINAPI FakeEntry(HMODULE, LPCSTR name) {
  if (!lstrcmpA(name, "IcmpCreateFile")) return tavrel::ToEntryPoint(&FakeCreateFile);
  if (!lstrcmpA(name, "IcmpSendEcho")) return tavrel::ToEntryPoint(&InstantEcho);
  return tavrel::ToEntryPoint(&FakeClose);
}

double passMs = 0;
long listMessages = 0;

LRESULT CALLBACK CountMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  ++listMessages;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void TimedCreated() {
  tavrel::ResultsWindowCreated();
  HWND list = tavrel::FindLiveWindow(tavrel::ResultsWindow)->Unit(tavrel::超级列表框1)->hwnd();
  SetWindowSubclass(list, &CountMessages, 1, 0);
}

void TimedPass() {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  listMessages = 0;
  QueryPerformanceCounter(&start);
  tavrel::ResultsWindowFirstActivated();
  tavrel::FlushDeferredListRedraws();  // what the framework does when the handler returns
  QueryPerformanceCounter(&end);
  passMs = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
  PostMessageA(tavrel::FindLiveWindow(tavrel::ResultsWindow)->hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
  tavrel::ProbeSeam() = tavrel::ProbeApi{&FakeStartup, nullptr, &FakeLibrary, &FakeEntry, nullptr, &inet_addr, &gethostbyname};
  if (!tavrel::InitializeFramework()) return 1;
  if (!tavrel::TakeInDefinitions(tavrel::ProgramWindowTable(),
                                 {{tavrel::handler_name::MainWindowCreated, [] {}},
                                  {tavrel::handler_name::StartButtonClicked, [] {}},
                                  {tavrel::handler_name::ResultsWindowCreated, &TimedCreated},
                                  {tavrel::handler_name::ResultsWindowFirstActivated, &TimedPass},
                                  {tavrel::handler_name::ResultListClicked, [] {}}}))
    return 1;
  tavrel::CreateTables();
  for (int i = 1; i <= tavrel::SlotCount; ++i) tavrel::StoreServerSlot(i, tavrel::CopyText("192.0.2.1"));
  std::vector<double> times, reference;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int run = 0; run < runs; ++run) {
    tavrel::LoadWindow(tavrel::ResultsWindow, std::nullopt, true);
    times.push_back(passMs);
    const long messages = listMessages;
    // The reference: the window loaded without its pass, then the pass
    // called directly, outside any handler.
    tavrel::TakeInDefinitions(tavrel::ProgramWindowTable(),
                              {{tavrel::handler_name::MainWindowCreated, [] {}},
                               {tavrel::handler_name::StartButtonClicked, [] {}},
                               {tavrel::handler_name::ResultsWindowCreated, &tavrel::ResultsWindowCreated},
                               {tavrel::handler_name::ResultsWindowFirstActivated, [] {}},
                               {tavrel::handler_name::ResultListClicked, [] {}}});
    tavrel::LoadWindow(tavrel::ResultsWindow, std::nullopt, false);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    tavrel::ResultsWindowFirstActivated();
    QueryPerformanceCounter(&end);
    reference.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
    DestroyWindow(tavrel::FindLiveWindow(tavrel::ResultsWindow)->hwnd());
    tavrel::TakeInDefinitions(tavrel::ProgramWindowTable(),
                              {{tavrel::handler_name::MainWindowCreated, [] {}},
                               {tavrel::handler_name::StartButtonClicked, [] {}},
                               {tavrel::handler_name::ResultsWindowCreated, &TimedCreated},
                               {tavrel::handler_name::ResultsWindowFirstActivated, &TimedPass},
                               {tavrel::handler_name::ResultListClicked, [] {}}});
    listMessages = messages;
  }
  std::sort(times.begin(), times.end());
  std::sort(reference.begin(), reference.end());
  std::printf("list-fill\t%d\t%.1f\t%.1f\t%.1f\t%ld\t%.1f\n", runs, times[times.size() / 2], times.front(),
              times.back(), listMessages, reference[reference.size() / 2]);
  return 0;
}
