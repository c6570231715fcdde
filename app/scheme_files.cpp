// Scheme folder, scheme file text and scheme names.
#include "app/scheme_files.h"

#include "app/step_list.h"
#include "runtime/core/rg_wbshzl.h"
#include "runtime/shell/list_files.h"
#include "runtime/shell/path.h"
#include "runtime/shell/text_file.h"

namespace {

bool IsBlankUnit(WCHAR unit) {
    return unit <= 0x20;
}

WCHAR Upper(WCHAR unit) {
    return unit >= TEXT('a') && unit <= TEXT('z') ? static_cast<WCHAR>(unit - 0x20) : unit;
}

// Whether the units [begin, end) spell the upper-case ASCII word, in any case.
bool SpellsNoCase(const WCHAR* begin, const WCHAR* end, const char* word) {
    for (; begin != end && *word != 0; ++begin, ++word)
        if (Upper(*begin) != static_cast<WCHAR>(*word))
            return false;
    return begin == end && *word == 0;
}

// Whether [begin, end) is a device name: CON, PRN, AUX, NUL, COM1-9 or LPT1-9.
bool IsDeviceName(const WCHAR* begin, const WCHAR* end) {
    for (const char* word : {"CON", "PRN", "AUX", "NUL"})
        if (SpellsNoCase(begin, end, word))
            return true;
    if (end - begin == 4 && end[-1] >= TEXT('1') && end[-1] <= TEXT('9'))
        return SpellsNoCase(begin, end - 1, "COM") || SpellsNoCase(begin, end - 1, "LPT");
    return false;
}

} // namespace

CWString SchemeFolder() {
    CWString folder;
    if (!GetModuleDirectory(nullptr, folder))
        return CWString();
    folder.Append(TEXT("ini/"));
    return folder;
}

CWString SchemePath(const CWString& folder, const WCHAR* name) {
    CWString path(folder);
    path.Append(name != nullptr ? name : TEXT(""));
    path.Append(TEXT(".txt"));
    return path;
}

bool EnsureSchemeFolder(const CWString& folder) {
    if (PathExists(folder.GetText()))
        return true;
    CreateDirectoryTree(folder.GetText());
    return false;
}

CWString JoinStepCodes(const CStepList& list) {
    CWString joined;
    list.WithCodes([&joined](const rg_lch_jb::rg_wbshzl& codes) {
        for (int64_t i = 0; i < codes.GetCount(); ++i) {
            joined.Append(codes.GetTextAt(i));
            joined.AppendChar(TEXT(' '));
        }
    });
    const WCHAR* text = joined.GetText();
    int64_t begin = 0;
    int64_t end = joined.GetLength();
    while (begin < end && IsBlankUnit(text[begin]))
        ++begin;
    while (end > begin && IsBlankUnit(text[end - 1]))
        --end;
    CWString trimmed;
    trimmed.AssignUnits(text + begin, end - begin);
    return trimmed;
}

int WriteSchemeFile(const CStepList& list, const WCHAR* path) {
    return WriteTextFile(JoinStepCodes(list), path);
}

int64_t ReadSchemeFile(const WCHAR* path, CStepList& list) {
    CWString text;
    ReadTextFile(path, text);
    return list.LoadFromText(text.GetText());
}

int64_t ListSchemeFiles(const CWString& folder, rg_lch_jb::rg_wbshzl& paths,
                        rg_lch_jb::rg_wbshzl& titles) {
    titles.Clear();
    ListFiles(folder, CWString(TEXT("*.txt")), paths);
    for (int64_t i = 0; i < paths.GetCount(); ++i)
        titles.Append(FileTitle(paths.GetTextAt(i)).GetText());
    return paths.GetCount();
}

bool IsValidSchemeName(const WCHAR* name) {
    if (name == nullptr || name[0] == 0)
        return false;
    const WCHAR* end = name;
    for (; *end != 0; ++end) {
        WCHAR unit = *end;
        if (unit < 0x20)
            return false;
        for (WCHAR refused : {TEXT('\\'), TEXT('/'), TEXT(':'), TEXT('*'), TEXT('?'), TEXT('"'),
                              TEXT('<'), TEXT('>'), TEXT('|')})
            if (unit == refused)
                return false;
    }
    if (end[-1] == TEXT(' ') || end[-1] == TEXT('.'))
        return false;
    // A device name stays one with an extension, and with blanks before it ("CON .txt").
    const WCHAR* base_end = name;
    while (*base_end != 0 && *base_end != TEXT('.'))
        ++base_end;
    while (base_end > name && base_end[-1] == TEXT(' '))
        --base_end;
    return !IsDeviceName(name, base_end);
}
