#include "text/text.h"

namespace tavrel {

OwnedText IntToText(int32_t value) {
  char digits[12];
  int at = sizeof digits;
  // Work on the magnitude as unsigned so that INT32_MIN renders in full.
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[--at] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) digits[--at] = '-';
  return NewText(digits + at, sizeof digits - at);
}

}  // namespace tavrel
