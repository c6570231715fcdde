// Resources of the simulated backend. There are no module files to read them from, so a test
// registers the bytes of a resource under its module, type and name (sim::RegisterResource),
// and FindResourceW, LoadResource, LockResource and SizeofResource serve them as Windows
// serves a module's resources. Names and types are numbers (MAKEINTRESOURCE) or texts,
// compared without case as on Windows.
#pragma once

#include <vector>

#include "platform/sim/sim_types.h"

struct HRSRC__ {
    int unused;
};
typedef HRSRC__* HRSRC;
typedef HANDLE HGLOBAL;

#define RT_DIALOG MAKEINTRESOURCEW(5)

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);

namespace sim {

// Adds (or replaces) a resource of module; null is the program's module.
void RegisterResource(HMODULE module, LPCWSTR type, LPCWSTR name, std::vector<BYTE> bytes);
// Forgets every registered resource.
void ResetResources();

} // namespace sim
