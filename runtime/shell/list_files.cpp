// Directory listing through the bound search functions, and file titles.
#include "runtime/shell/list_files.h"

#include "runtime/core/rg_wbshzl.h"
#include "runtime/shell/external_functions.h"

namespace {

// The part after the last backslash or slash.
const WCHAR* FindFileName(const WCHAR* path) {
    const WCHAR* name = path;
    for (const WCHAR* p = path; *p != 0; ++p)
        if (*p == TEXT('\\') || *p == TEXT('/'))
            name = p + 1;
    return name;
}

// The last dot of the name and what follows, or the end of the name.
const WCHAR* FindExtension(const WCHAR* name) {
    const WCHAR* dot = nullptr;
    const WCHAR* p = name;
    for (; *p != 0; ++p)
        if (*p == TEXT('.'))
            dot = p;
    return dot != nullptr ? dot : p;
}

bool IsDotEntry(const CWString& name) {
    const WCHAR* n = name.GetText();
    return (n[0] == TEXT('.') && n[1] == 0) ||
           (n[0] == TEXT('.') && n[1] == TEXT('.') && n[2] == 0);
}

} // namespace

int64_t ListFiles(const CWString& directory, const CWString& pattern, rg_lch_jb::rg_wbshzl& out) {
    CWString base(directory);
    int64_t length = base.GetLength();
    if (length == 0 || base.GetText()[length - 1] != TEXT('\\'))
        base.AppendChar(TEXT('\\'));
    out.Clear();

    FindFirstFileWFunction findFirst = BoundFindFirstFileW();
    FindNextFileWFunction findNext = BoundFindNextFileW();
    FindCloseFunction findClose = BoundFindClose();
    if (findFirst == nullptr || findNext == nullptr || findClose == nullptr)
        return 0;

    CWString search = CWString::Concat(base, pattern);
    WIN32_FIND_DATAW data;
    HANDLE handle = findFirst(search.GetText(), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    do {
        CWString name;
        name.AssignFixed(data.cFileName);
        if (IsDotEntry(name) || !(data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE))
            continue;
        CWString full = CWString::Concat(base, name);
        out.Append(full.GetText());
    } while (findNext(handle, &data));
    findClose(handle);
    return out.GetCount();
}

CWString FileTitle(const WCHAR* path) {
    CWString title;
    if (path == nullptr)
        return title;
    const WCHAR* name = FindFileName(path);
    const WCHAR* extension = FindExtension(name);
    title.AssignUnits(name, extension - name);
    return title;
}
