// Scheme files without the window: where they live, how the step list becomes a file and a
// file the step list, which files the folder holds, and which names a scheme may have.
//
// A scheme is one UTF-16LE file in the folder "ini/" beside the program, named after the
// scheme with ".txt": the byte-order mark FF FE, then the step codes separated by single
// spaces, with no break anywhere and no blank before the first or after the last code. The
// window's scheme operations (reading the folder into the scheme box, loading, saving,
// deleting) are built on these. User-interface thread only, like those operations.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/wstring.h"

class CStepList;

namespace rg_lch_jb {
class rg_wbshzl;
}

// The scheme folder: the program's folder (with its backslash) followed by "ini/", built
// afresh at every call. Empty when the program's folder cannot be found (its path is 260
// units or longer): the scheme operations then refuse to work, since every path built on an
// empty folder would name a file of the current directory or the drive's root.
CWString SchemeFolder();

// folder + name + ".txt".
CWString SchemePath(const CWString& folder, const WCHAR* name);

// Whether the folder exists; when it does not, it is created (with missing parents). The
// window reads the folder only when this answers true: a folder just made holds no scheme.
bool EnsureSchemeFolder(const CWString& folder);

// The codes of the list in order, each followed by one space, the whole then trimmed of units
// up to U+0020 at both ends.
CWString JoinStepCodes(const CStepList& list);

// Writes the joined codes of the list to path as a UTF-16LE text file. 1 when the whole file
// was written, 0 when not; on 0 a file that was there before is unchanged.
int WriteSchemeFile(const CStepList& list, const WCHAR* path);

// Replaces the codes of the list by the file's: its whole text (a zero unit reads as a blank)
// cut into codes by CStepList::LoadFromText, at spaces, tabs and line breaks. Answers the new
// count, or -1 when the file cannot be opened or read (missing, locked by another program, a
// folder): the list is then left as it was, so that a scheme that cannot be read never looks
// like an empty one.
int64_t ReadSchemeFile(const WCHAR* path, CStepList& list);

// The scheme files of the folder ("*.txt", in the order the listing gives them) into paths,
// and their titles (file name without its last extension) into titles, entry for entry; both
// are emptied first. Only files whose own name ends in ".txt" (any case) count: the system
// also matches the pattern against 8.3 short names, so "*.txt" finds plan.txtold (PLAN~1.TXT)
// too. An empty folder text lists nothing. Answers the count. Needs the external function
// table to be bound.
int64_t ListSchemeFiles(const CWString& folder, rg_lch_jb::rg_wbshzl& paths,
                        rg_lch_jb::rg_wbshzl& titles);

// Whether a path's file name ends in ".txt", in any case.
bool IsSchemeFileName(const WCHAR* path);

// Whether a name may be used for a scheme: it must not be empty, hold \ / : * ? " < > | or a
// unit below U+0020, end in a blank or a dot, or be a device name (CON, PRN, AUX, NUL, CONIN$,
// CONOUT$, CLOCK$, COM1 to COM9, LPT1 to LPT9, COM¹ to COM³ and LPT¹ to LPT³ with superscript
// digits, in any case, alone or before a dot). Without this a name could write
// outside the folder or to a device. Everything else is accepted, Chinese included. (The save
// asks again for an empty name without a message; the window checks that case first.)
bool IsValidSchemeName(const WCHAR* name);
