// The platform calls behind ProbeHost, as one table of function pointers
// that holds the real API unless a test replaces an entry.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>

namespace tavrel {

struct ProbeApi {
  int(WSAAPI* startup)(WORD version, LPWSADATA data);
  int(WSAAPI* cleanup)();
  HMODULE(WINAPI* loadLibrary)(LPCSTR name);
  FARPROC(WINAPI* getProcAddress)(HMODULE library, LPCSTR name);
  BOOL(WINAPI* freeLibrary)(HMODULE library);
  unsigned long(WSAAPI* inetAddr)(const char* text);
  hostent*(WSAAPI* getHostByName)(const char* name);
};
ProbeApi& ProbeSeam();
ProbeApi RealProbeApi();

// The entry points of the echo library, looked up by name on every call.
using IcmpCreateFileFunction = HANDLE(WINAPI*)();
using IcmpSendEchoFunction = DWORD(WINAPI*)(HANDLE handle, ULONG address, LPVOID requestData, WORD requestSize,
                                            LPVOID options, LPVOID replyBuffer, DWORD replySize, DWORD timeout);
using IcmpCloseHandleFunction = BOOL(WINAPI*)(HANDLE handle);

// Entry points travel as FARPROC; the conversions go through void(*)(),
// the one function type that any other converts to and from as it is.
template <typename Function>
Function FromEntryPoint(FARPROC entry) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}
template <typename Function>
FARPROC ToEntryPoint(Function function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// One reply record in the 32-bit layout: 28 bytes.
struct EchoReply {
  ULONG address;
  ULONG status;
  ULONG roundTripTime;
  USHORT dataSize;
  USHORT reserved;
  void* data;
  UCHAR ttl, tos, flags, optionsSize;
  UCHAR* optionsData;
};

constexpr DWORD kReplyBufferSize = 36;

struct ProbeState {
  int32_t socketsStarted = 0;
  HMODULE echoLibrary = nullptr;
};
ProbeState& CurrentProbeState();

}  // namespace tavrel
