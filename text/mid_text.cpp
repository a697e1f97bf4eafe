#include <cstring>

#include "text/text.h"

namespace tavrel {

OwnedText MidText(const char* content, int32_t start, int32_t length) {
  if (content == nullptr) content = "";
  const int64_t n = static_cast<int64_t>(std::strlen(content));
  const int64_t i = start - int64_t{1};
  if (i < 0 || i >= n || length <= 0) return OwnedText();
  const int64_t remaining = n - i;
  const int64_t taken = length < remaining ? length : remaining;
  return NewText(content + i, static_cast<std::size_t>(taken));
}

}  // namespace tavrel
