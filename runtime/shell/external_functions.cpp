// Binding the external function table: three attempts per library, the two failure texts,
// and the release of what was loaded.
#include "runtime/shell/external_functions.h"

#include <cstdint>
#include <string>

#include "runtime/core/rix_mem.h"
#include "runtime/core/utf8.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/path.h"
#include "runtime/shell/rix_app_instance.h"
#include "runtime/shell/rix_exception.h"

ExternalFunction g_ExternalFunctions[] = {
    {TEXT("Kernel32.dll"), "FindClose", nullptr},
    {TEXT(""), "FindNextFileW", nullptr},
    {TEXT(""), "FindFirstFileW", nullptr},
    {nullptr, nullptr, nullptr},
};

namespace {

using Units = std::basic_string<WCHAR>;

const WCHAR kLoadFailed[] = TEXT("载入运行时所需要的外部动态链接库文件\"%s\"失败!");
const WCHAR kFunctionMissing[] = TEXT("在外部动态链接库\"%s\"中未找到所需要的输出函数\"%s\"!");

template <typename F> F As(FARPROC p) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
}

} // namespace

HMODULE LoadLibraryInOwnDirectory(const WCHAR* name) {
    if (name == nullptr || name[0] == 0)
        return nullptr;
    Units directory;
    if (IsAbsolutePath(name)) {
        Units n(name);
        size_t slash = n.rfind(TEXT('\\'));
        if (slash == 0)
            directory = TEXT("\\");
        else if (n[slash - 1] == TEXT(':'))
            directory = n.substr(0, slash + 1);
        else
            directory = n.substr(0, slash);
    }
    WCHAR saved[MAX_PATH + 1];
    DWORD n = directory.empty() ? 0 : GetCurrentDirectoryW(MAX_PATH + 1, saved);
    // A current directory too long for the buffer cannot be restored, so it is not left.
    if (n == 0 || n > MAX_PATH)
        return LoadLibraryW(name);
    SetCurrentDirectoryW(directory.c_str());
    HMODULE module = LoadLibraryW(name);
    SetCurrentDirectoryW(saved);
    return module;
}

int BindExternalFunctionTable(ExternalFunction* table, CRixMem& loadedLibraries) {
    CWString directory;
    bool haveDirectory =
        GetModuleDirectory(static_cast<HMODULE>(GetRixAppInstance().GetInstanceHandle()),
                           directory) != 0;
    HMODULE module = nullptr;
    CWString current;
    for (ExternalFunction* entry = table; entry->pszLibrary != nullptr; ++entry) {
        const WCHAR* library = entry->pszLibrary;
        if (library[0] != 0) {
            CWString scratch;
            const WCHAR* path =
                haveDirectory ? JoinPath(directory.GetText(), library, scratch) : library;
            if (path == nullptr)
                path = library;
            module = LoadLibraryInOwnDirectory(path);
            Units l(library);
            size_t slash = l.rfind(TEXT('\\'));
            if (module == nullptr && haveDirectory && slash != Units::npos) {
                CWString own(directory);
                own.Append(l.c_str() + slash + 1);
                module = LoadLibraryInOwnDirectory(own.GetText());
            }
            if (module == nullptr && path != library)
                module = LoadLibraryInOwnDirectory(library);
            if (module != nullptr) {
                uint64_t handle = reinterpret_cast<uintptr_t>(module);
                loadedLibraries.Append(&handle, sizeof handle);
            }
            current = CWString(library);
        }
        if (module == nullptr) {
            CWString text;
            text.Format(kLoadFailed, current.GetText());
            throw CRixException(text.GetText());
        }
        entry->pfnFunction = GetProcAddress(module, entry->pszFunction);
        if (entry->pfnFunction == nullptr) {
            CWString function;
            Utf8ToText(entry->pszFunction, function);
            CWString text;
            text.Format(kFunctionMissing, current.GetText(), function.GetText());
            throw CRixException(text.GetText());
        }
    }
    return 1;
}

int BindExternalFunctions(CRixMem& loadedLibraries) {
    return BindExternalFunctionTable(g_ExternalFunctions, loadedLibraries);
}

void FreeLoadedLibraries(CRixMem& loadedLibraries) {
    int64_t count = loadedLibraries.GetLength() / 8;
    const BYTE* data = loadedLibraries.GetDataPtr();
    for (int64_t i = 0; i < count; ++i) {
        uint64_t handle;
        std::memcpy(&handle, data + 8 * i, sizeof handle);
        FreeLibrary(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(handle)));
    }
    loadedLibraries.Free();
}

FindFirstFileWFunction BoundFindFirstFileW() {
    return As<FindFirstFileWFunction>(g_ExternalFunctions[2].pfnFunction);
}
FindNextFileWFunction BoundFindNextFileW() {
    return As<FindNextFileWFunction>(g_ExternalFunctions[1].pfnFunction);
}
FindCloseFunction BoundFindClose() {
    return As<FindCloseFunction>(g_ExternalFunctions[0].pfnFunction);
}
