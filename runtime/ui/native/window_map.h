// CRixWindowMap: which window object stands for which window handle. Our window procedure
// looks the object up here for every message; reflection looks up the child's object here.
//
// Main thread only: every window of the framework is created, used and destroyed on the
// user-interface thread, so the map has no lock.
#pragma once

#include "platform/platform.h"

class CRixWnd;

class CRixWindowMap {
public:
    // The object bound to hwnd, or null.
    static CRixWnd* Find(HWND hwnd);
    // Binds hwnd to wnd, replacing any earlier binding.
    static void Add(HWND hwnd, CRixWnd* wnd);
    // Forgets hwnd if it is bound to wnd.
    static void Remove(HWND hwnd, CRixWnd* wnd);
};
