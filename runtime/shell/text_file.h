// Whole files as bytes, and UTF-16LE text files with their byte-order mark.
//
// Reading never fails loudly: a missing, unreadable or empty file is a result value (-1, 0 or
// the empty text). Writing replaces a file only when the whole new content is safely on disk:
// the bytes go to a temporary file beside the target first, and the target is swapped for it
// in one move, so a full disk or a crash half-way leaves the old file as it was.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CRixMem;
class CWString;

// Reads at most `count` bytes from the start of the file (-1: the whole file) into `buffer`.
// Returns the number read, 0 for an empty file (or one too large for a 32-bit size), -1 when
// the file cannot be opened or read. The buffer holds exactly the bytes read; after 0 or -1 it
// is empty, except that a null or empty path leaves it untouched.
int64_t ReadFileBytes(const WCHAR* path, int64_t count, CRixMem& buffer);

// The file's whole text: every UTF-16LE unit after an optional byte-order mark, an odd last
// byte paired with a zero byte. A zero unit, which a zero-terminated text cannot hold, reads as
// a blank (U+0020): a stray zero inside a file never hides what follows it. Any failure gives
// the empty text; `read`, when given, tells the two apart: false when the file could not be
// opened or read (missing, locked by another program, a folder), true when it was (an empty
// file too).
CWString& ReadTextFile(const WCHAR* path, CWString& text, bool* read = nullptr);

// The text that UTF-16LE bytes hold, as resources store texts: an optional byte-order mark is
// skipped and the text ends at the first zero unit (or the last whole unit). Appends four zero
// bytes to `bytes` on the way.
CWString& TextFromUtf16Bytes(CRixMem& bytes, CWString& text);

// Writes FF FE and the text's units. 1 when every byte reached the file, else 0; on 0 the file
// that was there before is unchanged and no temporary file remains.
int WriteTextFile(const CWString& text, const WCHAR* path);
