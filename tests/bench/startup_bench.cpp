// Start-up time and memory of two programs, launched alternately: from
// CreateProcess to the first visible top-level window of the process, then
// the working set once it stands. Prints, per program:
//   name  runs  median-ms  min-ms  max-ms  working-set-median-bytes
//
//   startup_bench RUNS EXE_A EXE_B
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

bool RunOnce(const std::string& exe, double& milliseconds, SIZE_T& workingSet) {
  LARGE_INTEGER frequency, start, shown;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + exe + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return false;
  Search search{info.dwProcessId, nullptr};
  for (int k = 0; k < 20000 && !search.found; ++k) {
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  QueryPerformanceCounter(&shown);
  milliseconds = 1000.0 * (shown.QuadPart - start.QuadPart) / frequency.QuadPart;
  Sleep(300);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
  workingSet = memory.WorkingSetSize;
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return search.found != nullptr;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> programs;
  for (int k = 2; k < argc; ++k) programs.push_back(std::string(argv[k])[0] == '/' ? "Z:" + std::string(argv[k]) : argv[k]);
  std::vector<std::vector<double>> times(programs.size());
  std::vector<std::vector<SIZE_T>> sets(programs.size());
  for (int run = 0; run < runs + 1; ++run) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      double ms = 0;
      SIZE_T ws = 0;
      if (!RunOnce(programs[p], ms, ws)) return 1;
      if (run == 0) continue;  // the first round warms the caches
      times[p].push_back(ms);
      sets[p].push_back(ws);
    }
  }
  for (std::size_t p = 0; p < programs.size(); ++p) {
    const auto& t = times[p];
    std::printf("%s\t%d\t%.1f\t%.1f\t%.1f\t%lu\n", programs[p].c_str(), runs, Median(t),
                *std::min_element(t.begin(), t.end()), *std::max_element(t.begin(), t.end()),
                static_cast<unsigned long>(Median(sets[p])));
  }
  return 0;
}
