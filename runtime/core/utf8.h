// Utf8ToText: decodes UTF-8 bytes into a text.
//
// Decoding is lenient in what it accepts and strict in where it stops. Lead bytes of up to six
// bytes are taken, and overlong forms and encoded surrogates pass through as the code point
// they spell. The text ends at the first lead byte that cannot start a sequence, at a
// sequence cut short by a byte that is not a continuation byte or by the end of the input (its
// incomplete character is dropped), and at a zero byte.
#pragma once

#include <cstdint>

class CWString;

// Replaces the text by the decoding of a zero-terminated byte text (null is empty).
void Utf8ToText(const char* bytes, CWString& text);
// The same over count bytes.
void Utf8ToText(const char* bytes, int64_t count, CWString& text);
