// Debug traces go nowhere unless a sink is installed.
#include "runtime/shell/debug_trace.h"

#include <atomic>

namespace {
// Read by whatever thread traces, written by the test that installs a sink.
std::atomic<DebugTraceSink> g_sink{nullptr};
} // namespace

void DebugTrace(const WCHAR* text) {
    if (DebugTraceSink sink = g_sink.load(std::memory_order_acquire))
        sink(text);
}

DebugTraceSink SetDebugTraceSink(DebugTraceSink sink) {
    return g_sink.exchange(sink, std::memory_order_acq_rel);
}
