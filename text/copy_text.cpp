#include <cstring>

#include "text/text.h"

namespace tavrel {

OwnedText NewText(const char* bytes, std::size_t length) {
  if (length == 0) return OwnedText();
  char* block = static_cast<char*>(AllocateMemory(length + 1));
  std::memcpy(block, bytes, length);
  block[length] = '\0';
  return OwnedText(block);
}

OwnedText CopyText(const char* value) {
  if (value == nullptr) return OwnedText();
  return NewText(value, std::strlen(value));
}

}  // namespace tavrel
