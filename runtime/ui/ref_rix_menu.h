// CRefRixMenu: what a menu description text turns into. It owns the menu bar (whose items
// open the pop-up menus), the accelerator table for the items' shortcut keys and one record
// per command item (id, the pop-up that holds it, tag). It is counted, so menu objects
// assigned from one another share one built menu, and the handles go with the last reference.
//
// Used on the user-interface thread only, like the menus it owns.
#pragma once

#include <cstdint>
#include <map>

#include "platform/platform.h"
#include "runtime/core/mstring_array.h"
#include "runtime/core/ref_object.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/ui/menu_item_text.h"

class CRefRixMenu : public CRefObject {
public:
    CRefRixMenu() = default;
    ~CRefRixMenu() override;

    static const ClassNameInfo* ClassRecord();
    const ClassNameInfo* GetClassInfo() const override { return ClassRecord(); }

    // Attributes
    //
    // Set once a text was built, also when that failed.
    bool IsBuilt() const { return m_nBuilt != 0; }
    // The menu bar; null when nothing was built or the text was invalid.
    HMENU GetMenuHandle() const { return m_hMenu; }
    // Null when no item has a shortcut.
    HACCEL GetAccelerators() const { return m_hAccelerators; }
    // The last text that was built successfully.
    const CWString& GetDescription() const { return m_Description; }
    // The command items in the order they were built; an index outside 0 to count - 1
    // answers 0, a null pop-up and an empty tag.
    int64_t GetItemCount() const;
    int64_t GetItemId(int64_t index) const;
    HMENU GetItemPopup(int64_t index) const;
    const WCHAR* GetItemTag(int64_t index) const;

    // Operations
    //
    // Builds the menu from a description text and answers its menu handle (null when the text
    // builds no menu). With a text, a menu that is built already is answered unchanged; null
    // builds the stored description again. Any invalid item, or a version other than 1,
    // discards the whole menu.
    HMENU BuildFromText(const WCHAR* text);

private:
    // Shortcut key code -> id of the first item that has it, in ascending key-code order.
    using Shortcuts = std::map<uint32_t, uint16_t>;

    // Destroys the handles and empties the description and the item lists; not built.
    void Clear();
    void Build(const CWString& text);
    // Builds the pop-up whose header item begins at line i, with everything nested below it,
    // and appends it to parent. Answers the index after the pop-up's last item, or -1.
    int64_t BuildPopup(HMENU parent, const CMStringArray& lines, int64_t i, Shortcuts& shortcuts);
    bool AppendCommand(HMENU popup, const MenuItemFields& item, Shortcuts& shortcuts);
    void CreateAccelerators(const Shortcuts& shortcuts);

    int64_t m_nBuilt = 0;
    HMENU m_hMenu = nullptr;          // owned
    HACCEL m_hAccelerators = nullptr; // owned
    CWString m_Description;
    CRixMem m_ItemIds;    // int64_t per command item
    CRixMem m_ItemPopups; // HMENU per command item, not owned (inside m_hMenu)
    CMStringArray m_ItemTags;
};
