#include "services/probe_api.h"

namespace tavrel {

ProbeApi RealProbeApi() {
  return ProbeApi{&WSAStartup, &WSACleanup, &LoadLibraryA, &GetProcAddress, &FreeLibrary, &inet_addr, &gethostbyname};
}

ProbeApi& ProbeSeam() {
  static ProbeApi api = RealProbeApi();
  return api;
}

ProbeState& CurrentProbeState() {
  static ProbeState state;
  return state;
}

}  // namespace tavrel
