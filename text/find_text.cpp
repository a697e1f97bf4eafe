#include <cstring>

#include "text/text.h"

namespace tavrel {
namespace {

unsigned char FoldAsciiCase(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

bool MatchesAt(const unsigned char* at, const unsigned char* pattern, std::size_t m, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(at, pattern, m) == 0;
  for (std::size_t k = 0; k < m; ++k)
    if (FoldAsciiCase(at[k]) != FoldAsciiCase(pattern[k])) return false;
  return true;
}

}  // namespace

int32_t FindText(const char* content, const char* pattern, int32_t start, bool ignoreCase) {
  if (content == nullptr) content = "";
  if (pattern == nullptr) pattern = "";
  const std::size_t n = std::strlen(content);
  const std::size_t m = std::strlen(pattern);
  // 64-bit so that start - 1 cannot overflow for INT32_MIN.
  const int64_t first = start - int64_t{1};
  const std::size_t b = first < 0 ? 0 : static_cast<std::size_t>(first);
  if (b >= n) return -1;
  if (m == 0) return 1;

  const auto* text = reinterpret_cast<const unsigned char*>(content);
  const auto* wanted = reinterpret_cast<const unsigned char*>(pattern);
  std::size_t p = b;
  while (m <= n - p) {
    if (MatchesAt(text + p, wanted, m, ignoreCase)) return static_cast<int32_t>(p + 1);
    if (IsLeadByte(text[p])) {
      if (p + 1 >= n) break;  // a lead byte at the very end ends the search
      p += 2;
    } else {
      p += 1;
    }
  }
  return -1;
}

}  // namespace tavrel
