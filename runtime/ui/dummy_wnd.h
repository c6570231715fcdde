// CRWnd_Dummy: the native window of the framework's invisible helper windows (window class
// "RixDummyWnd"). It does nothing of its own beyond routing input to its listener.
#pragma once

#include "runtime/ui/listener_wnd.h"

class CRWnd_Dummy : public CRixListenerWnd {};
