// The archive bit of host files, kept in memory by device and inode.
#include "platform/sim/sim_file_attributes.h"

#include <mutex>
#include <set>
#include <utility>

#include "platform/sim/sim_file.h"

namespace sim::detail {

namespace {

using FileId = std::pair<dev_t, ino_t>;

struct ClearedArchiveBits {
    std::mutex lock;
    std::set<FileId> files; // guarded by lock
};

ClearedArchiveBits& Cleared() {
    static ClearedArchiveBits cleared;
    return cleared;
}

} // namespace

DWORD FileAttributes(const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    DWORD attributes = 0;
    {
        ClearedArchiveBits& c = Cleared();
        std::lock_guard<std::mutex> guard(c.lock);
        if (c.files.count({st.st_dev, st.st_ino}) == 0)
            attributes |= FILE_ATTRIBUTE_ARCHIVE;
    }
    if ((st.st_mode & 0222) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

void SetArchiveBit(const struct stat& st, bool archive) {
    if (S_ISDIR(st.st_mode))
        return;
    ClearedArchiveBits& c = Cleared();
    std::lock_guard<std::mutex> guard(c.lock);
    if (archive)
        c.files.erase({st.st_dev, st.st_ino});
    else
        c.files.insert({st.st_dev, st.st_ino});
}

} // namespace sim::detail
