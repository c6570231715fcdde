// Module folder, path joining with folding, directory trees and existence tests.
#include "runtime/shell/path.h"

#include <string>

#include "runtime/core/wstring.h"

namespace {

using Units = std::basic_string<WCHAR>;

bool IsEmptyText(const WCHAR* s) {
    return s == nullptr || s[0] == 0;
}

// A copy without a trailing backslash, unless that backslash follows a colon (a drive root).
Units WithoutTrailingBackslash(const WCHAR* path) {
    Units p(path);
    if (p.size() >= 2 && p.back() == TEXT('\\') && p[p.size() - 2] != TEXT(':'))
        p.pop_back();
    return p;
}

// A drive letter and a colon, nothing else: "C:" is a drive, "1:" and "?:" are names that
// CreateDirectoryW must judge.
bool IsBareDrive(const Units& p) {
    if (p.size() != 2 || p[1] != TEXT(':'))
        return false;
    WCHAR c = p[0];
    return (c >= TEXT('A') && c <= TEXT('Z')) || (c >= TEXT('a') && c <= TEXT('z'));
}

const WCHAR kDotSegment[] = TEXT("\\.\\");
const WCHAR kDotDotSegment[] = TEXT("\\..\\");

} // namespace

bool IsAbsolutePath(const WCHAR* path) {
    if (IsEmptyText(path))
        return false;
    if (path[0] == TEXT('\\'))
        return true;
    return path[1] == TEXT(':') && path[2] == TEXT('\\');
}

int GetModuleDirectory(HMODULE module, CWString& directory) {
    directory.Empty();
    WCHAR name[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(module, name, MAX_PATH);
    // A name cut at the buffer's end is no path at all (and may lack its terminator).
    if (n == 0 || n >= MAX_PATH)
        return 0;
    Units path(name, n);
    size_t slash = path.rfind(TEXT('\\'));
    if (slash != Units::npos)
        path.resize(slash + 1);
    directory.AssignUnits(path.c_str(), static_cast<int64_t>(path.size()));
    return 1;
}

const WCHAR* JoinPath(const WCHAR* base, const WCHAR* name, CWString& scratch) {
    if (IsEmptyText(base))
        return name;
    if (IsEmptyText(name))
        return base;
    if (IsAbsolutePath(name))
        return name;
    Units p(base);
    if (p.back() != TEXT('\\'))
        p += TEXT('\\');
    p += name;

    for (size_t at = p.find(kDotSegment); at != Units::npos; at = p.find(kDotSegment, at))
        p.erase(at, 2);
    for (size_t at = p.find(kDotDotSegment); at != Units::npos; at = p.find(kDotDotSegment, at)) {
        size_t before = at == 0 ? Units::npos : p.rfind(TEXT('\\'), at - 1);
        if (before == Units::npos)
            return name; // the ".." would climb above the root
        p.erase(before, at + 3 - before);
        at = before;
    }
    scratch.AssignUnits(p.c_str(), static_cast<int64_t>(p.size()));
    return p.empty() ? nullptr : scratch.GetText();
}

int CreateDirectoryTree(const WCHAR* path) {
    if (IsEmptyText(path))
        return 0;
    Units p = WithoutTrailingBackslash(path);
    if (IsBareDrive(p))
        return 1;
    if (CreateDirectoryW(p.c_str(), nullptr))
        return 1;
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return 1;
    if (error != ERROR_PATH_NOT_FOUND)
        return 0;
    size_t slash = p.rfind(TEXT('\\'));
    if (slash == Units::npos)
        return 0;
    if (slash + 1 == p.size()) {
        slash = slash == 0 ? Units::npos : p.rfind(TEXT('\\'), slash - 1);
        if (slash == Units::npos)
            return 0;
    }
    Units parent = p.substr(0, slash);
    if (!CreateDirectoryTree(parent.c_str()))
        return 0;
    return CreateDirectoryW(p.c_str(), nullptr) ? 1 : 0;
}

int PathExists(const WCHAR* path) {
    if (IsEmptyText(path))
        return 0;
    Units p = WithoutTrailingBackslash(path);
    return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}
