// The application-wide objects, defined in one place so that they are constructed in the
// order the program relies on: the step list, then the seven edit boxes. The runtime instance
// and the memory pool exist before them (they are initialised first); the startup object and
// its main window are created later, when the application object starts.
#include "app/window/main_edit_boxes.h"
#include "app/steps/step_list.h"

CStepList StepList;

rg_lch_MFCjm_jb::rg_bjk MainEditBoxes[kEditBoxCount];
