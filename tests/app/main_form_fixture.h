// The fixture of the main window's tests (tests/app/main_form_*_test.cpp): the window made as
// the start-up class makes it, driven through its real controls on both backends. Input goes
// through the system's input stream (on the host the simulation's): keys with keybd_event,
// clicks with SendInput at a control's middle, so the hook, the pre-translation, the dialog
// manager and the controls all take part.
//
// The scheme folder is the real one beside the test program; every test starts without it and
// leaves none behind.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include <string>
#include <vector>

#include "app/window/main_edit_boxes.h"
#include "app/window/main_form.h"
#include "app/replay/replay_engine.h"
#include "app/schemes/scheme_files.h"
#include "app/steps/step_list.h"
#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/shell/external_functions.h"
#include "runtime/shell/path.h"
#include "runtime/shell/win_app.h"
#include "tests/support/modal_script.h"
#include "tests/support/popup_menu_answer.h"
#include "tests/support/temp_folder.h"

namespace main_form_test {

using rg_lch_jxt::rg_wdzhchk;
using Lines = std::vector<WString>;

// A key, or keys held together, typed into the key box.
struct KeyBoxCase {
    std::vector<BYTE> keys; // pressed down in order, released in reverse
    const WCHAR* shown;     // what the box shows, and the line after "按键"
    int64_t code;           // the code the box holds
};

// Pumps the thread's messages as the application's loop does (pre-translation up the parent
// chain, where the controls' key and mouse events fire, then translation and dispatch) until
// a condition holds or a generous time limit passes.
template <typename Condition> bool PumpUntil(Condition done, DWORD limit_ms = 5000) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!WalkPreTranslateTree(nullptr, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (done())
            return true;
        if (GetTickCount64() - start > limit_ms)
            return false;
        Sleep(1);
    }
}

// Pumps for a while regardless, so that late events have a chance to show up.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

inline constexpr const WCHAR* kNotice = TEXT("提示信息");
inline constexpr const WCHAR* kNameTitle = TEXT("方案名称");

inline void Key(BYTE vk, DWORD flags) {
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), flags, 0);
}

inline void Press(BYTE vk) {
    Key(vk, 0);
    Key(vk, KEYEVENTF_KEYUP);
}

inline void Mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

