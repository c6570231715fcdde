// Per-monitor DPI awareness of the process. The manifest declares it (version 2, else version
// 1); a program built without the manifest, or a system that did not take it, is set aware
// here at start-up, before the main window exists. Without it, a scaled monitor stretches the
// window and virtualises cursor positions, so a captured position would be replayed a few
// pixels off.
#pragma once

// Leaves a per-monitor aware process as it is; otherwise asks for version 2, then version 1.
// True when the process is per-monitor aware afterwards.
bool EnsurePerMonitorDpiAwareness();
