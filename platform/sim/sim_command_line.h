// The process command line in the simulated backend, and its splitting into arguments.
//
// The simulated process has the command line that a test gives it (sim::SetCommandLine),
// by default the program's path in quotes. CommandLineToArgvW splits a text as the system's
// does: the first argument is the program name, taken up to the first blank or, when it
// begins with a quote, up to the next quote, with no other rule; then arguments are
// separated by blanks (space and tab) outside quotes, a quote opens or closes a quoted
// stretch, 2n backslashes before a quote give n backslashes, 2n + 1 give n and a literal
// quote, backslashes elsewhere are literal, and a quote doubled inside a quoted stretch is a
// literal quote that closes the stretch. The result is one block, the pointers followed by
// the texts, freed with LocalFree.
#pragma once

#include <string>

#include "platform/sim/sim_types.h"

typedef HANDLE HLOCAL;

LPWSTR GetCommandLineW();
// Null with ERROR_INVALID_PARAMETER when count is null. An empty text gives the program's
// path as the one argument.
LPWSTR* CommandLineToArgvW(LPCWSTR command_line, int* count);
// Frees a block that CommandLineToArgvW made; null when freed.
HLOCAL LocalFree(HLOCAL block);

namespace sim {

// The text GetCommandLineW answers from now on.
void SetCommandLine(const std::u16string& command_line);

} // namespace sim
