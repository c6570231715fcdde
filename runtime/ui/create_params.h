// CreateParams: the creation record that a caller fills and passes to CreateNativeWindow.
// Style, extended style, caption and font are filled by FillCreateParams.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class CRixWnd;
class CRefRixMenu;

// A position or size that is not given (forms and containers compute it).
constexpr int32_t kUnsetCoordinate = INT32_MIN;

struct CreateParams {
    CRixWnd* parent = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Child window id; the application passes 0xFFFF for every control.
    int32_t id = 0xFFFF;
    DWORD style = 0;
    DWORD exStyle = 0;
    const WCHAR* caption = nullptr;
    CRefRixMenu* menu = nullptr; // forms only
    int32_t modal = 0;           // forms only
    int32_t plainFrame = 0;      // forms only
    int32_t modalResult = 0;     // forms only
    HFONT font = nullptr;
};
