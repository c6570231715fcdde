// Firing one bound event through its binding (spin lock, copy of the three fields, a counted
// hold on the target while the handler runs, the call) against a plain virtual call that does
// the same work in the handler.
#include "runtime/ui/event_binding.h"

#include <benchmark/benchmark.h>

#include "bench/support/ratio.h"
#include "runtime/core/rix_object.h"

namespace {

int64_t Handler(CRixObject*, CRixObject*, int32_t, int64_t a1, int64_t, int64_t) {
    return a1 + 1;
}

struct Listener {
    virtual ~Listener() = default;
    virtual int64_t OnEvent(int64_t a1) = 0;
};
struct Handling : Listener {
    int64_t OnEvent(int64_t a1) override { return a1 + 1; }
};

void BM_EventFire(benchmark::State& state) {
    CRixObject owner;
    CRixObject sender;
    auto* pointer = new CRixObjectPointer(&owner);
    {
        EventBinding binding;
        binding.Bind(&Handler, pointer);
        int64_t i = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(binding.Fire(&sender, i++));
        }
    }
    pointer->DetachOwner();
}
BENCHMARK(BM_EventFire);

void BM_VirtualCall(benchmark::State& state) {
    Handling handling;
    Listener* listener = &handling;
    int64_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(listener);
        benchmark::DoNotOptimize(listener->OnEvent(i++));
    }
}
BENCHMARK(BM_VirtualCall);

BENCH_RATIO("BM_EventFire", "BM_VirtualCall", "report");

} // namespace
