// The reference of the start-up benchmark (startup_winbench.cpp): a plain Win32 program that
// shows what keyseq.exe's main window shows, with nothing of ours between it and the system
// (no runtime, no window framework, no hooks): the same manifest (version 6 of the common
// controls, per-monitor DPI awareness) and icon, a window titled "startup reference" with a
// client area of 500 x 320 centred on the screen, and in it the main window's thirty controls
// in creation order, at the designed places of app/window/main_layout.cpp (96 DPI), with the
// same classes, styles, captions and fonts: the stock GUI font, and "宋体" of 12 points in the
// step list. The trigger and mouse boxes hold the same items, and a 100 ms timer runs as the
// main window's clock does. The window is shown as it is created, after its controls.
//
// The table below copies the layout's designed numbers on purpose, rather than reading
// main_layout.cpp: the reference must stay a program of plain calls.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

namespace {

constexpr const wchar_t* kClass = L"StartupReference";
constexpr int kClientWidth = 500;
constexpr int kClientHeight = 320;
constexpr UINT_PTR kClockTimer = 1;

enum Kind { kLabel, kCombo, kList, kEdit, kButton };

struct Control {
    Kind kind;
    int x, y, width, height;
    const wchar_t* caption;
    bool right;     // labels: right-aligned
    bool read_only; // edits: the key box
};

// clang-format off
const Control kControls[] = {
    {kLabel, 10, 10, 60, 24, L"触发按键：", false, false},
    {kLabel, 260, 10, 60, 24, L"使用方案：", false, false},
    {kLabel, 10, 45, 60, 24, L"操作步骤", false, false},
    {kLabel, 260, 70, 60, 24, L"按键：", true, false},
    {kLabel, 260, 110, 60, 24, L"鼠标：", true, false},
    {kLabel, 260, 150, 60, 24, L"延迟：", true, false},
    {kLabel, 260, 190, 60, 24, L"位置：", true, false},
    {kLabel, 130, 10, 60, 24, L"执行次数：", true, false},
    {kLabel, 90, 45, 60, 24, L"当前坐标：", true, false},
    {kLabel, 150, 45, 60, 24, L"", true, false},
    {kLabel, 260, 230, 60, 24, L"坐标：", true, false},
    {kLabel, 215, 45, 120, 24, L"按Pause捕获当前坐标", true, false},
    {kCombo, 70, 12, 50, 160, L"", false, false},
    {kCombo, 320, 12, 80, 160, L"", false, false},
    {kCombo, 320, 110, 80, 160, L"", false, false},
    {kList, 10, 70, 250, 245, L"", false, false},
    {kEdit, 320, 70, 80, 24, L"", false, true},
    {kEdit, 320, 150, 80, 24, L"50", false, false},
    {kEdit, 320, 190, 39, 24, L"-8", false, false},
    {kEdit, 360, 190, 40, 24, L"0", false, false},
    {kEdit, 190, 10, 60, 24, L"1", false, false},
    {kEdit, 320, 230, 39, 24, L"", false, false},
    {kEdit, 360, 230, 40, 24, L"", false, false},
    {kButton, 405, 69, 80, 28, L"添加按键", false, false},
    {kButton, 405, 109, 80, 28, L"添加鼠标", false, false},
    {kButton, 405, 149, 80, 28, L"添加延迟", false, false},
    {kButton, 405, 189, 80, 28, L"添加移动", false, false},
    {kButton, 405, 229, 80, 28, L"添加坐标", false, false},
    {kButton, 285, 265, 200, 45, L"保存本方案", false, false},
    {kButton, 405, 8, 80, 28, L"删除方案", false, false},
};
// clang-format on

HBRUSH g_white = nullptr;
HFONT g_list_font = nullptr;

HWND CreateControl(HWND parent, const Control& c, int id) {
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD style = child;
    DWORD ex_style = 0;
    const wchar_t* cls = L"STATIC";
    switch (c.kind) {
    case kLabel:
        style |= c.right ? SS_RIGHT : SS_LEFT;
        break;
    case kCombo:
        cls = L"COMBOBOX";
        style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL;
        break;
    case kList:
        cls = L"LISTBOX";
        style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
        ex_style = WS_EX_CLIENTEDGE;
        break;
    case kEdit:
        cls = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL | (c.read_only ? ES_READONLY : 0);
        ex_style = WS_EX_CLIENTEDGE;
        break;
    case kButton:
        cls = L"BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
        break;
    }
    HWND hwnd = CreateWindowExW(ex_style, cls, c.caption, style, c.x, c.y, c.width, c.height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr)
        return nullptr;
    HFONT font =
        c.kind == kList ? g_list_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return hwnd;
}

bool CreateControls(HWND parent) {
    LOGFONTW list{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(list), &list);
    list.lfHeight = 16; // 12 points at 96 DPI
    list.lfCharSet = DEFAULT_CHARSET;
    list.lfOutPrecision = 0;
    list.lfClipPrecision = 0;
    list.lfQuality = PROOF_QUALITY;
    list.lfPitchAndFamily = 0;
    lstrcpynW(list.lfFaceName, L"宋体", LF_FACESIZE);
    g_list_font = CreateFontIndirectW(&list);
    HWND combos[3] = {};
    int id = 1000;
    int combo = 0;
    for (const Control& c : kControls) {
        HWND hwnd = CreateControl(parent, c, id++);
        if (hwnd == nullptr)
            return false;
        if (c.kind == kCombo)
            combos[combo++] = hwnd;
    }
    for (int i = 1; i <= 12; ++i) {
        wchar_t name[4] = {L'F', static_cast<wchar_t>(i < 10 ? L'0' + i : L'1'),
                           static_cast<wchar_t>(i < 10 ? 0 : L'0' + i - 10), 0};
        SendMessageW(combos[0], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageW(combos[0], CB_SETCURSEL, 0, 0);
    for (const wchar_t* name : {L"左键", L"右键", L"中键"})
        SendMessageW(combos[2], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageW(combos[2], CB_SETCURSEL, 0, 0);
    return true;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        if (!CreateControls(hwnd))
            return -1;
        SetTimer(hwnd, kClockTimer, 100, nullptr);
        return 0;
    case WM_CTLCOLORSTATIC: // the labels on the white client area
        SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(g_white);
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kClockTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    g_white = CreateSolidBrush(RGB(255, 255, 255));

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(500));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = g_white;
    wc.lpszClassName = kClass;
    if (RegisterClassExW(&wc) == 0)
        return 1;

    const DWORD style =
        WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const DWORD ex_style = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND hwnd = CreateWindowExW(ex_style, kClass, L"startup reference", style, x, y, width, height,
                                nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr)
        return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(g_list_font);
    DeleteObject(g_white);
    return static_cast<int>(msg.wParam);
}
