// Symbolic links for tests on each backend.
#include "tests/support/symbolic_link.h"

#include "tests/support/running_under_wine.h"

namespace {

#if defined(KEYSEQ_PLATFORM_WIN32)
// The host path of a Windows path under Wine, or empty.
std::string UnixPath(const WString& path) {
    using ToUnix = char*(__cdecl*)(const WCHAR*);
    auto to_unix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (to_unix == nullptr)
        return std::string();
    char* unix_path = to_unix(path.c_str());
    if (unix_path == nullptr)
        return std::string();
    std::string out(unix_path);
    HeapFree(GetProcessHeap(), 0, unix_path);
    return out;
}

// Starts a host program under Wine (Wine starts host executables named by their host path)
// and waits up to 10 s for `done`. Wine gives no waitable handle for a host process (the wait
// fails at once), so the program's work is what is waited for.
template <typename Done> bool RunHost(const std::string& command_line, Done done) {
    std::wstring line(command_line.begin(), command_line.end()); // host paths here are ASCII
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        Sleep(50);
    }
    return done();
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}
#endif

bool Exists(const WString& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool MakeFileLink(const WString& link, const WString& target, std::string& why) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    if (RunningUnderWine()) {
        std::string from = UnixPath(link), to = UnixPath(target);
        if (from.empty() || to.empty()) {
            why = "no host path for " + Narrow(link) + " or " + Narrow(target);
            return false;
        }
        if (!RunHost("/bin/ln -s " + Quoted(to) + " " + Quoted(from),
                     [&] { return Exists(link); })) {
            why = "the host's ln made no link at " + from;
            return false;
        }
        return true;
    }
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(),
                             SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
        why = "CreateSymbolicLinkW failed with error " + std::to_string(GetLastError()) +
              " (links need developer mode or the privilege to make them)";
        return false;
    }
    return true;
#else
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), 0)) {
        why = "CreateSymbolicLinkW failed with error " + std::to_string(GetLastError());
        return false;
    }
    return true;
#endif
}

bool RemoveFileLink(const WString& link) {
#if defined(KEYSEQ_PLATFORM_WIN32)
    if (RunningUnderWine()) {
        std::string path = UnixPath(link);
        return !path.empty() &&
               RunHost("/bin/rm -f " + Quoted(path), [&] { return !Exists(link); });
    }
#endif
    // On Windows, and in the simulation, deleting a link removes the link.
    DeleteFileW(link.c_str());
    return !Exists(link);
}
