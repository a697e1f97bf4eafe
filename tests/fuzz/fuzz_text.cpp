// Fuzzes FindText, MidText and TextToInt. Each text is copied into a heap
// block of exactly its length plus the terminator, so that AddressSanitizer
// reports any read past the terminator.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/text.h"

namespace {

char* ExactCopy(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  int32_t start, length;
  std::memcpy(&start, data, 4);
  std::memcpy(&length, data + 4, 4);
  const bool ignoreCase = data[8] & 1;
  // Small positions are the interesting ones; keep the full range too.
  if (data[8] & 2) start = start % 64;
  if (data[8] & 4) length = length % 64;
  const std::string rest(reinterpret_cast<const char*>(data + 9), size - 9);
  const std::size_t split = rest.find('\0');
  std::string content = rest.substr(0, split);
  std::string pattern = split == std::string::npos ? "" : rest.substr(split + 1);
  pattern = pattern.substr(0, pattern.find('\0'));
  char* c = ExactCopy(content);
  char* p = ExactCopy(pattern);
  const int64_t n = static_cast<int64_t>(content.size()), m = static_cast<int64_t>(pattern.size());

  const int32_t found = tavrel::FindText(c, p, start, ignoreCase);
  if (found != -1) {
    if (found < 1 || found > n || found - 1 + m > n) std::abort();
    for (int64_t k = 0; k < m; ++k) {
      const unsigned char a = c[found - 1 + k], b = p[k];
      if (ignoreCase ? Fold(a) != Fold(b) : a != b) std::abort();
    }
  }

  tavrel::OwnedText slice = tavrel::MidText(c, start, length);
  const int64_t from = static_cast<int64_t>(start) - 1;
  if (from < 0 || from >= n || length <= 0) {
    if (!slice.IsNone()) std::abort();
  } else {
    const int64_t expected = std::min<int64_t>(length, n - from);
    if (slice.IsNone() || static_cast<int64_t>(std::strlen(slice.get())) != expected ||
        std::memcmp(slice.get(), c + from, static_cast<std::size_t>(expected)) != 0)
      std::abort();
  }

  (void)tavrel::TextToInt(c);
  std::free(c);
  std::free(p);
  return 0;
}
