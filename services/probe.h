// One ICMP echo request to a server, timed in whole milliseconds.
#pragma once
#include <cstdint>

namespace tavrel {

// The round-trip time to host (a dotted IPv4 address or a host name) in
// milliseconds, or -1 when no good reply arrived within waitMs or the probe
// could not be made.
int32_t ProbeHost(const char* host, int32_t waitMs = 10000);

// At a normal exit: frees the echo library, then stops Windows Sockets, if
// a probe had started them.
void ReleaseProbeState();

}  // namespace tavrel
