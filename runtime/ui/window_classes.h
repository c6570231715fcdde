// The framework's own window classes, "RixContainer", "RixLabel" and "RixDummyWnd": class
// style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, the arrow cursor, a null background brush, no
// icon or menu. Each is registered on first use, unless the application instance has it.
//
// Their window procedure is RixWndProc, so that a window of these classes is bound to its
// window object from its first message on.
#pragma once

#include "platform/platform.h"

inline constexpr const WCHAR* kContainerClass = TEXT("RixContainer");
inline constexpr const WCHAR* kLabelClass = TEXT("RixLabel");
inline constexpr const WCHAR* kDummyWndClass = TEXT("RixDummyWnd");

// Registers the named class if the instance does not have it; FALSE when registration fails.
BOOL RegisterFrameworkClass(const WCHAR* name);
