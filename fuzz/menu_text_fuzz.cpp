// Fuzzes menu description texts. Input: the text as little-endian UTF-16 units (zero units
// dropped). Besides the sanitizers' checks (no crash, no leak) it holds a built menu to what
// the text says: reading the menu back depth first gives one command per item that is neither
// a separator nor the head of a pop-up, with the ids of the text in its order, each in the
// pop-up the item lists record; the accelerator table has one entry per distinct key in
// ascending order; and every menu and table made is gone after a failed build and after the
// last release.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/support/fuzz_units.h"
#include "platform/sim/sim_testing.h"
#include "runtime/core/int64_text.h"
#include "runtime/shell/split_text.h"
#include "runtime/ui/ref_rix_menu.h"

namespace {

struct Command {
    int64_t id;
    HMENU popup;
};

// The commands of a menu in depth-first order of positions.
void CollectCommands(HMENU menu, std::vector<Command>& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            CollectCommands(submenu, out);
        } else if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) == 0) {
            out.push_back({static_cast<int64_t>(GetMenuItemID(menu, i)), menu});
        }
    }
}

// The command ids a valid text describes, read from its lines without the builder: an item
// heads a pop-up when it starts a top-level group (it is the first, or not deeper than the
// group's head) or when the next item is deeper than it.
std::vector<int64_t> ExpectedCommandIds(const WCHAR* text) {
    CMStringArray lines;
    SplitText(text, lines, TEXT("\n"), true, false);
    const int64_t items = (lines.GetCount() - 1) / 11;
    auto level = [&](int64_t k) { return TextToInt64(lines.GetTextAt(1 + 11 * k)); };
    std::vector<int64_t> ids;
    int64_t groupLevel = 0;
    for (int64_t k = 0; k < items; ++k) {
        const int64_t own = level(k);
        if (k == 0 || own <= groupLevel) {
            groupLevel = own;
            continue;
        }
        if (k + 1 < items && level(k + 1) > own)
            continue;
        const WCHAR* separator = lines.GetTextAt(1 + 11 * k + 8);
        if (separator[0] == TEXT('1'))
            continue;
        ids.push_back(TextToInt64(lines.GetTextAt(1 + 11 * k + 3)));
    }
    return ids;
}

void CheckAccelerators(const CRefRixMenu& menu, const std::vector<Command>& commands) {
    HACCEL table = menu.GetAccelerators();
    if (table == nullptr)
        return;
    const int count = CopyAcceleratorTableW(table, nullptr, 0);
    if (count < 1 || static_cast<size_t>(count) > commands.size())
        std::abort();
    std::vector<ACCEL> entries(static_cast<size_t>(count));
    CopyAcceleratorTableW(table, entries.data(), count);
    uint32_t previous = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const ACCEL& e = entries[i];
        if ((e.fVirt & (FVIRTKEY | FNOINVERT)) != (FVIRTKEY | FNOINVERT) || (e.fVirt & FALT))
            std::abort();
        const uint32_t code =
            e.key | ((e.fVirt & FCONTROL) ? 0x2000u : 0u) | ((e.fVirt & FSHIFT) ? 0x8000u : 0u);
        if (i > 0 && code <= previous)
            std::abort();
        previous = code;
        bool known = false;
        for (const Command& c : commands)
            known = known || c.id == e.cmd;
        if (!known)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<WCHAR> text = FuzzUnits(data, size);
    const size_t menusBefore = sim::LiveMenuCount();
    const size_t tablesBefore = sim::LiveAcceleratorTableCount();

    auto* menu = new CRefRixMenu();
    HMENU bar = menu->BuildFromText(text.data());
    if (!menu->IsBuilt() || bar != menu->GetMenuHandle())
        std::abort();
    if (bar == nullptr) {
        if (menu->GetItemCount() != 0 || menu->GetAccelerators() != nullptr ||
            !menu->GetDescription().IsEmpty() || sim::LiveMenuCount() != menusBefore ||
            sim::LiveAcceleratorTableCount() != tablesBefore)
            std::abort();
    } else {
        std::vector<Command> commands;
        CollectCommands(bar, commands);
        const std::vector<int64_t> expected = ExpectedCommandIds(text.data());
        if (static_cast<int64_t>(commands.size()) != menu->GetItemCount() ||
            commands.size() != expected.size())
            std::abort();
        for (size_t i = 0; i < commands.size(); ++i) {
            const auto index = static_cast<int64_t>(i);
            if (commands[i].id != expected[i] || menu->GetItemId(index) != expected[i] ||
                menu->GetItemPopup(index) != commands[i].popup)
                std::abort();
        }
        CheckAccelerators(*menu, commands);
        // Building the stored text again gives the same menu.
        HMENU again = menu->BuildFromText(nullptr);
        std::vector<Command> rebuilt;
        CollectCommands(again, rebuilt);
        if (again == nullptr || rebuilt.size() != commands.size())
            std::abort();
    }
    menu->Release();
    if (sim::LiveMenuCount() != menusBefore || sim::LiveAcceleratorTableCount() != tablesBefore)
        std::abort();
    return 0;
}
