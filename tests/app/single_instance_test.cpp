// One copy per session: a second start finds the running copy's main window, hands it the
// scheme named on its command line and brings it to the front; the running copy opens the
// scheme as the start-up does. The main window here is made as the start-up makes it; the
// "second start" is ClaimFirstCopyOrHandOver called in the same process, with a mutex name of
// this test process only (tests/e2e/single_instance.sh starts keyseq.exe twice under Wine).
#include "app/single_instance.h"

#include "runtime/ui/form.h"
#include "tests/app/main_form_fixture.h"

namespace main_form_test {
namespace {

using rg_lch_MFCjm_jb::CRixWinForm;

class SingleInstanceTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        name_ = TEXT("Local\\keyseq.test.first-copy.");
        for (DWORD id = GetCurrentProcessId(); id != 0; id /= 10)
            name_ += static_cast<WCHAR>(TEXT('0') + id % 10);
    }
    void TearDown() override {
        if (running_ != nullptr)
            CloseHandle(running_);
        MainFormTest::TearDown();
    }

    // The running copy's mark: the first copy's mutex, held by the test.
    void HoldMutex() {
        HANDLE claim = nullptr;
        ASSERT_EQ(ClaimFirstCopyOrHandOver(name_.c_str(), TEXT("keyseq.exe"), 0, &claim),
                  StartRole::kFirstCopy);
        ASSERT_NE(claim, nullptr);
        running_ = claim;
    }

    StartRole SecondStart(const WCHAR* command_line, DWORD wait_ms = 5000) {
        HANDLE claim = nullptr;
        StartRole role = ClaimFirstCopyOrHandOver(name_.c_str(), command_line, wait_ms, &claim);
        EXPECT_EQ(claim, nullptr) << "a second start keeps no mutex";
        if (claim != nullptr)
            CloseHandle(claim);
        return role;
    }

    WString name_;
    HANDLE running_ = nullptr;
};

TEST_F(SingleInstanceTest, TheFirstStartKeepsTheMutexAndALaterOneFindsIt) {
    HoldMutex();
    // Another copy is marked as running but shows no window: the second start gives up.
    EXPECT_EQ(SecondStart(TEXT("keyseq.exe"), 100), StartRole::kNoAnswer);
    CloseHandle(running_);
    running_ = nullptr;
    // The first copy ended: the name is free, and the next start is the first.
    HANDLE claim = nullptr;
    EXPECT_EQ(ClaimFirstCopyOrHandOver(name_.c_str(), TEXT("keyseq.exe"), 100, &claim),
              StartRole::kFirstCopy);
    EXPECT_NE(claim, nullptr);
    CloseHandle(claim);
}

TEST_F(SingleInstanceTest, ASecondStartHandsItsSchemeToTheRunningWindowAndBringsItForward) {
    WriteScheme(TEXT("a"), TEXT("A65"));
    WriteScheme(TEXT("my scheme"), TEXT("A65 D50~80 B1"));
    Open();
    HoldMutex();
    // Another program's window of the same title and class, in front of the main window: it
    // is not the program's main window and must be passed over.
    CRixWinForm other;
    other.GetFormWnd()->m_ClassName = CWString(rg_wdzhchk::kClassName);
    other.SetCaption(CWString(TEXT("键序台")));
    CreateParams params;
    params.x = params.y = 0;
    params.width = 200;
    params.height = 100;
    ASSERT_NE(other.CreateNativeWindow(params), 0);
    ShowWindow(hwnd_, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hwnd_));

    EXPECT_EQ(SecondStart(TEXT("keyseq.exe \"my scheme\"")), StartRole::kHandedOver);
    EXPECT_FALSE(IsIconic(hwnd_));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd_; }));
    ASSERT_TRUE(PumpUntil([&] { return StepList.GetCount() == 3; }));
    int selected = -1;
    Lines items = ComboItems(kSchemeBox, &selected);
    ASSERT_GE(selected, 0);
    EXPECT_EQ(items[static_cast<size_t>(selected)], TEXT("my scheme"));
    EXPECT_EQ(Codes(), (Lines{TEXT("A65"), TEXT("D50~80"), TEXT("B1")}));
    EXPECT_EQ(ListLines(), (Lines{TEXT("按键A"), TEXT("延时50~80"), TEXT("鼠标左键")}));
    EXPECT_EQ(GetWindowTextLengthW(other.GetSafeHwnd()), 3) << "the other window is untouched";
    DestroyWindow(other.GetSafeHwnd());
    PumpFor(20);
}

