// Answers ICMP echo requests after a configured delay, from the address
// that was probed. Runs inside the test bed's peer namespace, where the
// kernel's own echo replies are switched off.
//
//   echo_responder ADDRESS=MS ... [default=MS]
//
// An address without an entry (and without a default) is never answered.
#include <arpa/inet.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <queue>
#include <string>
#include <vector>

namespace {

struct PendingReply {
  int64_t dueUs;  // microseconds: whole milliseconds would cut delays short
  std::vector<unsigned char> packet;  // IP header and ICMP reply
  sockaddr_in to;
  bool operator>(const PendingReply& other) const { return dueUs > other.dueUs; }
};

int64_t NowUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000000 + now.tv_nsec / 1000;
}

uint16_t Checksum(const unsigned char* data, std::size_t length) {
  uint32_t sum = 0;
  for (std::size_t k = 0; k + 1 < length; k += 2) sum += (data[k] << 8) | data[k + 1];
  if (length & 1) sum += data[length - 1] << 8;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return htons(static_cast<uint16_t>(~sum));
}

// The reply to one request, or an empty packet when it is not an echo request.
std::vector<unsigned char> MakeReply(const unsigned char* request, std::size_t length, in_addr& from, in_addr& to) {
  if (length < 20) return {};
  const auto* ip = reinterpret_cast<const iphdr*>(request);
  const std::size_t headerLength = ip->ihl * 4u;
  if (length < headerLength + 8 || request[headerLength] != ICMP_ECHO) return {};
  const std::size_t icmpLength = length - headerLength;
  std::vector<unsigned char> packet(20 + icmpLength);
  auto* reply = reinterpret_cast<iphdr*>(packet.data());
  reply->version = 4;
  reply->ihl = 5;
  reply->ttl = 64;
  reply->protocol = IPPROTO_ICMP;
  reply->tot_len = htons(static_cast<uint16_t>(packet.size()));
  reply->saddr = ip->daddr;  // from the probed address
  reply->daddr = ip->saddr;
  std::memcpy(packet.data() + 20, request + headerLength, icmpLength);
  packet[20] = ICMP_ECHOREPLY;
  packet[22] = packet[23] = 0;
  const uint16_t sum = Checksum(packet.data() + 20, icmpLength);
  std::memcpy(packet.data() + 22, &sum, 2);
  from.s_addr = ip->daddr;
  to.s_addr = ip->saddr;
  return packet;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<uint32_t, int> delays;  // network order address -> ms
  int defaultDelay = -1;
  for (int k = 1; k < argc; ++k) {
    std::string entry = argv[k];
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) continue;
    const int ms = std::atoi(entry.c_str() + equals + 1);
    const std::string address = entry.substr(0, equals);
    if (address == "default") {
      defaultDelay = ms;
    } else {
      in_addr parsed{};
      if (inet_pton(AF_INET, address.c_str(), &parsed) == 1) delays[parsed.s_addr] = ms;
    }
  }
  const int receiver = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
  const int sender = socket(AF_INET, SOCK_RAW, IPPROTO_RAW);
  if (receiver < 0 || sender < 0) {
    std::perror("echo_responder: raw socket");
    return 1;
  }
  std::priority_queue<PendingReply, std::vector<PendingReply>, std::greater<PendingReply>> pending;
  std::fprintf(stderr, "echo_responder: ready\n");
  for (;;) {
    int timeout = -1;
    if (!pending.empty()) timeout = static_cast<int>((std::max<int64_t>(0, pending.top().dueUs - NowUs()) + 999) / 1000);
    pollfd wait{receiver, POLLIN, 0};
    if (poll(&wait, 1, timeout) > 0) {
      unsigned char buffer[65536];
      const ssize_t got = recv(receiver, buffer, sizeof buffer, 0);
      in_addr from{}, to{};
      std::vector<unsigned char> packet = got > 0 ? MakeReply(buffer, static_cast<std::size_t>(got), from, to)
                                                  : std::vector<unsigned char>{};
      if (!packet.empty()) {
        auto found = delays.find(from.s_addr);
        const int delay = found != delays.end() ? found->second : defaultDelay;
        if (delay >= 0) {
          sockaddr_in destination{};
          destination.sin_family = AF_INET;
          destination.sin_addr = to;
          pending.push({NowUs() + int64_t{delay} * 1000, std::move(packet), destination});
        }
      }
    }
    while (!pending.empty() && pending.top().dueUs <= NowUs()) {
      const PendingReply& reply = pending.top();
      sendto(sender, reply.packet.data(), reply.packet.size(), 0, reinterpret_cast<const sockaddr*>(&reply.to),
             sizeof reply.to);
      pending.pop();
    }
  }
}
