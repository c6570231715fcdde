// CRixDialogTemplate: a dialog template (DLGTEMPLATE with its DLGITEMTEMPLATE items) built in
// memory, or copied from a dialog resource of a module.
//
// The builder writes the layout that CreateDialogIndirectParamW reads: the header, the menu
// (none), the window class (the system dialog class unless one is named), the title, with
// DS_SETFONT the point size and face name, and then each item DWORD-aligned with its class
// (by name, or as 0xFFFF and the atom of a system class: 0x0080 BUTTON, 0x0081 EDIT, 0x0082
// STATIC, ...), its text and no creation data. Places and sizes are in dialog units.
//
// Get answers the bytes, rebuilt after every change; they stay valid until the next change.
// A template loaded from a resource is taken as it is (it may be the extended form) and
// cannot take items.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

class CRixDialogTemplate {
public:
    // The atoms of the system control classes, as a template names them.
    enum : WORD {
        kButton = 0x0080,
        kEdit = 0x0081,
        kStatic = 0x0082,
        kListBox = 0x0083,
        kScrollBar = 0x0084,
        kComboBox = 0x0085,
    };

    // An empty template: no items, no title, no font, place and size 0.
    CRixDialogTemplate() = default;
    CRixDialogTemplate(DWORD style, DWORD ex_style, short x, short y, short cx, short cy,
                       const WCHAR* title = nullptr);

    // Attributes
    void SetStyle(DWORD style, DWORD ex_style);
    void SetRect(short x, short y, short cx, short cy);
    void SetTitle(const WCHAR* title);
    // Sets DS_SETFONT and the font; a null face clears both.
    void SetFont(const WCHAR* face, WORD point_size);
    // Null for the system dialog class.
    void SetClassName(const WCHAR* class_name);
    DWORD GetStyle() const { return m_style; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    bool IsLoaded() const { return m_loaded; }

    // Operations
    //
    // Adds a control of a system class by atom, or of a class by name. WS_CHILD is added to
    // the style. FALSE for a template loaded from a resource, or past 65535 items.
    BOOL AddItem(WORD class_atom, const WCHAR* text, WORD id, DWORD style, short x, short y,
                 short cx, short cy, DWORD ex_style = 0);
    BOOL AddItem(const WCHAR* class_name, const WCHAR* text, WORD id, DWORD style, short x, short y,
                 short cx, short cy, DWORD ex_style = 0);
    // Replaces the template with a copy of the RT_DIALOG resource name of module (null: the
    // program). FALSE, leaving the template as it was, when there is no such resource.
    BOOL LoadFromResource(HINSTANCE module, LPCWSTR name);

    // The template bytes, for CreateDialogIndirectParamW.
    LPCDLGTEMPLATEW Get() const;
    size_t GetSize() const;

private:
    struct Item {
        DWORD style;
        DWORD ex_style;
        short x, y, cx, cy;
        WORD id;
        WORD class_atom; // 0: class_name
        std::basic_string<WCHAR> class_name;
        std::basic_string<WCHAR> text;
    };

    void Build() const;

    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    short m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    std::basic_string<WCHAR> m_title;
    std::basic_string<WCHAR> m_className;
    std::basic_string<WCHAR> m_fontFace;
    WORD m_fontSize = 0;
    std::vector<Item> m_items;
    bool m_loaded = false;
    // The bytes, in DWORDs so that the template starts DWORD-aligned as it must.
    mutable std::vector<DWORD> m_buffer;
    mutable size_t m_size = 0;
    mutable bool m_dirty = true;
};
