// Measures ProbeHost against hosts of the test bed: the round-trip time it
// returns and how long each call takes beyond that time (or beyond the
// wait, for a silent host). Prints one tab-separated line per host:
//   address  configured  rtt-median  rtt-min  rtt-max  beyond-median  beyond-max  (ms)
//
//   probe_bench REPEATS WAIT_MS ADDRESS=DELAY ...   (DELAY -1: silent)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/probe.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const int repeats = std::atoi(argv[1]);
  const int waitMs = std::atoi(argv[2]);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  tavrel::ProbeHost("127.0.0.1", 1000);  // the first echo of a process is slower
  for (int k = 3; k < argc; ++k) {
    const std::string entry = argv[k];
    const std::string address = entry.substr(0, entry.find('='));
    const int delay = std::atoi(entry.c_str() + entry.find('=') + 1);
    std::vector<double> rtts, beyond;
    for (int r = 0; r < repeats; ++r) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      const int32_t rtt = tavrel::ProbeHost(address.c_str(), waitMs);
      QueryPerformanceCounter(&end);
      const double elapsed = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
      if (rtt >= 0) rtts.push_back(rtt);
      beyond.push_back(elapsed - (rtt >= 0 ? rtt : waitMs));
    }
    const double rttMin = rtts.empty() ? -1 : *std::min_element(rtts.begin(), rtts.end());
    const double rttMax = rtts.empty() ? -1 : *std::max_element(rtts.begin(), rtts.end());
    std::printf("%s\t%d\t%.1f\t%.0f\t%.0f\t%.2f\t%.2f\n", address.c_str(), delay, rtts.empty() ? -1.0 : Median(rtts),
                rttMin, rttMax, Median(beyond), *std::max_element(beyond.begin(), beyond.end()));
  }
  tavrel::ReleaseProbeState();
  return 0;
}