// The middle of a window on the screen.
inline POINT Middle(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Clicks near the middle of a window; consecutive clicks land 16 pixels apart, so that two
// quick ones are never taken as a double click.
inline void ClickAt(HWND hwnd, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    static bool left = false;
    left = !left;
    POINT p = Middle(hwnd);
    SetCursorPos(p.x + (left ? -8 : 8), p.y);
    Mouse(down);
    Mouse(up);
}

inline WString Wide(const std::string& ascii) {
    return WString(ascii.begin(), ascii.end());
}

inline WString Text(HWND hwnd) {
    WCHAR text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

// Removes the scheme folder and the files and folders in it.
inline void RemoveFolder(const WString& folder) {
    WString base = folder;
    if (!base.empty() && base.back() != TEXT('\\') && base.back() != TEXT('/'))
        base.push_back(TEXT('\\'));
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((base + TEXT("*")).c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            WString name = data.cFileName;
            if (name == TEXT(".") || name == TEXT(".."))
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(base + name);
            else {
                // A test may leave a file read-only, which would not go otherwise.
                SetFileAttributesW((base + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW((base + name).c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// UTF-16LE with the byte-order mark, as a scheme file holds it.
inline std::string SchemeBytes(const WString& text) {
    std::string bytes = "\xFF\xFE";
    for (WCHAR unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

class MainFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(BindExternalFunctions(libraries()), 1); }
    static void TearDownTestSuite() { FreeLoadedLibraries(libraries()); }
    static CRixMem& libraries() {
        static CRixMem m;
        return m;
    }

    void SetUp() override {
        folder_ = SchemeFolder().GetText();
        RemoveFolder(folder_);
        StepList.Clear();
    }

    void TearDown() override {
        Close();
        StopReplayAndWait(5000);
        StepList.Clear();
        RemoveFolder(folder_);
    }

    // Creates the window as the start-up class does and gives it the keyboard.
    void Open() {
        window_ = new rg_wdzhchk();
        window_->SetCaption(CWString(TEXT("键序台")));
        CreateParams params;
        params.x = params.y = params.width = params.height = kUnsetCoordinate;
        ASSERT_NE(window_->CreateNativeWindow(params), 0);
        hwnd_ = window_->GetSafeHwnd();
        ASSERT_NE(hwnd_, nullptr);
        SetForegroundWindow(hwnd_);
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd_; }));
    }

    void Close() {
        if (window_ == nullptr)
            return;
        if (IsWindow(hwnd_))
            DestroyWindow(hwnd_);
        PumpFor(50);
        delete window_;
        window_ = nullptr;
        // The edit boxes are the program's globals: fresh ones for the next window.
        for (auto& box : MainEditBoxes)
            box.Reset();
    }

    HWND Hwnd(int number) { return window_->Control(number).GetSafeHwnd(); }
    WString Caption(int number) { return window_->Control(number).GetCaption().GetText(); }
    void SetText(int number, const WCHAR* text) {
        window_->Control(number).SetCaption(CWString(text));
    }

    // Types the case into the emptied key box, checks what it shows and holds, appends it with
    // the add button, and adds the code and the line expected for it.
    void TypeAndAdd(const KeyBoxCase& c, Lines& codes, Lines& lines) {
        SetText(kKeyBox, TEXT("?"));
        SetFocus(Hwnd(kKeyBox));
        for (BYTE k : c.keys)
            Key(k, 0);
        for (auto k = c.keys.rbegin(); k != c.keys.rend(); ++k)
            Key(*k, KEYEVENTF_KEYUP);
        EXPECT_TRUE(PumpUntil([&] { return Caption(kKeyBox) == c.shown; }))
            << Narrow(c.shown) << " shows " << Narrow(Caption(kKeyBox));
        EXPECT_EQ(MainEditBoxes[0].GetData(), c.code) << Narrow(c.shown);
        ASSERT_TRUE(AddBy(kAddKeyButton, StepList.GetCount() + 1)) << Narrow(c.shown);
        codes.push_back(Wide("A" + std::to_string(c.code)));
        lines.push_back(WString(TEXT("按键")) + c.shown);
    }

    // Clicks a button and pumps until the step list has `count` steps.
    bool AddBy(int button, int64_t count) {
        ClickAt(Hwnd(button));
        return PumpUntil([&] { return StepList.GetCount() == count; });
    }

    Lines ListLines() {
        Lines lines;
        HWND list = Hwnd(kStepListBox);
        LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR line[256] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            lines.push_back(line);
        }
        return lines;
    }
    Lines Codes() {
        Lines codes;
        for (int64_t i = 0; i < StepList.GetCount(); ++i)
            codes.push_back(StepList.GetAt(i).GetText());
        return codes;
    }
    int Selected() {
        return static_cast<int>(SendMessageW(Hwnd(kStepListBox), LB_GETCURSEL, 0, 0));
    }
    void Select(int line) {
        SendMessageW(Hwnd(kStepListBox), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    }

    Lines ComboItems(int number, int* selected = nullptr) {
        HWND box = Hwnd(number);
        Lines items;
        LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            WCHAR item[256] = {};
            SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        if (selected != nullptr)
            *selected = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
        return items;
    }

    // Picks a combo box entry as a user's choice ends: the selection, then CBN_SELENDOK to the
    // parent, which the combo box turns into its SelChanged event.
    void Pick(int number, int index) {
        HWND box = Hwnd(number);
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(box));
    }

    WString SchemePath(const WCHAR* name) { return folder_ + name + TEXT(".txt"); }
    void WriteScheme(const WCHAR* name, const WString& text) {
        CreateDirectoryW(folder_.c_str(), nullptr);
        ASSERT_TRUE(TempFolder::WriteBytes(SchemePath(name), SchemeBytes(text)));
    }

    // Several steps through the buttons: each delay text in turn, added with 添加延迟.
    void AddDelays(std::initializer_list<const WCHAR*> texts) {
        for (const WCHAR* text : texts) {
            SetText(kDelayBox, text);
            ASSERT_TRUE(AddBy(kAddDelayButton, StepList.GetCount() + 1));
        }
    }

    WString folder_;
    rg_wdzhchk* window_ = nullptr;
    HWND hwnd_ = nullptr;
};

} // namespace main_form_test
