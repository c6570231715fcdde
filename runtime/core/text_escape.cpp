// The escape writer of the debug dumps. Output goes out in chunks so that a long text costs a
// few appends, not one per unit.
#include "runtime/core/text_escape.h"

#include "runtime/core/wstring.h"

namespace {
class ChunkWriter {
public:
    explicit ChunkWriter(CWString& out) : m_Out(out) {}
    ~ChunkWriter() { Flush(); }
    void Put(WCHAR unit) {
        if (m_nCount == kSize)
            Flush();
        m_Chunk[m_nCount++] = unit;
    }
    void Flush() {
        m_Out.AppendUnits(m_Chunk, m_nCount);
        m_nCount = 0;
    }

private:
    static constexpr int kSize = 256;
    CWString& m_Out;
    WCHAR m_Chunk[kSize];
    int m_nCount = 0;
};
} // namespace

void AppendEscapedText(CWString& out, const WCHAR* text) {
    if (text == nullptr)
        return;
    if (out.OwnsPointer(text)) {
        CWString copy(text);
        AppendEscapedText(out, copy.GetText());
        return;
    }
    ChunkWriter writer(out);
    for (const WCHAR* p = text; *p != 0; ++p) {
        WCHAR unit = *p;
        WCHAR escape = 0;
        switch (unit) {
        case 8:
            escape = 'b';
            break;
        case 9:
            escape = 't';
            break;
        case 10:
            escape = 'n';
            break;
        case 12:
            escape = 'f';
            break;
        case 13:
            escape = 'r';
            break;
        case '"':
        case '\'':
        case '\\':
            escape = unit;
            break;
        default:
            break;
        }
        if (escape != 0) {
            writer.Put('\\');
            writer.Put(escape);
        } else if (unit < 32) {
            writer.Put('\\');
            writer.Put('0');
            writer.Put(static_cast<WCHAR>('0' + unit / 8));
            writer.Put(static_cast<WCHAR>('0' + unit % 8));
        } else {
            writer.Put(unit);
        }
    }
}

void AppendQuotedText(CWString& out, const WCHAR* text) {
    out.AppendChar('"');
    AppendEscapedText(out, text);
    out.AppendChar('"');
}
