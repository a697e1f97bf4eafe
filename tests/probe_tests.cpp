// ProbeHost through its seam (fake platform calls, nothing is sent) and,
// in the test bed only, against real addresses under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "services/probe.h"
#include "services/probe_api.h"

namespace tavrel {
namespace {

// ---- fakes: every call is logged; nothing touches the network ----
std::vector<std::string> calls;
int startupResult = 0;
bool libraryMissing = false;
const char* missingEntry = nullptr;
DWORD sendResult = 1;
ULONG replyStatus = 0;
ULONG replyTime = 7;
DWORD lastTimeout = 0;
ULONG lastAddress = 0;
HMODULE const kFakeLibrary = reinterpret_cast<HMODULE>(0x1234);

int WSAAPI FakeStartup(WORD version, LPWSADATA) {
  calls.push_back("WSAStartup " + std::to_string(version));
  return startupResult;
}
int WSAAPI FakeCleanup() {
  calls.push_back("WSACleanup");
  return 0;
}
HMODULE WINAPI FakeLoadLibrary(LPCSTR name) {
  calls.push_back(std::string("LoadLibrary ") + name);
  return libraryMissing ? nullptr : kFakeLibrary;
}
BOOL WINAPI FakeFreeLibrary(HMODULE) {
  calls.push_back("FreeLibrary");
  return TRUE;
}
HANDLE WINAPI FakeCreateFile() {
  calls.push_back("IcmpCreateFile");
  return reinterpret_cast<HANDLE>(0x99);
}
DWORD WINAPI FakeSendEcho(HANDLE, ULONG address, LPVOID data, WORD size, LPVOID options, LPVOID reply, DWORD replySize,
                          DWORD timeout) {
  calls.push_back("IcmpSendEcho");
  lastTimeout = timeout;
  lastAddress = address;
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(options, nullptr);
  EXPECT_EQ(replySize, 36u);
  auto* record = static_cast<EchoReply*>(reply);
  EXPECT_EQ(record->roundTripTime, 0xFFFFFFFFu) << "set to all ones before the request";
  if (sendResult) {
    record->status = replyStatus;
    record->roundTripTime = replyTime;
  }
  return sendResult;
}
BOOL WINAPI FakeCloseHandle(HANDLE) {
  calls.push_back("IcmpCloseHandle");
  return TRUE;
}
FARPROC WINAPI FakeGetProcAddress(HMODULE, LPCSTR name) {
  calls.push_back(std::string("GetProcAddress ") + name);
  if (missingEntry && std::strcmp(name, missingEntry) == 0) return nullptr;
  if (std::strcmp(name, "IcmpCreateFile") == 0) return ToEntryPoint(&FakeCreateFile);
  if (std::strcmp(name, "IcmpSendEcho") == 0) return ToEntryPoint(&FakeSendEcho);
  if (std::strcmp(name, "IcmpCloseHandle") == 0) return ToEntryPoint(&FakeCloseHandle);
  return nullptr;
}
unsigned long WSAAPI FakeInetAddr(const char* text) {
  calls.push_back(std::string("inet_addr ") + text);
  return RealProbeApi().inetAddr(text);  // pure parsing, no lookup
}
hostent* WSAAPI FakeGetHostByName(const char* name) {
  calls.push_back(std::string("gethostbyname ") + name);
  static char first[4] = {10, 0, 0, 1}, second[4] = {10, 0, 0, 2};
  static char* addresses[] = {first, second, nullptr};
  static hostent answer{};
  answer.h_addrtype = AF_INET;
  answer.h_length = 4;
  answer.h_addr_list = addresses;
  return std::strcmp(name, "two.example") == 0 ? &answer : nullptr;
}

class ProbeSeamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    startupResult = 0;
    libraryMissing = false;
    missingEntry = nullptr;
    sendResult = 1;
    replyStatus = 0;
    replyTime = 7;
    ProbeSeam() = ProbeApi{&FakeStartup,      &FakeCleanup,  &FakeLoadLibrary, &FakeGetProcAddress,
                           &FakeFreeLibrary,  &FakeInetAddr, &FakeGetHostByName};
    CurrentProbeState() = ProbeState{};
  }
  void TearDown() override {
    CurrentProbeState() = ProbeState{};
    ProbeSeam() = RealProbeApi();
  }
  static int Count(const std::string& prefix) {
    int n = 0;
    for (const auto& call : calls) n += call.rfind(prefix, 0) == 0;
    return n;
  }
};

