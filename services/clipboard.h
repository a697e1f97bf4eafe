// Plain text on the system clipboard.
#pragma once
#include <cstdint>

namespace tavrel {

// Replaces everything the clipboard holds by text as CF_TEXT. 1 when the
// text was handed over, 0 when the clipboard could not be opened or the
// block could not be made.
int32_t SetClipboardText(const char* text);

}  // namespace tavrel
