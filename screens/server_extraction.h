// Cutting the server entries out of the list text into the 107 slots.
#pragma once

namespace tavrel {

// Fills every slot of serverTable from listText, releasing the old texts.
// Each iteration looks for the next "[" from the "]" of the one before, then
// for the next "]" from that "[", and stores the bytes strictly between
// them, exactly as written (none when there are none). A failed search
// yields -1, which makes the next search start again at the first byte.
void ExtractServerList(const char* listText);

}  // namespace tavrel
