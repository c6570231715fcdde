// The runtime's debug-trace routine. Release builds of the program discard every trace text:
// a trace has no visible effect. A test may install a sink to read the texts.
#pragma once

#include "platform/platform.h"

typedef void (*DebugTraceSink)(const WCHAR* text);

void DebugTrace(const WCHAR* text);
// Installs a sink (null removes it); answers the previous one. Safe from any thread.
DebugTraceSink SetDebugTraceSink(DebugTraceSink sink);
