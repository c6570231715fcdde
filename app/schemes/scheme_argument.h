// The scheme named on the program's command line: `keyseq.exe NAME` starts with the scheme
// NAME picked, so that a desktop shortcut or a scheduled task opens the program ready to
// replay. Only the first argument is read, split from the command line by the system's rules
// (CommandLineToArgvW: a name with blanks comes in quotes); any further argument is ignored.
#pragma once

#include "platform/platform.h"
#include "runtime/core/wstring.h"

// The first argument after the program name, or the empty text when there is none (an empty
// argument, "", names nothing either).
CWString SchemeArgument(const WCHAR* command_line);
