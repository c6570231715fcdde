// Registration of the framework's window classes.
#include "runtime/ui/window_classes.h"

#include "runtime/ui/native/window_proc.h"

BOOL RegisterFrameworkClass(const WCHAR* name) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, name, &wc))
        return TRUE;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &RixWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 ? TRUE : FALSE;
}
