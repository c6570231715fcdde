// The replay engine: performs StepList a given number of times on a worker thread, injecting
// key presses, mouse clicks and cursor moves through the platform layer.
//
// StartReplay and StopReplay are called from the user-interface thread only (the trigger
// key). Each run has its own worker and its own stop request, so stopping one run never
// stops the next, and a new run may start while the stopped worker is still winding down.
// A stop cuts any hold or delay short; a key or button that was pressed when the stop came is
// still released, and nothing else is injected after it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Length of the press of a key step and of a click step.
constexpr uint32_t kReplayHoldMs = 50;

// Starts a run of count passes over StepList and returns at once; count 0 or less gives a
// run that ends at once. A run that is still going is stopped first.
void StartReplay(int32_t count);
// Requests the current run to stop and clears the running flag at once, without waiting.
void StopReplay();
// True from StartReplay until the run has done its passes or has been stopped.
bool IsReplayRunning();

// Waits until the worker of the latest run has ended (true), or until timeout_ms have passed
// (false). For shutdown, tests and benchmarks; the trigger key never waits.
bool WaitForReplayWorker(DWORD timeout_ms);
