// The input dialog's two templates: 28675 with a sunken frame and a prompt above the field,
// 28676 with the field alone. Windows programs carry them as dialog resources compiled from
// input_dialog.rc; the simulation has no resource files, so RegisterInputDialogTemplates
// registers the same templates, built here, as the program's resources there.
#pragma once

#include "platform/platform.h"
#include "runtime/ui/input_dialog_ids.h"
#include "runtime/ui/native/dialog_template.h"

// Builds template id (IDD_INPUT_PROMPT or IDD_INPUT_PLAIN) into out; FALSE for another id.
BOOL BuildInputDialogTemplate(UINT id, CRixDialogTemplate& out);

// Makes the templates findable as RT_DIALOG resources of the program: a no-op on Windows,
// where they are compiled in; the simulation registers them (again) at every call.
void RegisterInputDialogTemplates();
