#include "services/probe.h"

#include <cstring>

#include "services/probe_api.h"

namespace tavrel {
namespace {

// Windows Sockets is started by the first call that finds it stopped; the
// echo library is loaded only in the call whose start-up succeeded, and a
// failed load is never tried again.
bool EnsureStarted(ProbeApi& api, ProbeState& state) {
  if (state.socketsStarted == 0) {
    WSADATA data;
    state.socketsStarted = api.startup(0x0101, &data) == 0 ? 1 : 0;
    state.echoLibrary = state.socketsStarted ? api.loadLibrary("icmp.dll") : nullptr;
  }
  return state.socketsStarted != 0 && state.echoLibrary != nullptr;
}

// A dotted address is used as it is; anything else goes to the resolver,
// whose first address is used.
bool ResolveAddress(ProbeApi& api, const char* host, ULONG& address) {
  address = api.inetAddr(host);
  if (address != INADDR_NONE) return true;
  hostent* answer = api.getHostByName(host);
  if (answer == nullptr || answer->h_addr_list == nullptr || answer->h_addr_list[0] == nullptr) return false;
  std::memcpy(&address, answer->h_addr_list[0], sizeof address);
  return true;
}

}  // namespace

int32_t ProbeHost(const char* host, int32_t waitMs) {
  ProbeApi& api = ProbeSeam();
  ProbeState& state = CurrentProbeState();
  if (host == nullptr) host = "";
  if (!EnsureStarted(api, state)) return -1;
  auto createFile = FromEntryPoint<IcmpCreateFileFunction>(api.getProcAddress(state.echoLibrary, "IcmpCreateFile"));
  auto sendEcho = FromEntryPoint<IcmpSendEchoFunction>(api.getProcAddress(state.echoLibrary, "IcmpSendEcho"));
  auto closeHandle = FromEntryPoint<IcmpCloseHandleFunction>(api.getProcAddress(state.echoLibrary, "IcmpCloseHandle"));
  if (!createFile || !sendEcho || !closeHandle) return -1;
  ULONG address = 0;
  if (!ResolveAddress(api, host, address)) return -1;

  // The handle is not tested: a failed open shows as a failed request.
  HANDLE handle = createFile();
  alignas(8) unsigned char buffer[kReplyBufferSize] = {};
  auto* reply = reinterpret_cast<EchoReply*>(buffer);
  reply->roundTripTime = 0xFFFFFFFFu;
  const DWORD replies =
      sendEcho(handle, address, nullptr, 0, nullptr, buffer, kReplyBufferSize, static_cast<DWORD>(waitMs));
  closeHandle(handle);
  if (replies == 0) return -1;
  // A stored ICMP error (unreachable, prohibited, ...) is no answer from
  // the server: its time must not pass for a fast server.
  if (reply->status != 0) return -1;
  return static_cast<int32_t>(reply->roundTripTime);
}

void ReleaseProbeState() {
  ProbeApi& api = ProbeSeam();
  ProbeState& state = CurrentProbeState();
  if (state.echoLibrary) api.freeLibrary(state.echoLibrary);
  if (state.socketsStarted == 1) api.cleanup();
  state = ProbeState{};
}

}  // namespace tavrel
