// The program's module, the library registry and the process facts of the simulated backend.
#include "platform/sim/sim_module.h"

#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <unistd.h>

#include "platform/sim/sim_find.h"
#include "platform/sim/sim_heap.h"
#include "platform/sim/sim_path.h"

namespace {

// The program's module handle: any unique address will do, nobody reads through it.
char g_main_module;

struct Library {
    std::u16string path; // as registered
    bool system = false; // registered by bare name
    std::u16string host; // host path of a library registered by full path
    std::vector<sim::LibraryExport> exports;
    int loads = 0;
};

struct Registry {
    std::mutex lock;
    std::vector<std::unique_ptr<Library>> libraries;
    std::vector<sim::LibraryLoad> loadLog;
    std::vector<std::u16string> freeLog;
    bool debugger = false;
};

Registry& TheRegistry();

bool HasSeparator(std::u16string_view s) {
    return s.find_first_of(u"\\/:") != std::u16string_view::npos;
}

std::u16string HostOf(const std::u16string& windowsPath) {
    sim::detail::HostPath h = sim::detail::ToHostPath(windowsPath.c_str());
    return h.ok ? sim::detail::Utf8ToUtf16(h.path) : std::u16string();
}

std::unique_ptr<Library> MakeLibrary(const WCHAR* path,
                                     const std::vector<sim::LibraryExport>& exports) {
    auto lib = std::make_unique<Library>();
    lib->path = path;
    lib->system = !HasSeparator(lib->path);
    if (!lib->system)
        lib->host = HostOf(lib->path);
    lib->exports = exports;
    return lib;
}

void AddDefaults(Registry& r) {
    r.libraries.push_back(
        MakeLibrary(u"Kernel32.dll", {{"FindClose", sim::AsProc(&FindClose)},
                                      {"FindNextFileW", sim::AsProc(&FindNextFileW)},
                                      {"FindFirstFileW", sim::AsProc(&FindFirstFileW)}}));
}

Registry& TheRegistry() {
    static Registry* registry = [] {
        auto* r = new Registry;
        AddDefaults(*r);
        return r;
    }();
    return *registry;
}

// The program path that a test set in place of the real one; empty for none.
struct ProgramPathOverride {
    std::mutex lock;
    std::u16string path; // guarded by lock
};

ProgramPathOverride& TheProgramPathOverride() {
    static ProgramPathOverride o;
    return o;
}

std::u16string ProgramPath() {
    {
        ProgramPathOverride& o = TheProgramPathOverride();
        std::lock_guard<std::mutex> guard(o.lock);
        if (!o.path.empty())
            return o.path;
    }
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return u"";
    return sim::detail::HostToWindowsPath(std::string(buf, static_cast<size_t>(n)));
}

std::u16string CurrentDirectory() {
    WCHAR buf[4096];
    DWORD n = GetCurrentDirectoryW(4096, buf);
    return n > 0 && n < 4096 ? std::u16string(buf, n) : std::u16string();
}

Library* Find(Registry& r, std::u16string name) {
    size_t lastSep = name.find_last_of(u"\\/");
    size_t dot = name.find(u'.', lastSep == std::u16string::npos ? 0 : lastSep);
    if (dot == std::u16string::npos)
        name += u".dll";
    if (HasSeparator(name)) {
        std::u16string host = HostOf(name);
        for (auto& lib : r.libraries)
            if (!lib->system && !host.empty() && sim::detail::EqualNoCase(lib->host, host))
                return lib.get();
        return nullptr;
    }
    for (auto& lib : r.libraries)
        if (lib->system && sim::detail::EqualNoCase(lib->path, name))
            return lib.get();
    std::u16string program = ProgramPath();
    std::u16string programDir = program.substr(0, program.rfind(u'\\') + 1);
    std::u16string candidates[] = {HostOf(programDir + name), HostOf(name)};
    for (const std::u16string& host : candidates)
        for (auto& lib : r.libraries)
            if (!lib->system && !host.empty() && sim::detail::EqualNoCase(lib->host, host))
                return lib.get();
    return nullptr;
}

Library* FromHandle(Registry& r, HMODULE module) {
    for (auto& lib : r.libraries)
        if (reinterpret_cast<HMODULE>(lib.get()) == module)
            return lib.get();
    return nullptr;
}

} // namespace