TEST_F(ProbeSeamTest, ASuccessfulFirstCallMakesThePlatformCallsInOrder) {
  EXPECT_EQ(ProbeHost("192.0.2.7", 300), 7);
  const std::vector<std::string> firstCall = {
      "WSAStartup 257",          "LoadLibrary icmp.dll",  "GetProcAddress IcmpCreateFile",
      "GetProcAddress IcmpSendEcho", "GetProcAddress IcmpCloseHandle", "inet_addr 192.0.2.7",
      "IcmpCreateFile",          "IcmpSendEcho",          "IcmpCloseHandle",
  };
  EXPECT_EQ(calls, firstCall) << "a dotted address is probed without any name lookup";
  EXPECT_EQ(lastTimeout, 300u);
  EXPECT_EQ(lastAddress, RealProbeApi().inetAddr("192.0.2.7"));
  calls.clear();
  EXPECT_EQ(ProbeHost("192.0.2.7", 300), 7);
  EXPECT_EQ(Count("WSAStartup"), 0);
  EXPECT_EQ(Count("LoadLibrary"), 0);
  EXPECT_EQ(Count("GetProcAddress"), 3) << "the entry points are looked up on every call";
}

TEST_F(ProbeSeamTest, TheDefaultWaitIsTenSeconds) {
  ProbeHost("192.0.2.7");
  EXPECT_EQ(lastTimeout, 10000u);
  ProbeHost("192.0.2.7", -1);
  EXPECT_EQ(lastTimeout, 0xFFFFFFFFu) << "a negative wait reaches the library unchanged";
}

TEST_F(ProbeSeamTest, ANameIsResolvedAndProbedAtItsFirstAddress) {
  EXPECT_EQ(ProbeHost("two.example", 100), 7);
  EXPECT_EQ(Count("gethostbyname two.example"), 1);
  EXPECT_EQ(lastAddress, RealProbeApi().inetAddr("10.0.0.1"));
  calls.clear();
  EXPECT_EQ(ProbeHost("unknown.example", 100), -1);
  EXPECT_EQ(Count("IcmpCreateFile") + Count("IcmpSendEcho"), 0) << "nothing is sent for an unresolvable name";
  calls.clear();
  EXPECT_EQ(ProbeHost("255.255.255.255", 100), -1) << "the all-ones address goes to the resolver";
  EXPECT_EQ(Count("gethostbyname 255.255.255.255"), 1);
}

struct OutcomeCase {
  const char* name;
  DWORD sendResult;
  ULONG status;
  ULONG time;
  int32_t expected;
};

const OutcomeCase kOutcomes[] = {
    {"reply in 0 ms", 1, 0, 0, 0},
    {"reply in 42 ms", 1, 0, 42, 42},
    {"no reply", 0, 0, 0, -1},
    {"stored ICMP error 11003 (destination host unreachable)", 1, 11003, 3, -1},
    {"stored ICMP error 11013 (time exceeded)", 1, 11013, 9, -1},
};

TEST_F(ProbeSeamTest, Outcomes) {
  for (const OutcomeCase& c : kOutcomes) {
    sendResult = c.sendResult;
    replyStatus = c.status;
    replyTime = c.time;
    calls.clear();
    EXPECT_EQ(ProbeHost("192.0.2.9", 100), c.expected) << c.name;
    EXPECT_EQ(Count("IcmpCloseHandle"), 1) << c.name << ": the handle is closed whatever the outcome";
  }
}

TEST_F(ProbeSeamTest, AFailedStartupIsTriedAgainOnTheNextCall) {
  startupResult = WSASYSNOTREADY;
  EXPECT_EQ(ProbeHost("192.0.2.7", 100), -1);
  EXPECT_EQ(Count("LoadLibrary"), 0);
  startupResult = 0;
  EXPECT_EQ(ProbeHost("192.0.2.7", 100), 7);
  EXPECT_EQ(Count("WSAStartup"), 2);
  EXPECT_EQ(Count("LoadLibrary"), 1);
}

