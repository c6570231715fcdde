// The 256-entry key-name table and the rule that turns a pressed key into a key code.
#include "runtime/ui/key_names.h"

#include <array>

#include "runtime/core/wconst_string.h"

namespace {

constexpr std::array<const WCHAR*, 256> MakeKeyNames() {
    std::array<const WCHAR*, 256> t{};
    t[0x03] = TEXT("Break");
    t[0x08] = TEXT("Backspace");
    t[0x09] = TEXT("Tab");
    t[0x0C] = TEXT("PadCenter");
    t[0x0D] = TEXT("Enter");
    t[0x10] = TEXT("Shift");
    t[0x11] = TEXT("Ctrl");
    t[0x12] = TEXT("Alt");
    t[0x13] = TEXT("Pause");
    t[0x14] = TEXT("CapsLock");
    t[0x1B] = TEXT("ESC");
    t[0x20] = TEXT("Space");
    t[0x21] = TEXT("PageUp");
    t[0x22] = TEXT("PageDown");
    t[0x23] = TEXT("End");
    t[0x24] = TEXT("Home");
    t[0x25] = TEXT("Left");
    t[0x26] = TEXT("Up");
    t[0x27] = TEXT("Right");
    t[0x28] = TEXT("Down");
    t[0x2D] = TEXT("Ins");
    t[0x2E] = TEXT("Del");
    const WCHAR* const digits[] = {TEXT("0"), TEXT("1"), TEXT("2"), TEXT("3"), TEXT("4"),
                                   TEXT("5"), TEXT("6"), TEXT("7"), TEXT("8"), TEXT("9")};
    for (int i = 0; i < 10; ++i)
        t[0x30 + i] = digits[i];
    const WCHAR* const letters[] = {
        TEXT("A"), TEXT("B"), TEXT("C"), TEXT("D"), TEXT("E"), TEXT("F"), TEXT("G"),
        TEXT("H"), TEXT("I"), TEXT("J"), TEXT("K"), TEXT("L"), TEXT("M"), TEXT("N"),
        TEXT("O"), TEXT("P"), TEXT("Q"), TEXT("R"), TEXT("S"), TEXT("T"), TEXT("U"),
        TEXT("V"), TEXT("W"), TEXT("X"), TEXT("Y"), TEXT("Z")};
    for (int i = 0; i < 26; ++i)
        t[0x41 + i] = letters[i];
    t[0x6A] = TEXT("PadMul");
    t[0x6B] = TEXT("PadPlus");
    const WCHAR* const functions[] = {TEXT("F1"),  TEXT("F2"),  TEXT("F3"),  TEXT("F4"),
                                      TEXT("F5"),  TEXT("F6"),  TEXT("F7"),  TEXT("F8"),
                                      TEXT("F9"),  TEXT("F10"), TEXT("F11"), TEXT("F12"),
                                      TEXT("F13"), TEXT("F14"), TEXT("F15"), TEXT("F16")};
    for (int i = 0; i < 16; ++i)
        t[0x70 + i] = functions[i];
    t[0x90] = TEXT("NumLock");
    t[0x91] = TEXT("ScrollLock");
    t[0xBA] = TEXT(";");
    t[0xBB] = TEXT("=");
    t[0xBC] = TEXT(",");
    t[0xBD] = TEXT("-");
    t[0xBE] = TEXT(".");
    t[0xBF] = TEXT("/");
    t[0xC0] = TEXT("`");
    t[0xDB] = TEXT("[");
    t[0xDC] = TEXT("\\");
    t[0xDD] = TEXT("]");
    t[0xDE] = TEXT("'");
    for (auto& entry : t) {
        if (entry == nullptr)
            entry = TEXT("");
    }
    return t;
}

constexpr std::array<const WCHAR*, 256> kKeyNames = MakeKeyNames();

bool Held(int vk) {
    return GetKeyState(vk) < 0;
}

} // namespace

const WCHAR* KeyNameText(int64_t code) {
    return kKeyNames[static_cast<uint64_t>(code) & 0xFF];
}

CWString KeyName(int64_t code) {
    return CWConstString(KeyNameText(code));
}

uint32_t KeyCodeFromVirtualKey(WPARAM v) {
    uint32_t c = static_cast<uint32_t>(v & 0xFF);
    if (c >= VK_NUMPAD0 && c <= VK_NUMPAD9)
        c = c - VK_NUMPAD0 + 0x30;
    else if (c == VK_SUBTRACT)
        c = VK_OEM_MINUS;
    else if (c == VK_DECIMAL)
        c = VK_OEM_PERIOD;
    else if (c == VK_DIVIDE)
        c = VK_OEM_2;
    else if (kKeyNames[c][0] == 0)
        return 0;
    uint32_t code = c;
    if (c != VK_CONTROL && Held(VK_CONTROL))
        code |= kKeyCtrl;
    if (c != VK_SHIFT && Held(VK_SHIFT))
        code |= kKeyShift;
    if (c != VK_MENU && Held(VK_MENU))
        code |= kKeyAlt;
    return code;
}