HMODULE GetModuleHandleW(LPCWSTR name) {
    if (name == nullptr)
        return reinterpret_cast<HMODULE>(&g_main_module);
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    Library* lib = Find(r, name);
    if (lib == nullptr || lib->loads == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(lib);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    std::u16string path;
    if (module == nullptr || module == reinterpret_cast<HMODULE>(&g_main_module)) {
        path = ProgramPath();
    } else {
        Registry& r = TheRegistry();
        std::lock_guard<std::mutex> guard(r.lock);
        Library* lib = FromHandle(r, module);
        if (lib == nullptr) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = lib->system ? u"Z:\\sim\\system32\\" + lib->path : lib->path;
    }
    if (size == 0 || buffer == nullptr) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // As on Windows: a name that does not fit is cut, terminated, and reported as the full
    // buffer size with ERROR_INSUFFICIENT_BUFFER.
    if (path.size() >= size) {
        std::memcpy(buffer, path.c_str(), (size - 1) * sizeof(WCHAR));
        buffer[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

HMODULE LoadLibraryW(LPCWSTR name) {
    if (name == nullptr || *name == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::u16string cwd = CurrentDirectory();
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    Library* lib = Find(r, name);
    r.loadLog.push_back({name, cwd, lib != nullptr});
    if (lib == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++lib->loads;
    return reinterpret_cast<HMODULE>(lib);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    Library* lib = FromHandle(r, module);
    if (lib == nullptr || lib->loads == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (name != nullptr)
        for (const sim::LibraryExport& e : lib->exports)
            if (std::strcmp(e.name, name) == 0)
                return e.proc;
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    Library* lib = FromHandle(r, module);
    if (lib == nullptr || lib->loads == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    --lib->loads;
    r.freeLog.push_back(lib->path);
    return TRUE;
}

SIZE_T VirtualQuery(LPCVOID address, PMEMORY_BASIC_INFORMATION info, SIZE_T size) {
    if (info == nullptr || size < sizeof(MEMORY_BASIC_INFORMATION))
        return 0;
    std::memset(info, 0, sizeof *info);
    info->BaseAddress = reinterpret_cast<PVOID>(reinterpret_cast<uintptr_t>(address) & ~0xFFFull);
    info->AllocationBase = &g_main_module;
    info->RegionSize = 0x1000;
    return sizeof *info;
}

BOOL IsDebuggerPresent() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.debugger ? TRUE : FALSE;
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

void sim::RegisterLibrary(const WCHAR* path, const std::vector<LibraryExport>& exports) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto& lib : r.libraries) {
        if (sim::detail::EqualNoCase(lib->path, path)) {
            lib->exports = exports;
            return;
        }
    }
    r.libraries.push_back(MakeLibrary(path, exports));
}

void sim::UnregisterLibrary(const WCHAR* path) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    std::erase_if(r.libraries,
                  [&](const auto& lib) { return sim::detail::EqualNoCase(lib->path, path); });
}

void sim::ResetLibraries() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.libraries.clear();
    AddDefaults(r);
    r.loadLog.clear();
    r.freeLog.clear();
}

int sim::LibraryLoadCount(const WCHAR* path) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto& lib : r.libraries)
        if (sim::detail::EqualNoCase(lib->path, path))
            return lib->loads;
    return 0;
}

std::vector<sim::LibraryLoad> sim::LibraryLoadLog() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.loadLog;
}

std::vector<std::u16string> sim::LibraryFreeLog() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.freeLog;
}

void sim::SetProgramPath(const WCHAR* path) {
    ProgramPathOverride& o = TheProgramPathOverride();
    std::lock_guard<std::mutex> guard(o.lock);
    o.path = path != nullptr ? path : u"";
}

void sim::SetDebuggerPresent(bool present) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> guard(r.lock);
    r.debugger = present;
}
