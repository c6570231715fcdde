// Resources of the program's module in the simulated backend: a registry that tests fill, read
// through the Win32 resource functions, and the icons and cursors loaded from it or from the
// system.
//
// There is no program file to read resources from, so a test registers each resource (type,
// name, bytes) for the program's module; a module other than the program's has none. Names
// and types are 16-bit identifiers or texts (texts without case distinction, as on Windows).
// LoadIconW and LoadCursorW hand out one shared handle per registered group icon or cursor,
// and per system icon or cursor; LoadImageW with LR_LOADFROMFILE accepts a file that starts
// with an icon or cursor directory and nothing else.
#pragma once

#include <vector>

#include "platform/sim/sim_global_memory.h"
#include "platform/sim/sim_types.h"

struct HRSRC__ {
    int unused;
};
typedef HRSRC__* HRSRC;

#define RT_CURSOR MAKEINTRESOURCEW(1)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEW(12)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x00000000
#define LR_LOADFROMFILE 0x00000010
#define LR_DEFAULTSIZE 0x00000040
#define LR_SHARED 0x00008000

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

// A null module is the program's module.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources need no freeing; FALSE, as on Windows.
BOOL FreeResource(HGLOBAL loaded);

// A null instance loads a system icon (IDI_*) or cursor (IDC_*); otherwise the group icon or
// cursor of that name among the module's resources.
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// IMAGE_ICON and IMAGE_CURSOR, from the module's resources as above or, with LR_LOADFROMFILE,
// from a file (instance null, name a path). A handle from a file is the caller's to destroy.
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);

namespace sim {
// Adds a resource to the program's module (replacing one of the same type and name). `type`
// and `name` are MAKEINTRESOURCEW identifiers or texts.
void RegisterResource(LPCWSTR type, LPCWSTR name, const std::vector<BYTE>& bytes);
// Removes every registered resource.
void ResetResources();
// Icons and cursors loaded from files and not yet destroyed.
int LiveFileImages();
} // namespace sim
