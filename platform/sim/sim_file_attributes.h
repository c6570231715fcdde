// The attributes of host files as the simulated backend reports them. Internal to
// platform/sim.
//
// A folder is FILE_ATTRIBUTE_DIRECTORY. A file carries the archive bit, as a file freshly
// written on Windows does, until SetFileAttributesW clears it; opening the file for writing
// sets it again. The host has no such bit, so the files whose bit is clear are remembered by
// device and inode for the life of the process (deleting a file forgets it, so that a reused
// inode starts with the bit set). A file without write permission is read-only; a file with
// no attribute at all reports FILE_ATTRIBUTE_NORMAL, as on Windows.
#pragma once

#include <sys/stat.h>

#include "platform/sim/sim_types.h"

namespace sim::detail {

DWORD FileAttributes(const struct stat& st);
void SetArchiveBit(const struct stat& st, bool archive);

} // namespace sim::detail
