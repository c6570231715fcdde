// Scheme operations on the main window: the folder start-up, re-reading the folder into the
// scheme box, loading the picked scheme, saving the steps under a name asked from the user,
// and deleting the picked scheme.
//
// A save never loses the steps: a name that could write outside the folder is refused and
// asked again, and a write that fails leaves StepList, the step list box and the scheme box
// as they were and says so.
//
// When the program's folder cannot be found the scheme folder is empty text, and a path built
// on it would name a file of the current directory: then nothing is listed, and saving and
// deleting say so and touch no file. Deleting removes the listed file of the picked entry,
// never a path made again from the entry's text.
#include "app/window/main_form.h"
#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "app/steps/step_text.h"
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
    StepList.Clear();
    SendMessageW(m_StepListBox.GetSafeHwnd(), LB_RESETCONTENT, 0, 0);
}

void rg_wdzhchk::LoadScheme() {
    int32_t index = ComboBox(kSchemeBox).GetCurSel();
    if (index < 0 || index >= m_SchemePaths.GetCount())
        return;
    ReadSchemeFile(m_SchemePaths.GetTextAt(index), StepList);
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
    ReadSchemeFolder();
    rg_zgk& box = ComboBox(kSchemeBox);
    int32_t count = static_cast<int32_t>(SendMessageW(box.GetSafeHwnd(), CB_GETCOUNT, 0, 0));
    for (int32_t i = 0; i < count; ++i) {
        if (box.GetItemText(i).IsEqual(name) != 0)
            SendMessageW(box.GetSafeHwnd(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
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
    DeleteFileW(m_SchemePaths.GetTextAt(index));
    ReadSchemeFolder();
}

} // namespace rg_lch_jxt
