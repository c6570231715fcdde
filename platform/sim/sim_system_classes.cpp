// The system window classes of the simulated backend: the standard controls that the
// framework creates by class name, each with a window procedure of its own.
#include "platform/sim/sim_button.h"
#include "platform/sim/sim_user_state.h"

namespace sim::detail {

void AddSystemClasses(UserState& user) {
    struct SystemClass {
        const WCHAR* name;
        WNDPROC proc;
        int extra;
    };
    const SystemClass classes[] = {
        {u"Button", &SimButtonProc, kButtonExtraBytes},
    };
    for (const SystemClass& c : classes) {
        auto record = std::make_shared<WindowClass>();
        record->name = c.name;
        record->wc.cbSize = sizeof(WNDCLASSEXW);
        record->wc.style = CS_DBLCLKS;
        record->wc.lpfnWndProc = c.proc;
        record->wc.cbWndExtra = c.extra;
        record->atom = user.next_atom++;
        user.classes.emplace(FoldCase(c.name), record);
    }
}

} // namespace sim::detail
