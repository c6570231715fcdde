// Building a menu bar, its pop-ups and its accelerator table from a menu description text.
#include "runtime/ui/ref_rix_menu.h"

#include <cstring>
#include <vector>

#include "runtime/core/int64_text.h"
#include "runtime/shell/split_text.h"
#include "runtime/ui/hot_key_text.h"
#include "runtime/ui/key_names.h"

const ClassNameInfo* CRefRixMenu::ClassRecord() {
    static const ClassNameInfo info = MakeClassNameInfo("CRefRixMenu");
    return &info;
}

CRefRixMenu::~CRefRixMenu() {
    Clear();
}

int64_t CRefRixMenu::GetItemCount() const {
    return m_ItemIds.GetLength() / static_cast<int64_t>(sizeof(int64_t));
}

int64_t CRefRixMenu::GetItemId(int64_t index) const {
    if (index < 0 || index >= GetItemCount())
        return 0;
    int64_t id;
    std::memcpy(&id, m_ItemIds.GetDataPtr() + index * sizeof(int64_t), sizeof(id));
    return id;
}

const WCHAR* CRefRixMenu::GetItemTag(int64_t index) const {
    if (index < 0 || index >= GetItemCount())
        return TEXT("");
    return m_ItemTags.GetTextAt(index);
}

HMENU CRefRixMenu::GetItemPopup(int64_t index) const {
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    HMENU popup;
    std::memcpy(&popup, m_ItemPopups.GetDataPtr() + index * sizeof(HMENU), sizeof(popup));
    return popup;
}

HMENU CRefRixMenu::BuildFromText(const WCHAR* text) {
    if (text != nullptr && IsBuilt())
        return m_hMenu;
    // A copy first: the text may be the stored description, which Clear empties.
    const CWString source = text != nullptr ? CWString(text) : CWString(m_Description);
    Clear();
    if (!source.IsEmpty())
        Build(source);
    m_nBuilt = 1;
    return m_hMenu;
}

void CRefRixMenu::Clear() {
    m_nBuilt = 0;
    if (m_hAccelerators != nullptr)
        DestroyAcceleratorTable(m_hAccelerators);
    m_hAccelerators = nullptr;
    if (m_hMenu != nullptr)
        DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_Description.Empty();
    m_ItemIds.Free();
    m_ItemPopups.Free();
    m_ItemTags.Clear();
}

void CRefRixMenu::Build(const CWString& text) {
    CMStringArray lines;
    SplitText(text.GetText(), lines, TEXT("\n"), true, false);
    if (lines.GetCount() == 0 || TextToInt64(lines.GetTextAt(0)) != 1)
        return;
    lines.RemoveRange(0, 1);
    const int64_t n = lines.GetCount() / kMenuItemLines * kMenuItemLines;
    if (n < lines.GetCount())
        lines.RemoveRange(n, lines.GetCount() - n);

    m_hMenu = CreateMenu();
    if (m_hMenu == nullptr)
        return;
    Shortcuts shortcuts;
    for (int64_t i = 0; i < n;) {
        i = BuildPopup(m_hMenu, lines, i, shortcuts);
        if (i < 0) {
            Clear();
            return;
        }
    }
    CreateAccelerators(shortcuts);
    m_Description = text;
}

// Iterative rather than recursive: every pop-up still being filled is on `open`, innermost
// last, so a text that nests very deeply cannot exhaust the stack, and a failure can destroy
// the pop-ups that are not yet attached to a parent (destroying the menu bar would miss them).
int64_t CRefRixMenu::BuildPopup(HMENU parent, const CMStringArray& lines, int64_t i,
                                Shortcuts& shortcuts) {
    struct OpenPopup {
        MenuItemFields header;
        HMENU popup;
        HMENU parent;
    };
    std::vector<OpenPopup> open;
    auto fail = [&open]() -> int64_t {
        for (const OpenPopup& o : open)
            DestroyMenu(o.popup);
        return -1;
    };

    MenuItemFields header;
    int64_t j = ParseItem(lines, i, header);
    if (j < 0 || header.separator)
        return -1;
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr)
        return -1;
    open.push_back({header, popup, parent});

    const int64_t end = lines.GetCount();
    for (;;) {
        MenuItemFields item;
        int64_t next = -1;
        if (j < end) {
            next = ParseItem(lines, j, item);
            if (next < 0)
                return fail();
        }
        if (j >= end || item.level <= open.back().header.level) {
            // The innermost pop-up is complete: it joins its parent, and the item at j (if
            // any) is looked at again for the pop-up around it.
            const OpenPopup done = open.back();
            open.pop_back();
            const UINT flags = MF_POPUP | (done.header.disabled ? MF_GRAYED : 0);
            if (!AppendMenuW(done.parent, flags, reinterpret_cast<UINT_PTR>(done.popup),
                             done.header.caption)) {
                DestroyMenu(done.popup);
                return fail();
            }
            if (open.empty())
                return j;
            continue;
        }
        HMENU current = open.back().popup;
        if (MenuLineValue(lines, next) > item.level) {
            // Deeper items follow: this item heads a nested pop-up.
            if (item.separator)
                return fail();
            HMENU nested = CreatePopupMenu();
            if (nested == nullptr)
                return fail();
            open.push_back({item, nested, current});
        } else if (item.separator) {
            if (!AppendMenuW(current, MF_SEPARATOR, 0, nullptr))
                return fail();
        } else if (!AppendCommand(current, item, shortcuts)) {
            return fail();
        }
        j = next;
    }
}

bool CRefRixMenu::AppendCommand(HMENU popup, const MenuItemFields& item, Shortcuts& shortcuts) {
    CWString shown(item.caption);
    if (item.keyCode != 0) {
        // A repeated shortcut keeps the first item's id; every item still shows the key.
        shortcuts.emplace(item.keyCode, static_cast<uint16_t>(item.id));
        shown.Append(TEXT("\t"));
        shown.Append(HotKeyText(item.keyCode));
    }
    const int64_t id = item.id;
    m_ItemIds.Append(&id, sizeof(id));
    m_ItemPopups.Append(&popup, sizeof(popup));
    m_ItemTags.Append(item.tag);
    const UINT flags =
        MF_STRING | (item.checked ? MF_CHECKED : 0) | (item.disabled ? MF_GRAYED : 0);
    return AppendMenuW(popup, flags, static_cast<UINT_PTR>(item.id), shown.GetText()) != FALSE;
}

void CRefRixMenu::CreateAccelerators(const Shortcuts& shortcuts) {
    if (shortcuts.empty())
        return;
    std::vector<ACCEL> entries;
    entries.reserve(shortcuts.size());
    for (const auto& [code, id] : shortcuts) {
        ACCEL entry{};
        entry.fVirt = FVIRTKEY | FNOINVERT;
        if (code & kKeyShift)
            entry.fVirt |= FSHIFT;
        if (code & kKeyCtrl)
            entry.fVirt |= FCONTROL;
        if (code & kKeyAlt)
            entry.fVirt |= FALT;
        entry.key = static_cast<WORD>(code & 0xFF);
        entry.cmd = id;
        entries.push_back(entry);
    }
    m_hAccelerators = CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}
