// Wide printf-style formatting for the simulated backend.
//
// The C library's swprintf cannot stand in for the Windows one: its wchar_t is 32 bits wide,
// it reads "%s" as a narrow text and it does not know the "I64" size. So the conversion
// letters are parsed here with the Windows meanings, and each number is turned into digits by
// the narrow snprintf (which rounds floating values exactly) and widened.
#include "platform/platform.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Writes while there is room for the unit and a terminator, and counts every unit.
class Sink {
public:
    Sink(WCHAR* buffer, size_t capacity) : m_pBuffer(buffer), m_nCapacity(capacity) {}

    void Put(WCHAR unit) {
        if (m_pBuffer != nullptr && m_nCount + 1 < m_nCapacity)
            m_pBuffer[m_nCount] = unit;
        ++m_nCount;
    }
    void Repeat(WCHAR unit, size_t count) {
        for (size_t i = 0; i < count && m_nCount <= static_cast<size_t>(INT_MAX); ++i)
            Put(unit);
    }
    void Ascii(const char* text, size_t count) {
        for (size_t i = 0; i < count; ++i)
            Put(static_cast<WCHAR>(static_cast<unsigned char>(text[i])));
    }
    bool Writing() const { return m_pBuffer != nullptr; }
    size_t Count() const { return m_nCount; }

    int Finish(bool ok) {
        bool tooLong = m_nCount > static_cast<size_t>(INT_MAX);
        if (!Writing())
            return ok && !tooLong ? static_cast<int>(m_nCount) : -1;
        bool fits = m_nCount < m_nCapacity;
        m_pBuffer[fits ? m_nCount : m_nCapacity - 1] = 0;
        return ok && fits && !tooLong ? static_cast<int>(m_nCount) : -1;
    }

private:
    WCHAR* m_pBuffer;
    size_t m_nCapacity;
    size_t m_nCount = 0;
};

enum class ArgSize { Default, Char, Short, Bits32, Bits64 };

struct Conversion {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = 0;
    int precision = -1; // -1: none given
    ArgSize size = ArgSize::Default;
    bool narrowText = false; // "%hs", "%S", "%hc", "%C"
    WCHAR conversion = 0;
};

// Reads a decimal number, saturating at INT_MAX so that a silly width cannot overflow.
int ReadNumber(const WCHAR*& p) {
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        int digit = *p - '0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
        ++p;
    }
    return value;
}

// Parses flags, width, precision and size after a '%'. False when the format ends early.
bool ParseConversion(const WCHAR*& p, Conversion& conv, va_list& args) {
    for (;; ++p) {
        if (*p == '-')
            conv.left = true;
        else if (*p == '+')
            conv.plus = true;
        else if (*p == ' ')
            conv.space = true;
        else if (*p == '#')
            conv.alt = true;
        else if (*p == '0')
            conv.zero = true;
        else
            break;
    }
    if (*p == '*') {
        ++p;
        int width = va_arg(args, int);
        if (width < 0) {
            conv.left = true;
            width = width == INT_MIN ? INT_MAX : -width;
        }
        conv.width = width;
    } else {
        conv.width = ReadNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++p;
            int precision = va_arg(args, int);
            conv.precision = precision < 0 ? -1 : precision;
        } else {
            conv.precision = ReadNumber(p);
        }
    }
    // Size prefixes with their Windows meanings: "l" is 32 bits (LONG), "I" is pointer-sized.
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        conv.size = ArgSize::Bits64;
        p += 3;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
        conv.size = ArgSize::Bits32;
        p += 3;
    } else if (p[0] == 'h' && p[1] == 'h') {
        conv.size = ArgSize::Char;
        p += 2;
    } else if (p[0] == 'l' && p[1] == 'l') {
        conv.size = ArgSize::Bits64;
        p += 2;
    } else if (*p == 'h') {
        conv.size = ArgSize::Short;
        conv.narrowText = true;
        ++p;
    } else if (*p == 'l' || *p == 'w') {
        conv.size = ArgSize::Bits32;
        ++p;
    } else if (*p == 'I' || *p == 'z' || *p == 'j' || *p == 't') {
        conv.size = ArgSize::Bits64;
        ++p;
    } else if (*p == 'L') {
        ++p; // long double is double on Windows
    }
    if (*p == 0)
        return false;
    conv.conversion = *p++;
    return true;
}

// Pads `count` units of content to the width; `emit` writes the content.
template <typename Emit> void Padded(Sink& sink, const Conversion& conv, size_t count, Emit emit) {
    size_t width = static_cast<size_t>(conv.width);
    size_t pad = width > count ? width - count : 0;
    if (!conv.left)
        sink.Repeat(conv.zero ? '0' : ' ', pad);
    emit();
    if (conv.left)
        sink.Repeat(' ', pad);
}

void PutWideText(Sink& sink, const Conversion& conv, const WCHAR* text) {
    static const WCHAR kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if (text == nullptr)
        text = kNull;
    size_t count = 0;
    while (text[count] != 0 && (conv.precision < 0 || count < static_cast<size_t>(conv.precision)))
        ++count;
    Padded(sink, conv, count, [&] {
        for (size_t i = 0; i < count; ++i)
            sink.Put(text[i]);
    });
}

