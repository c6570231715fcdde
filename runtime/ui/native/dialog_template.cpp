// The dialog template builder: the byte layout of DLGTEMPLATE and its items.
#include "runtime/ui/native/dialog_template.h"

#include <cstring>

namespace {

// Appends to a byte image kept in DWORDs; the writer tracks the byte length.
class TemplateWriter {
public:
    TemplateWriter(std::vector<DWORD>& buffer, size_t& size) : m_buffer(buffer), m_size(size) {
        m_buffer.clear();
        m_size = 0;
    }

    void Bytes(const void* data, size_t count) {
        m_buffer.resize((m_size + count + sizeof(DWORD) - 1) / sizeof(DWORD));
        std::memcpy(reinterpret_cast<BYTE*>(m_buffer.data()) + m_size, data, count);
        m_size += count;
    }
    void Word(WORD value) { Bytes(&value, sizeof(value)); }
    // A zero-terminated text; null is the empty text.
    void Text(const std::basic_string<WCHAR>& text) {
        Bytes(text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    }
    void AlignDword() {
        while (m_size % sizeof(DWORD) != 0) {
            const BYTE zero = 0;
            Bytes(&zero, 1);
        }
    }
    // Where a header was written, to patch it later.
    size_t Offset() const { return m_size; }

private:
    std::vector<DWORD>& m_buffer;
    size_t& m_size;
};

std::basic_string<WCHAR> TextOrEmpty(const WCHAR* text) {
    return text != nullptr ? std::basic_string<WCHAR>(text) : std::basic_string<WCHAR>();
}

} // namespace

CRixDialogTemplate::CRixDialogTemplate(DWORD style, DWORD ex_style, short x, short y, short cx,
                                       short cy, const WCHAR* title)
    : m_x(x), m_y(y), m_cx(cx), m_cy(cy), m_title(TextOrEmpty(title)) {
    SetStyle(style, ex_style);
}

void CRixDialogTemplate::SetStyle(DWORD style, DWORD ex_style) {
    // DS_SETFONT follows the font, whatever the caller's style says.
    m_style = m_fontFace.empty() ? style & ~static_cast<DWORD>(DS_SETFONT) : style | DS_SETFONT;
    m_exStyle = ex_style;
    m_dirty = true;
}

void CRixDialogTemplate::SetRect(short x, short y, short cx, short cy) {
    m_x = x;
    m_y = y;
    m_cx = cx;
    m_cy = cy;
    m_dirty = true;
}

void CRixDialogTemplate::SetTitle(const WCHAR* title) {
    m_title = TextOrEmpty(title);
    m_dirty = true;
}

void CRixDialogTemplate::SetFont(const WCHAR* face, WORD point_size) {
    m_fontFace = TextOrEmpty(face);
    m_fontSize = m_fontFace.empty() ? 0 : point_size;
    SetStyle(m_style, m_exStyle);
}

void CRixDialogTemplate::SetClassName(const WCHAR* class_name) {
    m_className = TextOrEmpty(class_name);
    m_dirty = true;
}

BOOL CRixDialogTemplate::AddItem(WORD class_atom, const WCHAR* text, WORD id, DWORD style, short x,
                                 short y, short cx, short cy, DWORD ex_style) {
    if (m_loaded || m_items.size() >= 0xFFFF)
        return FALSE;
    m_items.push_back(Item{style | static_cast<DWORD>(WS_CHILD),
                           ex_style,
                           x,
                           y,
                           cx,
                           cy,
                           id,
                           class_atom,
                           {},
                           TextOrEmpty(text)});
    m_dirty = true;
    return TRUE;
}

BOOL CRixDialogTemplate::AddItem(const WCHAR* class_name, const WCHAR* text, WORD id, DWORD style,
                                 short x, short y, short cx, short cy, DWORD ex_style) {
    if (class_name == nullptr || class_name[0] == 0 || m_loaded || m_items.size() >= 0xFFFF)
        return FALSE;
    m_items.push_back(Item{style | static_cast<DWORD>(WS_CHILD), ex_style, x, y, cx, cy, id, 0,
                           std::basic_string<WCHAR>(class_name), TextOrEmpty(text)});
    m_dirty = true;
    return TRUE;
}

BOOL CRixDialogTemplate::LoadFromResource(HINSTANCE module, LPCWSTR name) {
    if (module == nullptr)
        module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, RT_DIALOG);
    if (found == nullptr)
        return FALSE;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size < sizeof(DLGTEMPLATE))
        return FALSE;
    m_items.clear();
    m_buffer.assign((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(m_buffer.data(), data, size);
    m_size = size;
    m_loaded = true;
    m_dirty = false;
    return TRUE;
}

LPCDLGTEMPLATEW CRixDialogTemplate::Get() const {
    if (m_dirty)
        Build();
    return reinterpret_cast<LPCDLGTEMPLATEW>(m_buffer.data());
}

size_t CRixDialogTemplate::GetSize() const {
    if (m_dirty)
        Build();
    return m_size;
}

void CRixDialogTemplate::Build() const {
    TemplateWriter out(m_buffer, m_size);
    DLGTEMPLATE header{};
    header.style = m_style;
    header.dwExtendedStyle = m_exStyle;
    header.cdit = static_cast<WORD>(m_items.size());
    header.x = m_x;
    header.y = m_y;
    header.cx = m_cx;
    header.cy = m_cy;
    out.Bytes(&header, sizeof(header));
    out.Word(0); // no menu
    if (m_className.empty())
        out.Word(0); // the system dialog class
    else
        out.Text(m_className);
    out.Text(m_title);
    if ((m_style & DS_SETFONT) != 0) {
        out.Word(m_fontSize);
        out.Text(m_fontFace);
    }
    for (const Item& item : m_items) {
        out.AlignDword();
        DLGITEMTEMPLATE record{};
        record.style = item.style;
        record.dwExtendedStyle = item.ex_style;
        record.x = item.x;
        record.y = item.y;
        record.cx = item.cx;
        record.cy = item.cy;
        record.id = item.id;
        out.Bytes(&record, sizeof(record));
        if (item.class_atom != 0) {
            out.Word(0xFFFF);
            out.Word(item.class_atom);
        } else {
            out.Text(item.class_name);
        }
        out.Text(item.text);
        out.Word(0); // no creation data
    }
    m_dirty = false;
}
