// The replay engine: performs StepList a given number of times on a worker thread, injecting
// key presses, mouse clicks and cursor moves through the platform layer.
//
// StartReplay and StopReplay are called from the user-interface thread only (the trigger
// key). Each run has its own worker and its own stop request, so stopping one run never
// stops the next, and a new run may start while the stopped worker is still winding down.
// A worker is started before its run, and waits for it ready (PrepareReplay).
// Holds and delays keep to the run's timetable (app/replay/replay_schedule.h), so a long run lasts
// as long as its steps say. A stop cuts any hold or delay short; a key or button that was pressed
// when the stop came is still released, and nothing else is injected after it. Keys and buttons
// that "+" steps hold down stay down across steps and passes until a "-" step lets them go;
// whatever is still held when the run ends or is stopped is released then, so that no scheme
// leaves a key down. A shortcut step presses only those of its modifiers that no "+" step holds,
// and lets go of only those it pressed, so that a scheme's held Shift stays down around it.
//
// Every event the engine injects carries a mark as its extra information, so that a low-level
// hook can tell the run's own input from the user's: a key the scheme types, its trigger key
// among them, is never the user's trigger, and an Alt that the run holds is not the user's.
// A release that a stop made the engine send (or that a stop right at the end of its hold finds
// still to send) carries kReplayStopMark, so that it is also told from a key-up that is a step
// of the scheme (the trigger key released because of a stop must not start the scheme again);
// every other event carries kReplayInputMark.
//
// Every worker's injected input passes through the low-level hooks, which run on the
// user-interface thread: a worker that injects waits until that thread handles messages. So
// the user-interface thread must never block on a worker without handling them;
// StopReplayAndWait is the wait that does.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Length of the press of a key step and of a click step without a hold of their own.
constexpr uint32_t kReplayHoldMs = 50;

// The extra information of a key-up or button-up that a stop made the engine send. Chosen to be
// unlikely in another program's input.
constexpr ULONG_PTR kReplayStopMark = 0x4B53510F;
// The extra information of every other event the engine injects.
constexpr ULONG_PTR kReplayInputMark = 0x4B53510E;

// Whether an injected event's extra information is one of the engine's marks: the event is
// input of a run, not of the user.
constexpr bool IsReplayMark(ULONG_PTR extra) {
    return extra == kReplayInputMark || extra == kReplayStopMark;
}

// Starts a run of count passes over StepList and returns at once; count 0 or less gives a
// run that ends at once. A run that is still going is stopped first. The run goes to the
// worker that PrepareReplay made ready (made now if there is none), and the next run's worker
// is made ready at once.
void StartReplay(int32_t count);
// Makes a worker ready for the next run, unless one is: a thread that has already paid what
// its first input calls cost and waits for its run, so that a run starts without that cost.
// User-interface thread only; cheap when a worker is ready. StopReplayAndWait ends it.
void PrepareReplay();
// Requests the current run to stop and clears the running flag at once, without waiting.
void StopReplay();
// True from StartReplay until the run has done its passes or has been stopped.
bool IsReplayRunning();

// Where the current run is: the pass under way (1 for the first) and the run's pass count.
// False when no run is going, or before its first pass began. User-interface thread only, as
// StartReplay: the current run belongs to that thread; the pass is an atomic of the run that
// its worker sets as each pass begins, so a reader sees a pass that has begun, never a torn
// value.
bool GetReplayProgress(int32_t& pass, int32_t& count);

// The holds and delays of a run keep to a timetable carried from step to step
// (app/replay/replay_schedule.h): lateness is made up by shortening the next wait by at most this
// many milliseconds. For benchmarks: it applies to runs started after the call; 0 times every
// hold and delay from its own start, the reference against which drift is measured.
void SetReplayCatchUpLimit(uint32_t ms);

// Waits until every worker, the latest and any stopped one still winding down, has ended
// (true), or until timeout_ms have passed (false). It handles no messages, so a worker whose
// input waits for a hook on the calling thread cannot end meanwhile: for tests and benchmarks
// that pump themselves, or whose hooks live elsewhere. The trigger key never waits.
bool WaitForReplayWorker(DWORD timeout_ms);

// For closing the program: stops the current run (and any run that a handler starts while this
// waits), ends the worker waiting for the next run, then waits until every worker has ended,
// handling the messages sent to the calling thread meanwhile, the calls of its low-level hooks
// among them, so that the last release of a worker gets through even when the caller is the hook
// thread. Posted messages stay queued. True when every worker has ended, false when timeout_ms
// passed first. Not for use inside a hook procedure: the worker that waits for its answer could not
// go on.
bool StopReplayAndWait(DWORD timeout_ms = INFINITE);
