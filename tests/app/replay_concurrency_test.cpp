// A run while the user-interface thread adds, moves and deletes steps. Built for every
// backend and run under TSan by scripts/test (the suite name says Concurrency): the worker
// and the editing thread share StepList only through its lock, and the running flag only
// atomically.
#include <gtest/gtest.h>

#include "app/replay/replay_engine.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"

namespace {

TEST(ReplayConcurrencyTest, EditingWhileARunReadsTheList) {
    StepList.Clear();
    // Only cursor placements and zero delays: quick steps, so the worker fetches constantly,
    // and nothing that a desktop would notice.
    StepList.LoadFromText(TEXT("E1@1 D0 C1@0 E2@2"));
    StartReplay(100000);
    for (int round = 0; round < 2000 && IsReplayRunning(); ++round) {
        switch (round % 5) {
        case 0:
            StepList.Append(TEXT("E3@3"));
            break;
        case 1:
            StepList.Swap(0, StepList.GetCount() - 1);
            break;
        case 2:
            StepList.RemoveAt(round % 4);
            break;
        case 3:
            StepList.Append(TEXT("D0"));
            break;
        default:
            StepList.LoadFromText(TEXT("C-1@0 E4@4 D0"));
            break;
        }
    }
    EXPECT_TRUE(IsReplayRunning()) << "100000 passes outlast the edits";
    StopReplay();
    EXPECT_FALSE(IsReplayRunning());
    EXPECT_TRUE(WaitForReplayWorker(10000));
    StepList.Clear();
}

TEST(ReplayConcurrencyTest, StartAndStopInQuickSuccession) {
    StepList.Clear();
    StepList.LoadFromText(TEXT("D-1"));
    for (int i = 0; i < 50; ++i) {
        StartReplay(1);
        EXPECT_TRUE(IsReplayRunning());
        StopReplay();
        EXPECT_FALSE(IsReplayRunning());
    }
    EXPECT_TRUE(WaitForReplayWorker(10000));
    StepList.Clear();
}

} // namespace