TEST_F(ProbeSeamTest, AMissingLibraryIsNeverLookedForAgain) {
  libraryMissing = true;
  for (int k = 0; k < 3; ++k) EXPECT_EQ(ProbeHost("192.0.2.7", 100), -1);
  EXPECT_EQ(Count("LoadLibrary"), 1);
  EXPECT_EQ(Count("WSAStartup"), 1);
  EXPECT_EQ(Count("inet_addr") + Count("IcmpSendEcho"), 0);
}

TEST_F(ProbeSeamTest, AMissingEntryPointGivesMinusOneAndIsLookedUpAgain) {
  for (const char* entry : {"IcmpCreateFile", "IcmpSendEcho", "IcmpCloseHandle"}) {
    missingEntry = entry;
    calls.clear();
    EXPECT_EQ(ProbeHost("192.0.2.7", 100), -1) << entry;
    EXPECT_EQ(Count("IcmpSendEcho"), 0);
  }
  missingEntry = nullptr;
  EXPECT_EQ(ProbeHost("192.0.2.7", 100), 7);
}

TEST_F(ProbeSeamTest, ReleaseFreesTheLibraryBeforeStoppingSockets) {
  ProbeHost("192.0.2.7", 100);
  calls.clear();
  ReleaseProbeState();
  EXPECT_EQ(calls, (std::vector<std::string>{"FreeLibrary", "WSACleanup"}));
  calls.clear();
  ReleaseProbeState();
  EXPECT_TRUE(calls.empty()) << "nothing to release twice";
}

// ---- in the test bed only: real echo requests under Wine ----
class BedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bed = std::getenv("TAVREL_NETBED");
    if (!bed || std::strcmp(bed, "1") != 0) GTEST_SKIP() << "runs only inside tests/netbed/run";
    ProbeSeam() = RealProbeApi();
  }
  static int32_t TimedProbe(const char* host, int32_t waitMs, DWORD& elapsed) {
    const DWORD start = GetTickCount();
    const int32_t result = ProbeHost(host, waitMs);
    elapsed = GetTickCount() - start;
    return result;
  }
};

TEST_F(BedTest, AnsweringDelayedSilentAndUnreachableAddresses) {
  DWORD elapsed = 0;
  ProbeHost("198.51.100.1", 1000);  // the first echo of a process may take longer
  // The median of three, so that one call delayed by a busy machine does
  // not decide.
  int32_t local[3];
  for (int32_t& result : local) result = TimedProbe("198.51.100.1", 1000, elapsed);
  std::sort(local, local + 3);
  EXPECT_GE(local[0], 0);
  EXPECT_LE(local[1], 1) << "an address on the bed's loopback answers in 0 or 1 ms";

  // Tolerance: Wine truncates to whole milliseconds; the responder's timer
  // and scheduling add up to a few ms on a loaded machine.
  const int32_t delayed = TimedProbe("198.51.100.2", 1000, elapsed);
  EXPECT_GE(delayed, 50);
  EXPECT_LE(delayed, 58);

  const int32_t silent = TimedProbe("198.51.100.3", 300, elapsed);
  EXPECT_EQ(silent, -1);
  EXPECT_GE(elapsed, 280u) << "a silent address waits about waitMs";
  EXPECT_LE(elapsed, 1300u);

  const int32_t unreachable = TimedProbe("198.51.100.4", 3000, elapsed);
  EXPECT_EQ(unreachable, -1);
  EXPECT_LT(elapsed, 1000u) << "no route fails at once";
}

TEST_F(BedTest, NamesResolveThroughTheBedsHostsFile) {
  DWORD elapsed = 0;
  const int32_t first = TimedProbe("multi.tavrel.test", 1000, elapsed);
  EXPECT_GE(first, 50) << "probed at its first address, which answers after 50 ms (the second is silent)";
  EXPECT_LE(first, 58);
  const int32_t unknown = TimedProbe("no-such-host.tavrel.test", 3000, elapsed);
  EXPECT_EQ(unknown, -1);
  EXPECT_LT(elapsed, 1500u) << "an unresolvable name fails without waiting waitMs";
}

}  // namespace
}  // namespace tavrel
