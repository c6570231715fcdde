// Message boxes of the simulated backend. Nobody sits in front of the simulation: a test
// installs an answerer that sees each box and chooses the button. Without one, the box is
// written to stderr (so a process that ends right after showing it leaves its text behind for
// a death test) and answered with its default button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_types.h"

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_ICONHAND 0x00000010L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION 0x00000040L
#define MB_ICONASTERISK MB_ICONINFORMATION
#define MB_DEFBUTTON2 0x00000100L
#define MB_TYPEMASK 0x0000000FL

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
// Plays nothing; the sound type is recorded (sim::MessageBeeps).
BOOL MessageBeep(UINT type);

namespace sim {

struct MessageBoxCall {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
};

// The answerer returns the button (IDOK, IDYES, ...). An empty function restores the default.
void SetMessageBoxAnswerer(std::function<int(const MessageBoxCall&)> answerer);

// The sound types of the MessageBeep calls so far, in order, and forgetting them.
std::vector<UINT> MessageBeeps();
void ClearMessageBeeps();

} // namespace sim
