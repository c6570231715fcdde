// The recorder fed with events: which events count, the delays between them, the compaction of
// a press and its release into one step, the positions and paths of the mouse, and the
// releases at the stop. Times are given in microseconds on a counter of 1 MHz.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input/recorder.h"
#include "tests/support/utf8_text.h"

namespace {

constexpr int64_t kFrequency = 1000000;
constexpr int32_t kTrigger = 112; // F1

struct Ev {
    InputKind kind;
    int32_t code;
    double ms;
    int32_t x = 0;
    int32_t y = 0;
    bool injected = false;
};

Ev Down(int32_t vk, double ms) {
    return {InputKind::KeyDown, vk, ms};
}
Ev Up(int32_t vk, double ms) {
    return {InputKind::KeyUp, vk, ms};
}
Ev BDown(int32_t b, double ms, int32_t x, int32_t y) {
    return {InputKind::ButtonDown, b, ms, x, y};
}
Ev BUp(int32_t b, double ms, int32_t x, int32_t y) {
    return {InputKind::ButtonUp, b, ms, x, y};
}
Ev Move(double ms, int32_t x, int32_t y) {
    return {InputKind::Move, 0, ms, x, y};
}
Ev Injected(Ev e) {
    e.injected = true;
    return e;
}

InputEvent ToInput(const Ev& e) {
    InputEvent event;
    event.kind = e.kind;
    event.code = e.code;
    event.x = e.x;
    event.y = e.y;
    event.injected = e.injected;
    // An arbitrary counter origin: only differences count.
    event.time = 987654321 + static_cast<int64_t>(e.ms * 1000 + 0.5);
    return event;
}

std::vector<std::string> Narrowed(const std::vector<CWString>& codes) {
    std::vector<std::string> out;
    for (const CWString& code : codes)
        out.push_back(Utf8(code.GetText()));
    return out;
}

// Records the events from start to stop; the codes made.
std::vector<std::string> Record(const std::vector<Ev>& events) {
    CRecorder recorder;
    recorder.Start(kTrigger, kFrequency);
    for (const Ev& e : events)
        recorder.Feed(ToInput(e));
    recorder.Stop();
    return Narrowed(recorder.TakeSteps());
}

using Codes = std::vector<std::string>;

struct Case {
    const char* name;
    std::vector<Ev> events;
    Codes codes;
};

constexpr int32_t kA = 'A', kB = 'B', kShift = 16, kCtrl = 17, kLShift = 0xA0, kRShift = 0xA1,
                  kLCtrl = 0xA2, kRCtrl = 0xA3, kLAlt = 0xA4, kRAlt = 0xA5, kScrLk = 145,
                  kPause = 19;

TEST(Recorder, TurnsEventsIntoSteps) {
    const Case cases[] = {
        {"a tap is one step with its hold", {Down(kA, 0), Up(kA, 80)}, {"A65@80"}},
        {"the pause between two taps is a delay",
         {Down(kA, 0), Up(kA, 50), Down(kB, 350), Up(kB, 420)},
         {"A65@50", "D300", "A66@70"}},
        {"a delay of 0 is no step",
         {Down(kA, 0), Up(kA, 50), Down(kB, 50.2), Up(kB, 90)},
         {"A65@50", "A66@40"}},
        {"a modifier around a key: its own press and release",
         {Down(kShift, 0), Down(kA, 20), Up(kA, 60), Up(kShift, 80)},
         {"A16+", "D20", "A65@40", "D20", "A16-"}},
        {"left and right modifiers are the generic keys",
         {Down(kLShift, 0), Down(kRCtrl, 10), Down(kRAlt, 20), Up(kRAlt, 30), Up(kRCtrl, 40),
          Up(kLShift, 50)},
         {"A16+", "D10", "A17+", "D10", "A18@10", "D10", "A17-", "D10", "A16-"}},
        {"overlapping keys released in another order",
         {Down(kA, 0), Down(kB, 10), Up(kA, 30), Up(kB, 40)},
         {"A65+", "D10", "A66+", "D20", "A65-", "D10", "A66-"}},
        {"auto-repeat key-downs are no events",
         {Down(kA, 0), Down(kA, 30), Down(kA, 60), Up(kA, 100)},
         {"A65@100"}},
        {"Scroll Lock, Pause and the trigger are not recorded and come between nothing",
         {Down(kA, 0), Down(kPause, 10), Up(kPause, 20), Down(kTrigger, 25), Up(kTrigger, 30),
          Down(kScrLk, 35), Up(kScrLk, 40), Up(kA, 50)},
         {"A65@50"}},
        {"injected events are ignored and come between nothing",
         {Down(kA, 0), Injected(Down(kB, 10)), Injected(Up(kB, 20)), Injected(BDown(1, 25, 5, 5)),
          Injected(BUp(1, 26, 5, 5)), Up(kA, 50)},
         {"A65@50"}},
        {"a release whose press came before the recording is none",
         {Up(kShift, 0), Down(kA, 100), Up(kA, 150)},
         {"A65@50"}},
        {"delays are rounded from the first event, so they add up to the whole",
         {Down(kA, 0), Up(kA, 0.4), Down(kB, 0.8), Up(kB, 1.2), Down(kA, 1.6), Up(kA, 2.0)},
         {"A65@0", "D1", "A66@0", "D1", "A65@0"}},
        {"a click: its position first, then one step with the hold",
         {BDown(1, 0, 100, 200), BUp(1, 70, 100, 200)},
         {"E100@200", "B1@70"}},
        {"a second click in place needs no position; one elsewhere does",
         {BDown(1, 0, 100, 200), BUp(1, 70, 100, 200), BDown(2, 500, 100, 200),
          BUp(2, 560, 100, 200), BDown(3, 800, -40, 7), BUp(3, 850, -40, 7)},
         {"E100@200", "B1@70", "D430", "B2@60", "D240", "E-40@7", "B3@50"}},
        {"moves without a button held are not recorded",
         {Move(0, 5, 5), Down(kA, 10), Move(20, 6, 6), Up(kA, 30), Move(40, 7, 7)},
         {"A65@20"}},
        {"a drag: its path at most one point per 16 ms, ending where it ended",
         {BDown(1, 0, 10, 10), Move(5, 20, 10), Move(16, 30, 10), Move(20, 40, 10),
          Move(40, 50, 10), Move(45, 50, 10), Move(50, 55, 10), BUp(1, 60, 55, 10)},
         {"E10@10", "B1+", "D16", "E30@10", "D24", "E50@10", "D20", "E55@10", "B1-"}},
        {"a release away from the press, with no recorded move, is a drag",
         {BDown(1, 0, 10, 10), Move(5, 12, 10), BUp(1, 8, 14, 10)},
         {"E10@10", "B1+", "D8", "E14@10", "B1-"}},
        {"a key pressed during a drag",
         {BDown(1, 0, 0, 0), Down(kShift, 10), Move(30, 9, 9), Up(kShift, 40), BUp(1, 50, 9, 9)},
         {"E0@0", "B1+", "D10", "A16+", "D20", "E9@9", "D10", "A16-", "D10", "B1-"}},
        {"the stop releases what is still down, the latest pressed first",
         {Down(kCtrl, 0), BDown(1, 10, 3, 4), Down(kA, 20)},
         {"A17+", "D10", "E3@4", "B1+", "D10", "A65+", "A65-", "B1-", "A17-"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Record(c.events), c.codes) << c.name;
}

// Both sides of a modifier held across each other: the generic key goes down with the first
// side and up with the last, at their true times; the presses and releases between make no
// step. (Before, the second side's press passed for auto-repeat and its release for a key
// pressed before the recording, so Shift went up with the first side.)
TEST(Recorder, BothSidesOfAModifierHeldAcrossEachOther) {
    const Case cases[] = {
        {"left down, right down, left up, right up",
         {Down(kLShift, 0), Down(kRShift, 10), Up(kLShift, 20), Up(kRShift, 30)},
         {"A16@30"}},
        {"the same with a key typed in between",
         {Down(kLShift, 0), Down(kRShift, 10), Down(kA, 15), Up(kA, 18), Up(kLShift, 20),
          Down(kB, 25), Up(kB, 27), Up(kRShift, 30)},
         {"A16+", "D15", "A65@3", "D7", "A66@2", "D3", "A16-"}},
        {"one side inside the other",
         {Down(kRCtrl, 0), Down(kLCtrl, 10), Up(kLCtrl, 20), Down(kA, 25), Up(kA, 30),
          Up(kRCtrl, 40)},
         {"A17+", "D25", "A65@5", "D10", "A17-"}},
        {"auto-repeat of both sides",
         {Down(kLAlt, 0), Down(kRAlt, 5), Down(kLAlt, 10), Down(kRAlt, 15), Up(kRAlt, 20),
          Up(kLAlt, 50)},
         {"A18@50"}},
        {"the generic code reported beside a side counts as a side",
         {Down(kShift, 0), Down(kLShift, 10), Up(kShift, 20), Up(kLShift, 30)},
         {"A16@30"}},
        {"two modifiers, each with both sides",
         {Down(kLShift, 0), Down(kRCtrl, 10), Down(kRShift, 20), Down(kLCtrl, 30), Up(kLShift, 40),
          Up(kRCtrl, 50), Up(kRShift, 60), Up(kLCtrl, 70)},
         {"A16+", "D10", "A17+", "D50", "A16-", "D10", "A17-"}},
        {"the stop releases the generic key once while both sides are down",
         {Down(kLShift, 0), Down(kRShift, 10), Down(kA, 20)},
         {"A16+", "D20", "A65+", "A65-", "A16-"}},
        {"a side released after the other was released is a press of its own again",
         {Down(kLShift, 0), Up(kLShift, 10), Down(kRShift, 20), Up(kRShift, 30)},
         {"A16@10", "D10", "A16@10"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Record(c.events), c.codes) << c.name;
}

// Input that went to the program's own windows: events fed as such, mixed with the others.
struct Fed {
    Ev event;
    bool own = false;
};
Fed Own(Ev e) {
    return {e, true};
}

std::vector<std::string> RecordFed(const std::vector<Fed>& events) {
    CRecorder recorder;
    recorder.Start(kTrigger, kFrequency);
    for (const Fed& f : events) {
        if (f.own)
            recorder.FeedOwn(ToInput(f.event));
        else
            recorder.Feed(ToInput(f.event));
    }
    recorder.Stop();
    return Narrowed(recorder.TakeSteps());
}

// Clicking our own button and typing a name into our own dialog during a recording records
// none of it; the time from the first to the last of that input is left out of the delays.
TEST(Recorder, InputToOurOwnWindowsIsNotRecordedAndItsTimeIsLeftOut) {
    const struct {
        const char* name;
        std::vector<Fed> events;
        Codes codes;
    } cases[] = {
        {"a click and typing in our windows between two taps",
         {{Down(kA, 0)},
          {Up(kA, 50)},
          Own(BDown(1, 1000, 5, 5)),
          Own(BUp(1, 1100, 5, 5)),
          Own(Down(kB, 3000)),
          Own(Up(kB, 3050)),
          Own(Down(13, 9000)),
          Own(Up(13, 9040)),
          {Down(kA, 9500)},
          {Up(kA, 9550)}},
         // 950 ms to our window, 460 ms back: 1410; the 8040 ms in between are left out.
         {"A65@50", "D1410", "A65@50"}},
        {"input to our windows before the first recorded event shifts nothing",
         {Own(Down(kB, 0)),
          Own(Up(kB, 30)),
          {Down(kA, 500)},
          {Up(kA, 550)},
          {Down(kA, 650)},
          {Up(kA, 700)}},
         {"A65@50", "D100", "A65@50"}},
        {"a press recorded outside is released inside: the release is recorded",
         {{Down(kShift, 0)},
          Own(BDown(1, 100, 5, 5)),
          Own(BUp(1, 200, 5, 5)),
          Own(Up(kShift, 300))},
         {"A16@200"}},
        {"a button pressed outside and released over our window",
         {{BDown(1, 0, 10, 10)}, Own(BUp(1, 40, 10, 10))},
         {"E10@10", "B1@40"}},
        {"a drag from outside across our window keeps its path",
         {{BDown(1, 0, 10, 10)}, Own(Move(20, 30, 10)), Own(BUp(1, 40, 30, 10))},
         {"E10@10", "B1+", "D20", "E30@10", "D20", "B1-"}},
        {"a press inside released outside is nothing",
         {{Down(kA, 0)},
          {Up(kA, 10)},
          Own(Down(kB, 100)),
          {Up(kB, 200)},
          {Down(kA, 300)},
          {Up(kA, 310)}},
         {"A65@10", "D290", "A65@10"}},
        {"injected input to our windows is ignored as any injected input",
         {{Down(kA, 0)},
          {Up(kA, 10)},
          Own(Injected(Down(kB, 100))),
          {Down(kA, 300)},
          {Up(kA, 310)}},
         {"A65@10", "D290", "A65@10"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecordFed(c.events), c.codes) << c.name;
}

TEST(Recorder, StepsComeAsTheEventsDecideThem) {
    CRecorder recorder;
    recorder.Start(kTrigger, kFrequency);
    recorder.Feed(ToInput(Down(kA, 0)));
    // The press waits for the next event to choose between @ and +.
    EXPECT_FALSE(recorder.HasSteps());
    recorder.Feed(ToInput(Up(kA, 40)));
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A65@40"}));
    recorder.Feed(ToInput(Down(kB, 100)));
    // The delay is known at once.
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"D60"}));
    recorder.Feed(ToInput(Down(kShift, 110)));
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A66+", "D10"}));
    recorder.Stop();
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A16+", "A16-", "A66-"}));
    EXPECT_FALSE(recorder.IsRecording());
}

TEST(Recorder, RecordsNothingOutsideARecording) {
    CRecorder recorder;
    recorder.Feed(ToInput(Down(kA, 0)));
    recorder.Feed(ToInput(Up(kA, 10)));
    EXPECT_FALSE(recorder.HasSteps());
    recorder.Start(kTrigger, kFrequency);
    recorder.Feed(ToInput(Down(kA, 20)));
    recorder.Stop();
    recorder.Feed(ToInput(Up(kA, 30)));
    recorder.Feed(ToInput(Down(kB, 40)));
    recorder.Stop();
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A65+", "A65-"}));
}

TEST(Recorder, ASecondRecordingStartsAfresh) {
    CRecorder recorder;
    recorder.Start(kTrigger, kFrequency);
    recorder.Feed(ToInput(BDown(1, 0, 50, 60)));
    recorder.Feed(ToInput(BUp(1, 10, 50, 60)));
    recorder.Stop();
    recorder.TakeSteps();
    // No delay from the last recording, and the position is not taken as known.
    recorder.Start(kTrigger, kFrequency);
    recorder.Feed(ToInput(BDown(1, 5000, 50, 60)));
    recorder.Feed(ToInput(BUp(1, 5020, 50, 60)));
    recorder.Stop();
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"E50@60", "B1@20"}));
}

TEST(Recorder, TheTriggerKeyCanChangeDuringARecording) {
    CRecorder recorder;
    recorder.Start(kTrigger, kFrequency);
    recorder.SetTriggerKey(116); // F5
    recorder.Feed(ToInput(Down(116, 0)));
    recorder.Feed(ToInput(Up(116, 10)));
    recorder.Feed(ToInput(Down(kTrigger, 20)));
    recorder.Feed(ToInput(Up(kTrigger, 30)));
    recorder.Stop();
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A112@10"}));
}

TEST(Recorder, LongHoldsAndPausesAreCutToTheLargestStepValue) {
    // 30 days at 10 MHz: neither the tick arithmetic nor the step value may overflow.
    CRecorder recorder;
    recorder.Start(kTrigger, 10000000);
    InputEvent down = ToInput(Down(kA, 0));
    InputEvent up = down;
    up.kind = InputKind::KeyUp;
    up.time = down.time + 30LL * 86400 * 10000000;
    recorder.Feed(down);
    recorder.Feed(up);
    recorder.Stop();
    EXPECT_EQ(Narrowed(recorder.TakeSteps()), (Codes{"A65@2147483647"}));
}

} // namespace