TEST_F(SingleInstanceTest, WithoutANameTheStepsStayAndAnUnknownNameIsSaid) {
    WriteScheme(TEXT("a"), TEXT("A65"));
    Open();
    HoldMutex();
    AddDelays({TEXT("70")});
    EXPECT_EQ(SecondStart(TEXT("keyseq.exe")), StartRole::kHandedOver);
    PumpFor(200);
    EXPECT_FALSE(window_->HasHandedOverScheme());
    EXPECT_EQ(Codes(), Lines{TEXT("D70")}) << "a start without a name only brings the window";

    ModalScript script;
    script.Message(kNotice, IDOK).Start();
    EXPECT_EQ(SecondStart(TEXT("keyseq.exe missing")), StartRole::kHandedOver);
    ASSERT_TRUE(PumpUntil([&] { return script.Answered() == 1 || script.Failed(); }));
    ASSERT_FALSE(script.Failed()) << script.Failure();
    EXPECT_EQ(script.MessageTexts(), Lines{TEXT("找不到方案“missing”，请在“使用方案”中选择。")});
}

TEST_F(SingleInstanceTest, WhileADialogOfTheWindowIsOpenTheSchemeWaits) {
    WriteScheme(TEXT("b"), TEXT("A66 A67"));
    Open();
    HoldMutex();
    AddDelays({TEXT("70")});
    // A dialog of the program disables its owner; loading under it would change the steps
    // that the dialog is about (a save's name is asked for the steps shown).
    EnableWindow(hwnd_, FALSE);
    EXPECT_EQ(SecondStart(TEXT("keyseq.exe b")), StartRole::kHandedOver);
    PumpFor(400); // past the command and a few clock ticks
    EXPECT_TRUE(window_->HasHandedOverScheme());
    EXPECT_EQ(Codes(), Lines{TEXT("D70")});
    EnableWindow(hwnd_, TRUE);
    ASSERT_TRUE(PumpUntil([&] { return StepList.GetCount() == 2; }));
    EXPECT_EQ(Codes(), (Lines{TEXT("A66"), TEXT("A67")}));
    EXPECT_FALSE(window_->HasHandedOverScheme());
}

struct Ending {
    HANDLE mutex;
    DWORD after_ms;
};

DWORD WINAPI EndLater(LPVOID param) {
    auto* ending = static_cast<Ending*>(param);
    Sleep(ending->after_ms);
    CloseHandle(ending->mutex);
    return 0;
}

TEST_F(SingleInstanceTest, ACopyThatEndsWhileTheSecondWaitsLeavesTheSecondToRun) {
    HoldMutex();
    Ending ending{running_, 150};
    running_ = nullptr;
    HANDLE thread = CreateThread(nullptr, 0, &EndLater, &ending, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    HANDLE claim = nullptr;
    EXPECT_EQ(ClaimFirstCopyOrHandOver(name_.c_str(), TEXT("keyseq.exe x"), 5000, &claim),
              StartRole::kFirstCopy);
    EXPECT_NE(claim, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    if (claim != nullptr)
        CloseHandle(claim);
}

TEST_F(SingleInstanceTest, DataOfAnotherTagOrShapeIsNotTaken) {
    Open();
    WCHAR odd[] = TEXT("ab");
    struct Case {
        ULONG_PTR tag;
        DWORD size;
        void* data;
    } const cases[] = {
        {rg_wdzhchk::kHandOverTag + 1, 4, odd}, // someone else's tag
        {rg_wdzhchk::kHandOverTag, 3, odd},     // half a unit
        {rg_wdzhchk::kHandOverTag, 4, nullptr}, // bytes promised, none given
    };
    for (const Case& c : cases) {
        COPYDATASTRUCT data{c.tag, c.size, c.data};
        EXPECT_EQ(SendMessageW(hwnd_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
        EXPECT_FALSE(window_->HasHandedOverScheme());
    }
    // No name: the window only comes forward.
    COPYDATASTRUCT ours{rg_wdzhchk::kHandOverTag, 0, nullptr};
    EXPECT_EQ(SendMessageW(hwnd_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&ours)),
              rg_wdzhchk::kHandOverAnswer);
    EXPECT_TRUE(window_->HasHandedOverScheme());
    ASSERT_TRUE(PumpUntil([&] { return !window_->HasHandedOverScheme(); }));
}

} // namespace
} // namespace main_form_test
