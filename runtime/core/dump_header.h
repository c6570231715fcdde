// The header line that a container's debug dump starts with, and the member limit behind it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CWString;

// How many of count members a dump writes: all for a negative limit, defaultLimit for 0,
// otherwise at most the limit.
int64_t DumpShownCount(int64_t count, int64_t memberLimit, int64_t defaultLimit);

// Appends "<title> 总共 N 个unit:" when every member is shown, or the form that also says how
// many were written and how many were left out. Counts go out as 64-bit numbers, so a huge
// container is never reported with a negative count.
void AppendDumpHeader(CWString& out, const WCHAR* title, const WCHAR* unit, int64_t count,
                      int64_t shown);
