// File handles of the simulated backend: opening an existing file or folder with CreateFileW
// under Windows' sharing rules, what the handle names (its attributes, its final path), deleting
// through the handle, and symbolic links.
//
// Only what callers use is simulated: OPEN_EXISTING, no reading or writing through the handle.
// A handle's sharing holds against every other CreateFileW handle and against _wfopen, which
// opens as the C run-time of Windows does (the access its mode asks, sharing read and write).
// Symbolic links are the host's: a handle follows a link unless FILE_FLAG_OPEN_REPARSE_POINT
// asks for the link itself, which then reports FILE_ATTRIBUTE_REPARSE_POINT, as on Windows.
// (Wine differs: it shows a link of the host as the file it points to, whatever the flags.)
#pragma once

#include <sys/types.h>

#include "platform/sim/sim_errors.h"
#include "platform/sim/sim_file.h"
#include "platform/sim/sim_types.h"

typedef unsigned char BOOLEAN;

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define DELETE 0x00010000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define OPEN_EXISTING 3u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u
#define FILE_FLAG_OPEN_REPARSE_POINT 0x00200000u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400u
#define IO_REPARSE_TAG_SYMLINK 0xA000000Cu
#define SYMBOLIC_LINK_FLAG_DIRECTORY 0x1u
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2u

typedef enum _FILE_INFO_BY_HANDLE_CLASS {
    FileBasicInfo,
    FileStandardInfo,
    FileNameInfo,
    FileRenameInfo,
    FileDispositionInfo,
    FileAllocationInfo,
    FileEndOfFileInfo,
    FileStreamInfo,
    FileCompressionInfo,
    FileAttributeTagInfo,
} FILE_INFO_BY_HANDLE_CLASS;

typedef struct _FILE_DISPOSITION_INFO {
    BOOLEAN DeleteFile;
} FILE_DISPOSITION_INFO;

typedef struct _FILE_ATTRIBUTE_TAG_INFO {
    DWORD FileAttributes;
    DWORD ReparseTag;
} FILE_ATTRIBUTE_TAG_INFO;

// OPEN_EXISTING only (anything else fails with ERROR_NOT_SUPPORTED). A folder opens only with
// FILE_FLAG_BACKUP_SEMANTICS; write access to a read-only file is refused; a handle whose
// access or sharing clashes with another open handle of the same file fails with
// ERROR_SHARING_VIOLATION. CloseHandle closes it.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE template_file);

// FileAttributeTagInfo only: the attributes, and for a link opened as itself its tag.
BOOL GetFileInformationByHandleEx(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info,
                                  DWORD size);

// FileDispositionInfo only: marks the file to go when the handle is closed. Needs DELETE
// access; a read-only file refuses with ERROR_ACCESS_DENIED.
BOOL SetFileInformationByHandle(HANDLE file, FILE_INFO_BY_HANDLE_CLASS kind, LPVOID info,
                                DWORD size);

// The path of what the handle names, every link on the way resolved, as "\\?\Z:\...". Flags 0
// only (the normalised name with its drive letter). Answers the length without the terminator,
// or, when the buffer is too small, the size it needs with the terminator.
DWORD GetFinalPathNameByHandleW(HANDLE file, LPWSTR buffer, DWORD size, DWORD flags);

// A host symbolic link at `link` pointing to `target` (a full path, or one relative to the
// link's folder). Unlike Windows, it needs no privilege.
BOOLEAN CreateSymbolicLinkW(LPCWSTR link, LPCWSTR target, DWORD flags);

namespace sim::detail {
// Whether a new open of the file (device, inode) with this access and sharing clashes with an
// open handle. For _wfopen.
bool SharingClash(dev_t device, ino_t inode, DWORD access, DWORD share);
// Closes a file handle that CloseHandle has taken out of the handle table.
void CloseFileHandle(HANDLE file);
} // namespace sim::detail
