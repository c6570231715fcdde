// Directory search over opendir/readdir, with the entries taken at FindFirstFileW.
#include "platform/sim/sim_find.h"

#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/sim/sim_file_attributes.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_path.h"

namespace {

struct Search {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

// Open searches by handle value. Values are never reused, so a closed handle, or any value
// that FindFirstFileW did not give, fails with ERROR_INVALID_HANDLE instead of reaching memory.
struct Searches {
    std::mutex lock;
    std::map<uintptr_t, Search> open; // guarded by lock
    uintptr_t next = 0x5EA0000;       // guarded by lock
};

Searches& TheSearches() {
    static Searches searches;
    return searches;
}

// Short names that tests gave, by host path.
struct ShortNames {
    std::mutex lock;
    std::map<std::string, std::u16string> names; // guarded by lock
};

ShortNames& TheShortNames() {
    static ShortNames names;
    return names;
}

std::u16string ShortNameOf(const std::string& host) {
    ShortNames& all = TheShortNames();
    std::lock_guard<std::mutex> guard(all.lock);
    auto found = all.names.find(host);
    return found == all.names.end() ? std::u16string() : found->second;
}

// 100-nanosecond intervals from 1601 to 1970.
constexpr ULONGLONG kEpochDelta = 116444736000000000ULL;

FILETIME ToFileTime(const timespec& t) {
    ULONGLONG v = kEpochDelta + static_cast<ULONGLONG>(t.tv_sec) * 10000000ULL +
                  static_cast<ULONGLONG>(t.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)};
}

bool Describe(const std::string& host, const std::u16string& name, WIN32_FIND_DATAW& out) {
    struct stat st;
    if (stat(host.c_str(), &st) != 0 || name.size() >= MAX_PATH)
        return false;
    std::memset(&out, 0, sizeof out);
    out.dwFileAttributes = sim::detail::FileAttributes(st);
    out.ftCreationTime = ToFileTime(st.st_ctim);
    out.ftLastAccessTime = ToFileTime(st.st_atim);
    out.ftLastWriteTime = ToFileTime(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        out.nFileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(st.st_size) >> 32);
        out.nFileSizeLow = static_cast<DWORD>(st.st_size);
    }
    std::memcpy(out.cFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    return true;
}

} // namespace

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
    sim::detail::HostPath host = sim::detail::ToHostPath(pattern, true);
    if (!host.ok) {
        SetLastError(host.error);
        return INVALID_HANDLE_VALUE;
    }
    size_t slash = host.path.rfind('/');
    std::string dir = slash == 0 ? "/" : host.path.substr(0, slash);
    std::u16string mask = sim::detail::Utf8ToUtf16(host.path.substr(slash + 1));
    if (mask.empty())
        mask = u"*"; // the root itself: Windows refuses it, nothing matches
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Search search;
    std::vector<std::pair<std::string, std::u16string>> names;
    if (dir != "/") {
        names.push_back({".", u"."});
        names.push_back({"..", u".."});
    }
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..")
            names.push_back({n, sim::detail::Utf8ToUtf16(n)});
    }
    closedir(d);
    for (const auto& [raw, name] : names) {
        std::string full = raw == "." ? dir : raw == ".." ? dir + "/.." : dir + "/" + raw;
        std::u16string short_name = ShortNameOf(dir == "/" ? "/" + raw : full);
        if (!sim::detail::MatchWildcard(mask, name) &&
            (short_name.empty() || !sim::detail::MatchWildcard(mask, short_name)))
            continue;
        WIN32_FIND_DATAW entry;
        if (Describe(full, name, entry)) {
            std::memcpy(entry.cAlternateFileName, short_name.c_str(),
                        (short_name.size() + 1) * sizeof(WCHAR));
            search.entries.push_back(entry);
        }
    }
    if (search.entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search.entries[0];
    search.next = 1;
    Searches& all = TheSearches();
    std::lock_guard<std::mutex> guard(all.lock);
    uintptr_t id = all.next;
    all.next += 4;
    all.open.emplace(id, std::move(search));
    return reinterpret_cast<HANDLE>(id);
}

BOOL FindNextFileW(HANDLE handle, LPWIN32_FIND_DATAW data) {
    Searches& all = TheSearches();
    std::lock_guard<std::mutex> guard(all.lock);
    auto found = all.open.find(reinterpret_cast<uintptr_t>(handle));
    if (found == all.open.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Search& search = found->second;
    if (search.next >= search.entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search.entries[search.next++];
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    Searches& all = TheSearches();
    std::lock_guard<std::mutex> guard(all.lock);
    if (all.open.erase(reinterpret_cast<uintptr_t>(handle)) == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

namespace sim {

void SetShortName(const WCHAR* path, const WCHAR* short_name) {
    sim::detail::HostPath host = sim::detail::ToHostPath(path);
    if (!host.ok)
        return;
    std::u16string name = short_name != nullptr ? short_name : u"";
    ShortNames& all = TheShortNames();
    std::lock_guard<std::mutex> guard(all.lock);
    // An 8.3 name has at most 12 units; the record holds 14.
    if (name.empty() || name.size() > 12)
        all.names.erase(host.path);
    else
        all.names[host.path] = name;
}

} // namespace sim
