// The dialog template builder, and templates loaded from dialog resources, on both backends:
// what a built template makes the system create is checked in the dialog tests; here the
// builder's own rules and the resource path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "runtime/ui/native/dialog_template.h"

namespace {

constexpr WORD kResourceDialog = 900;
constexpr WORD kResourceEdit = 901;

TEST(DialogTemplateTest, TheFontDecidesDsSetFont) {
    CRixDialogTemplate t(WS_POPUP | DS_SETFONT, 0, 0, 0, 10, 10);
    EXPECT_EQ(t.GetStyle() & DS_SETFONT, 0u) << "no font, no DS_SETFONT";
    t.SetFont(TEXT("MS Shell Dlg"), 8);
    EXPECT_EQ(t.GetStyle() & DS_SETFONT, static_cast<DWORD>(DS_SETFONT));
    t.SetStyle(WS_POPUP, 0);
    EXPECT_EQ(t.GetStyle() & DS_SETFONT, static_cast<DWORD>(DS_SETFONT)) << "kept with the font";
    const size_t with_font = t.GetSize();
    t.SetFont(nullptr, 0);
    EXPECT_EQ(t.GetStyle() & DS_SETFONT, 0u);
    // Point size and the face "MS Shell Dlg" with its terminator leave the template.
    EXPECT_EQ(with_font - t.GetSize(), sizeof(WORD) + 13 * sizeof(WCHAR));
}

TEST(DialogTemplateTest, ItemsStartOnDwordBoundariesWithTheirCountInTheHeader) {
    CRixDialogTemplate t(WS_POPUP, 0, 0, 0, 100, 50, TEXT("odd"));
    t.AddItem(CRixDialogTemplate::kStatic, TEXT("a"), 1, WS_VISIBLE, 0, 0, 10, 10);
    t.AddItem(TEXT("Edit"), TEXT("bc"), 2, WS_VISIBLE, 0, 0, 10, 10);
    const DLGTEMPLATE* header = t.Get();
    ASSERT_EQ(reinterpret_cast<ULONG_PTR>(header) % 4, 0u);
    EXPECT_EQ(header->cdit, 2);
    // Header, menu 0, class 0, "odd"; the first item follows on the next DWORD boundary with
    // WS_CHILD added and its class as 0xFFFF and the atom.
    const auto* bytes = reinterpret_cast<const BYTE*>(header);
    const size_t first = (sizeof(DLGTEMPLATE) + 2 * sizeof(WORD) + 4 * sizeof(WCHAR) + 3) / 4 * 4;
    const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(bytes + first);
    EXPECT_EQ(item->id, 1);
    EXPECT_EQ(item->style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    const auto* words = reinterpret_cast<const WORD*>(item + 1);
    EXPECT_EQ(words[0], 0xFFFF);
    EXPECT_EQ(words[1], CRixDialogTemplate::kStatic);
}

TEST(DialogTemplateTest, ADialogResourceLoadsAndCreatesItsDialog) {
#if !defined(KEYSEQ_PLATFORM_WIN32)
    // The Windows test program carries this dialog in its resources (test_dialogs.rc); the
    // simulation has no module files, so the same template is registered.
    CRixDialogTemplate source(WS_POPUP | WS_CAPTION, 0, 0, 0, 120, 50, TEXT("resource"));
    source.SetFont(TEXT("MS Shell Dlg"), 8);
    source.AddItem(CRixDialogTemplate::kEdit, nullptr, kResourceEdit,
                   WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 100, 12);
    source.AddItem(CRixDialogTemplate::kButton, TEXT("OK"), IDOK,
                   WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 25, 40, 14);
    const auto* bytes = reinterpret_cast<const BYTE*>(source.Get());
    sim::RegisterResource(RT_DIALOG, MAKEINTRESOURCEW(kResourceDialog),
                          std::vector<BYTE>(bytes, bytes + source.GetSize()));
#endif
    CRixDialogTemplate t;
    EXPECT_FALSE(t.LoadFromResource(nullptr, MAKEINTRESOURCEW(kResourceDialog + 1)));
    EXPECT_FALSE(t.IsLoaded());
    ASSERT_TRUE(t.LoadFromResource(nullptr, MAKEINTRESOURCEW(kResourceDialog)));
    EXPECT_TRUE(t.IsLoaded());
    EXPECT_FALSE(t.AddItem(CRixDialogTemplate::kStatic, nullptr, 1, 0, 0, 0, 1, 1))
        << "a loaded template is taken as it is";

    HWND dialog =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    WCHAR text[16];
    GetWindowTextW(dialog, text, 16);
    EXPECT_EQ(std::basic_string<WCHAR>(text), TEXT("resource"));
    HWND edit = GetDlgItem(dialog, kResourceEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_AUTOHSCROLL, 0);
    GetDlgItemTextW(dialog, IDOK, text, 16);
    EXPECT_EQ(std::basic_string<WCHAR>(text), TEXT("OK"));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    DestroyWindow(dialog);
#if !defined(KEYSEQ_PLATFORM_WIN32)
    sim::ResetResources();
#endif
}

} // namespace
