// Text primitives over zero-terminated byte texts in the ANSI code page.
// Positions count bytes from 1. A byte of 0x80 or more is a lead byte that
// begins a double-byte character wherever these operations step by
// characters. Result texts come from the memory service and are none when
// empty. A null argument text is read as the empty text.
#pragma once
#include <cstddef>
#include <cstdint>

#include "app/memory.h"

namespace tavrel {

// Position of the first match of pattern at or after start, or -1.
int32_t FindText(const char* content, const char* pattern, int32_t start, bool ignoreCase);

// The length bytes from start on (fewer at the end of the text), or none.
OwnedText MidText(const char* content, int32_t start, int32_t length);

// The integer at the start of the text after blanks, with full-width digits,
// signs and spaces folded to ASCII; 0 when there is none. Wraps on overflow.
int32_t TextToInt(const char* value);
inline int32_t TextToInt(int32_t value) { return value; }

// Decimal form of value, never none.
OwnedText IntToText(int32_t value);

// A fresh copy of value; none for the empty text.
OwnedText CopyText(const char* value);

// A new text holding the given bytes and a terminator; none when length is 0.
OwnedText NewText(const char* bytes, std::size_t length);

inline bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

}  // namespace tavrel