void PutNarrowText(Sink& sink, const Conversion& conv, const char* text) {
    if (text == nullptr)
        text = "(null)";
    size_t count = 0;
    while (text[count] != 0 && (conv.precision < 0 || count < static_cast<size_t>(conv.precision)))
        ++count;
    Padded(sink, conv, count, [&] { sink.Ascii(text, count); });
}

// The narrow format for one number: flags, width, precision, `size` and the conversion.
std::string NarrowSpec(const Conversion& conv, const char* size, char conversion) {
    std::string f = "%";
    if (conv.left)
        f += '-';
    if (conv.plus)
        f += '+';
    if (conv.space)
        f += ' ';
    if (conv.alt)
        f += '#';
    if (conv.zero)
        f += '0';
    if (conv.width > 0)
        f += std::to_string(conv.width);
    if (conv.precision >= 0)
        f += '.' + std::to_string(conv.precision);
    f += size;
    f += conversion;
    return f;
}

template <typename Value> bool PutNumber(Sink& sink, const std::string& format, Value value) {
    int count = std::snprintf(nullptr, 0, format.c_str(), value);
    if (count < 0)
        return false;
    if (!sink.Writing()) {
        sink.Repeat(' ', static_cast<size_t>(count)); // only counted
        return true;
    }
    std::string digits(static_cast<size_t>(count) + 1, '\0');
    std::snprintf(digits.data(), digits.size(), format.c_str(), value);
    sink.Ascii(digits.data(), static_cast<size_t>(count));
    return true;
}

bool PutInteger(Sink& sink, const Conversion& conv, va_list& args) {
    char conversion = static_cast<char>(conv.conversion == 'i' ? 'd' : conv.conversion);
    std::string format = NarrowSpec(conv, "ll", conversion);
    if (conversion == 'd') {
        long long value;
        switch (conv.size) {
        case ArgSize::Bits64:
            value = va_arg(args, long long);
            break;
        case ArgSize::Short:
            value = static_cast<short>(va_arg(args, int));
            break;
        case ArgSize::Char:
            value = static_cast<signed char>(va_arg(args, int));
            break;
        default:
            value = va_arg(args, int);
            break;
        }
        return PutNumber(sink, format, value);
    }
    unsigned long long value;
    switch (conv.size) {
    case ArgSize::Bits64:
        value = va_arg(args, unsigned long long);
        break;
    case ArgSize::Short:
        value = static_cast<unsigned short>(va_arg(args, unsigned int));
        break;
    case ArgSize::Char:
        value = static_cast<unsigned char>(va_arg(args, unsigned int));
        break;
    default:
        value = va_arg(args, unsigned int);
        break;
    }
    return PutNumber(sink, format, value);
}

// Windows writes a pointer as sixteen upper-case hexadecimal digits.
void PutPointer(Sink& sink, const Conversion& conv, const void* pointer) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer)));
    Conversion padding = conv;
    padding.zero = false;
    Padded(sink, padding, 16, [&] { sink.Ascii(digits, 16); });
}

} // namespace

int PlatformFormatV(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args) {
    if (capacity == 0)
        buffer = nullptr;
    Sink sink(buffer, capacity);
    if (format == nullptr)
        return sink.Finish(false);
    va_list ap;
    va_copy(ap, args);
    bool ok = true;
    const WCHAR* p = format;
    while (ok && *p != 0) {
        if (*p != '%') {
            sink.Put(*p++);
            continue;
        }
        ++p;
        if (*p == '%') {
            sink.Put(*p++);
            continue;
        }
        Conversion conv;
        if (!ParseConversion(p, conv, ap)) {
            ok = false;
            break;
        }
        switch (conv.conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            ok = PutInteger(sink, conv, ap);
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
            ok = PutNumber(sink, NarrowSpec(conv, "", static_cast<char>(conv.conversion)),
                           va_arg(ap, double));
            break;
        case 's':
            if (conv.narrowText)
                PutNarrowText(sink, conv, va_arg(ap, const char*));
            else
                PutWideText(sink, conv, va_arg(ap, const WCHAR*));
            break;
        case 'S':
            PutNarrowText(sink, conv, va_arg(ap, const char*));
            break;
        case 'c':
        case 'C': {
            int value = va_arg(ap, int);
            WCHAR unit = conv.narrowText || conv.conversion == 'C'
                             ? static_cast<WCHAR>(static_cast<unsigned char>(value))
                             : static_cast<WCHAR>(value);
            Padded(sink, conv, 1, [&] { sink.Put(unit); });
            break;
        }
        case 'p':
            PutPointer(sink, conv, va_arg(ap, const void*));
            break;
        default:
            // "%n" among them: a format never writes through an argument.
            ok = false;
            break;
        }
        if (sink.Count() > static_cast<size_t>(INT_MAX))
            ok = false;
    }
    va_end(ap);
    return sink.Finish(ok);
}
