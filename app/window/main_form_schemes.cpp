// Scheme operations on the main window: the folder start-up, re-reading the folder into the
// scheme box, loading the picked scheme, saving the steps under a name asked from the user,
// and deleting the picked scheme.
//
// The steps are never lost on the way. Re-reading the folder leaves them alone; only a scheme
// that was really read replaces them (one that cannot be read says so, and the box goes back
// to the scheme loaded before); a save is believed only when its scheme is listed under its
// name and its file reads back to the same codes; a delete that fails or is refused changes
// nothing. Each of these says what happened in a message box "提示信息".
//
// A name that could write outside the folder is refused and asked again. When the program's
// folder cannot be found the scheme folder is empty text, and a path built on it would name a
// file of the current directory: then nothing is listed, and saving and deleting say so and
// touch no file. Deleting removes the listed file of the picked entry, never a path made again
// from the entry's text, and only when that entry is a plain file of the folder: a link
// (which under Wine would take the file it points to with it) is left, with a message.
#include "app/window/main_form.h"
#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
#include "runtime/shell/delete_in_folder.h"
#include "runtime/shell/path.h"
#include "runtime/ui/input_dialog.h"
#include "runtime/ui/message_box.h"

namespace rg_lch_jxt {

using namespace rg_lch_MFCjm_jb;

namespace {

constexpr const WCHAR* kNoticeCaption = TEXT("提示信息");
constexpr const WCHAR* kNameTitle = TEXT("方案名称");
constexpr const WCHAR* kNamePrompt = TEXT("请输入方案名称");
constexpr const WCHAR* kReplaceQuestion = TEXT("文件名重复，是否替换原方案？");
constexpr const WCHAR* kBadName =
    TEXT("方案名称不可包含 \\ / : * ? \" < > | 或控制字符，不可以空格或句点结尾，"
         "也不可是设备名（如 CON、NUL、COM1）。请重新输入。");
constexpr const WCHAR* kNotSaved = TEXT("方案未能保存：无法写入方案文件。现有步骤保持不变。");
constexpr const WCHAR* kNotListed =
    TEXT("方案未能保存：文件没有以这个名称出现在方案文件夹中（名称可能过长）。现有步骤保持不变。");
// Written, but the file does not give back these steps (or cannot be read back at once).
constexpr const WCHAR* kNotReadBack =
    TEXT("方案未能如实保存：保存的文件读不回同样的步骤。现有步骤保持不变。");
constexpr const WCHAR* kNotReadStart = TEXT("无法读取方案“");
constexpr const WCHAR* kNotReadHeld = TEXT("”：文件可能正被其他程序使用。现有步骤保持不变。");
constexpr const WCHAR* kNotReadGone = TEXT("”：方案文件已不存在。现有步骤保持不变。");
constexpr const WCHAR* kLinkNotDeleted =
    TEXT("方案未删除：方案文件是指向别处的链接，删除会删掉别处的文件。现有步骤保持不变。");
constexpr const WCHAR* kNotDeletedStart = TEXT("方案未能删除：");
constexpr const WCHAR* kNotDeletedEnd = TEXT("。现有步骤保持不变。");
constexpr const WCHAR* kUnknownSchemeStart = TEXT("找不到方案“");
constexpr const WCHAR* kUnknownSchemeEnd = TEXT("”，请在“使用方案”中选择。");
constexpr const WCHAR* kNoFolder =
    TEXT("找不到程序所在的文件夹（其路径过长），无法保存或删除方案。");

// The step list box's lines for a fill, made from StepList a batch at a time under its lock
// and handed out one by one: the lock is never held while the list box works, only a batch
// of lines exists at any moment (a scheme may have millions of steps), and the fill is one
// repaint for the whole scheme. Only this thread changes StepList, so the batches read one
// list.
class StepLines : public IListItemSource {
public:
    int64_t GetItemCount() override { return m_nCount; }
    // Most lines are a few Chinese characters and a number: about 20 bytes with the
    // terminator. Only the room reserved for the texts depends on the guess.
    int64_t GetTextBytes() override { return m_nCount * 20; }
    const WCHAR* NextItemText() override {
        if (m_nNext == m_nBatchEnd && !ReadBatch())
            return nullptr;
        return m_Lines.GetTextAt(m_nNext++ - m_nBatchStart);
    }

private:
    static constexpr int64_t kBatch = 256;

