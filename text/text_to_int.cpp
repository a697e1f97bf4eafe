#include <cstring>
#include <string>

#include "text/text.h"

namespace tavrel {
namespace {

// The ASCII byte that a full-width double-byte character stands for, or 0
// when the character is not one of the folded forms.
unsigned char FullWidthToAscii(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail & 0x7F);
  if (lead == 0xA1 && trail == 0xA1) return ' ';
  if (lead == 0xA1 && trail == 0xAB) return '~';
  if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';
  return 0;
}

std::string Fold(const unsigned char* value) {
  std::string folded;
  for (std::size_t k = 0; value[k] != 0;) {
    const unsigned char byte = value[k];
    if (!IsLeadByte(byte)) {
      folded.push_back(static_cast<char>(byte));
      k += 1;
      continue;
    }
    const unsigned char trail = value[k + 1];
    if (trail == 0) break;  // a lone lead byte before the terminator is dropped
    if (unsigned char ascii = FullWidthToAscii(byte, trail)) {
      folded.push_back(static_cast<char>(ascii));
    } else {
      folded.push_back(static_cast<char>(byte));
      folded.push_back(static_cast<char>(trail));
    }
    k += 2;
  }
  return folded;
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t TextToInt(const char* value) {
  if (value == nullptr) return 0;
  const std::string folded = Fold(reinterpret_cast<const unsigned char*>(value));
  std::size_t k = 0;
  while (k < folded.size() && IsBlank(folded[k])) ++k;
  bool negative = false;
  if (k < folded.size() && (folded[k] == '+' || folded[k] == '-')) negative = folded[k++] == '-';
  uint32_t result = 0;  // unsigned: the wrap on overflow is defined
  for (; k < folded.size() && folded[k] >= '0' && folded[k] <= '9'; ++k)
    result = result * 10u + static_cast<uint32_t>(folded[k] - '0');
  if (negative) result = 0u - result;
  return static_cast<int32_t>(result);
}

}  // namespace tavrel
