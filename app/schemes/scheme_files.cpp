// Scheme folder, scheme file text and scheme names.
#include "app/schemes/scheme_files.h"

#include "app/steps/step_list.h"
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

// Whether a unit is a port number of a device name: 1 to 9, or the superscript digits ¹ ² ³,
// which Windows takes for ports as well.
bool IsPortDigit(WCHAR unit) {
    return (unit >= TEXT('1') && unit <= TEXT('9')) || unit == 0x00B9 || unit == 0x00B2 ||
           unit == 0x00B3;
}

// Whether [begin, end) is a device name: CON, PRN, AUX, NUL, the console's CONIN$ and CONOUT$,
// CLOCK$, COM1-9 or LPT1-9, and COM or LPT followed by a superscript 1, 2 or 3.
bool IsDeviceName(const WCHAR* begin, const WCHAR* end) {
    for (const char* word : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (SpellsNoCase(begin, end, word))
            return true;
    if (end - begin == 4 && IsPortDigit(end[-1]))
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
    list.WithCodes([&joined](const CStepList::Codes& codes) {
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
    bool read = false;
    ReadTextFile(path, text, &read);
    if (!read)
        return -1;
    return list.LoadFromText(text.GetText());
}

int64_t ListSchemeFiles(const CWString& folder, rg_lch_jb::rg_wbshzl& paths,
                        rg_lch_jb::rg_wbshzl& titles) {
    titles.Clear();
    paths.Clear();
    // Without a folder the listing would read the root of the current drive.
    if (folder.GetLength() == 0)
        return 0;
    rg_lch_jb::rg_wbshzl listed;
    ListFiles(folder, CWString(TEXT("*.txt")), listed);
    for (int64_t i = 0; i < listed.GetCount(); ++i) {
        // The system also matches the pattern against 8.3 short names: plan.txtold is found
        // as PLAN~1.TXT, and would show as a second "plan".
        if (!IsSchemeFileName(listed.GetTextAt(i)))
            continue;
        paths.Append(listed.GetTextAt(i));
        titles.Append(FileTitle(listed.GetTextAt(i)).GetText());
    }
    return paths.GetCount();
}

bool IsSchemeFileName(const WCHAR* path) {
    if (path == nullptr)
        return false;
    const WCHAR* end = path;
    while (*end != 0)
        ++end;
    return end - path >= 4 && SpellsNoCase(end - 4, end, ".TXT");
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
