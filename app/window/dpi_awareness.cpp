// Setting the process per-monitor DPI aware when the manifest did not.
#include "app/window/dpi_awareness.h"

#include "platform/platform.h"

namespace {

bool PerMonitorAware() {
    return GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
           DPI_AWARENESS_PER_MONITOR_AWARE;
}

} // namespace

bool EnsurePerMonitorDpiAwareness() {
    if (PerMonitorAware())
        return true;
    // Version 2 also scales the frame and the common controls' own parts; systems before it
    // refuse the context with ERROR_INVALID_PARAMETER.
    if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    return PerMonitorAware();
}