    bool ReadBatch() {
        m_Lines.Clear();
        m_nBatchStart = m_nNext;
        StepList.WithCodes([this](const CStepList::Codes& codes) {
            int64_t end = codes.GetCount() < m_nNext + kBatch ? codes.GetCount() : m_nNext + kBatch;
            for (int64_t i = m_nNext; i < end; ++i)
                m_Lines.Append(StepDisplayText(CWString(codes.GetTextAt(i))).GetText());
        });
        m_nBatchEnd = m_nBatchStart + m_Lines.GetCount();
        return m_nBatchEnd > m_nBatchStart;
    }

    int64_t m_nCount = StepList.GetCount();
    int64_t m_nNext = 0;
    int64_t m_nBatchStart = 0;
    int64_t m_nBatchEnd = 0;
    CMStringArray m_Lines;
};

// Why a delete failed, from the system's error.
const WCHAR* DeleteFailure(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
        return TEXT("文件正被其他程序使用");
    case ERROR_ACCESS_DENIED:
        return TEXT("文件是只读的或不允许删除");
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return TEXT("找不到方案文件");
    default:
        return TEXT("无法删除方案文件");
    }
}

WCHAR FoldCase(WCHAR unit) {
    return unit >= TEXT('a') && unit <= TEXT('z') ? static_cast<WCHAR>(unit - 0x20) : unit;
}

bool SameNoCase(const WCHAR* a, const WCHAR* b) {
    for (; *a != 0 && *b != 0; ++a, ++b)
        if (FoldCase(*a) != FoldCase(*b))
            return false;
    return *a == *b;
}

// The listed title that a saved name landed as: the last one equal to it unit for unit, else
// the last one equal without case (a file system that ignores case keeps the name an existing
// file had, "Demo" for "demo"). -1 when none.
int64_t FindSavedTitle(const rg_lch_jb::rg_wbshzl& titles, const CWString& name) {
    int64_t found = -1;
    for (int64_t i = 0; i < titles.GetCount(); ++i)
        if (CWString(titles.GetTextAt(i)).IsEqual(name) != 0)
            found = i;
    if (found >= 0)
        return found;
    for (int64_t i = 0; i < titles.GetCount(); ++i)
        if (SameNoCase(titles.GetTextAt(i), name.GetText()))
            found = i;
    return found;
}

bool SameText(const WCHAR* a, const WCHAR* b) {
    for (; *a != 0 && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// Whether two lists hold the same codes in the same order. Code for code, not their joined
// text: "D6 0" and the two codes "D6", "0" join alike.
bool SameCodes(const CStepList& a, const CStepList& b) {
    return a.WithCodes([&](const CStepList::Codes& x) {
        return b.WithCodes([&](const CStepList::Codes& y) {
            if (x.GetCount() != y.GetCount())
                return false;
            for (int64_t i = 0; i < x.GetCount(); ++i)
                if (!SameText(x.GetTextAt(i), y.GetTextAt(i)))
                    return false;
            return true;
        });
    });
}

} // namespace

void rg_wdzhchk::StartSchemeFolder() {
    CWString folder = SchemeFolder();
    if (folder.GetLength() == 0)
        return;
    // A folder just made holds no scheme: the scheme box stays empty.
    if (EnsureSchemeFolder(folder))
        ReadSchemeFolder();
}

void rg_wdzhchk::ReadSchemeFolder() {
    rg_lch_jb::rg_wbshzl titles;
    ListSchemeFiles(SchemeFolder(), m_SchemePaths, titles);
    rg_zgk& box = ComboBox(kSchemeBox);
    SendMessageW(box.GetSafeHwnd(), CB_RESETCONTENT, 0, 0);
    for (int64_t i = 0; i < titles.GetCount(); ++i)
        box.AddItem(CWString(titles.GetTextAt(i)), 0);
    m_nLoadedScheme = -1;
}

void rg_wdzhchk::LoadScheme() {
    rg_zgk& box = ComboBox(kSchemeBox);
    int32_t index = box.GetCurSel();
    if (index < 0 || index >= m_SchemePaths.GetCount())
        return;
    if (ReadSchemeFile(m_SchemePaths.GetTextAt(index), StepList) < 0) {
        // The steps were not touched; the box shows again the scheme they came from.
        SendMessageW(box.GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(m_nLoadedScheme), 0);
        CWString text(kNotReadStart);
        text.Append(box.GetItemText(index));
        text.Append(PathExists(m_SchemePaths.GetTextAt(index)) ? kNotReadHeld : kNotReadGone);
        ShowMessageBox(this, text, MB_OK, CWString(kNoticeCaption));
        return;
    }
    m_nLoadedScheme = index;
    StepLines lines;
    m_StepListBox.ReplaceItems(lines);
}

void rg_wdzhchk::SaveScheme() {
    if (m_StepListBox.GetCount() == 0)
        return;
    CWString folder = SchemeFolder();
    if (folder.GetLength() == 0) {
        ShowMessageBox(this, CWString(kNoFolder), MB_OK, CWString(kNoticeCaption));
        return;
    }
    CWString name;
    CWString path;
    for (;;) {
        if (!InputText(this, name, CWString(kNamePrompt), CWString(kNameTitle), CWString()))
            return;
        if (name.GetLength() == 0)
            continue;
        if (!IsValidSchemeName(name.GetText())) {
            ShowMessageBox(this, CWString(kBadName), MB_OK, CWString(kNoticeCaption));
            continue;
        }
        path = SchemePath(folder, name.GetText());
        if (!PathExists(path.GetText()))
            break;
        if (ShowMessageBox(this, CWString(kReplaceQuestion), MB_YESNO, CWString(kNoticeCaption)) ==
            IDYES)
            break;
    }
    if (WriteSchemeFile(StepList, path.GetText()) == 0) {
        ShowMessageBox(this, CWString(kNotSaved), MB_OK, CWString(kNoticeCaption));
        return;
    }
    // A write that reports success may still not have landed where the list will look: a file
    // system may store the file under another name (Wine cuts names the host finds too long,
    // ".txt" with them, and says nothing). Believe the save only when the folder lists the
    // scheme under its name and its file reads back to the same codes; until then nothing on
    // the window has changed.
    rg_lch_jb::rg_wbshzl paths;
    rg_lch_jb::rg_wbshzl titles;
    ListSchemeFiles(folder, paths, titles);
    int64_t saved = FindSavedTitle(titles, name);
    if (saved < 0) {
        ShowMessageBox(this, CWString(kNotListed), MB_OK, CWString(kNoticeCaption));
        return;
    }
    CStepList back;
    if (ReadSchemeFile(paths.GetTextAt(saved), back) < 0 || !SameCodes(back, StepList)) {
        ShowMessageBox(this, CWString(kNotReadBack), MB_OK, CWString(kNoticeCaption));
        return;
    }
    ReadSchemeFolder();
    const CWString saved_path(paths.GetTextAt(saved));
    for (int64_t i = 0; i < m_SchemePaths.GetCount(); ++i)
        if (CWString(m_SchemePaths.GetTextAt(i)).IsEqual(saved_path) != 0)
            SendMessageW(ComboBox(kSchemeBox).GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(i),
                         0);
    LoadScheme();
}

bool rg_wdzhchk::OpenScheme(const CWString& name) {
    rg_zgk& box = ComboBox(kSchemeBox);
    int32_t count = static_cast<int32_t>(SendMessageW(box.GetSafeHwnd(), CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        if (box.GetItemText(i).IsEqual(name) != 0) {
            // Setting the selection sends no SelChanged: the load follows as its handler's would.
            SendMessageW(box.GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            LoadScheme();
            return true;
        }
    }
    CWString text(kUnknownSchemeStart);
    text.Append(name);
    text.Append(kUnknownSchemeEnd);
    ShowMessageBox(this, text, MB_OK, CWString(kNoticeCaption));
    return false;
}

void rg_wdzhchk::DeleteScheme() {
    rg_zgk& box = ComboBox(kSchemeBox);
    int32_t index = box.GetCurSel();
    if (index < 0 || index >= m_SchemePaths.GetCount())
        return;
    if (SchemeFolder().GetLength() == 0) {
        ShowMessageBox(this, CWString(kNoFolder), MB_OK, CWString(kNoticeCaption));
        return;
    }
    // The listed path: two entries may read alike, and only this one is the picked file.
    switch (DeleteFileInFolder(m_SchemePaths.GetTextAt(index))) {
    case FolderDelete::Deleted:
        break;
    case FolderDelete::Elsewhere:
        ShowMessageBox(this, CWString(kLinkNotDeleted), MB_OK, CWString(kNoticeCaption));
        return;
    case FolderDelete::Failed: {
        CWString text(kNotDeletedStart);
        text.Append(DeleteFailure(GetLastError()));
        text.Append(kNotDeletedEnd);
        ShowMessageBox(this, text, MB_OK, CWString(kNoticeCaption));
        return;
    }
    }
    // The deleted scheme was the current one: nothing is picked, and its steps go with it.
    ReadSchemeFolder();
    StepList.Clear();
    SendMessageW(m_StepListBox.GetSafeHwnd(), LB_RESETCONTENT, 0, 0);
}

} // namespace rg_lch_jxt
