// The seven edit boxes of the main window: application-wide objects, constructed at program
// start right after StepList (app/app_globals.cpp) and destroyed at exit. They are created as
// children of the main window and used only by it, on the user-interface thread.
#pragma once

#include "app/window/main_layout.h"
#include "runtime/ui/edit.h"

// In this order: key box, delay box, move X box, move Y box, execution-count box,
// coordinate X box, coordinate Y box (the layout's controls kKeyBox … kCoordYBox).
extern rg_lch_MFCjm_jb::rg_bjk MainEditBoxes[kEditBoxCount];
