// The calls by which a second start of the program finds the first copy and hands it a name,
// on both backends: a named mutex tells whether the name is taken, FindWindowExW walks the
// top-level windows of one title, and WM_COPYDATA carries bytes to a window, sent with a time
// limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/platform/test_window.h"

namespace {

using keyseq_test::TestWindows;

// A name of this test process only, so that a test run beside another finds nothing of it.
std::basic_string<WCHAR> MutexName(const char* what) {
    std::basic_string<WCHAR> name = TEXT("Local\\keyseq.test.");
    for (const char* c = what; *c != 0; ++c)
        name += static_cast<WCHAR>(*c);
    name += TEXT('.');
    for (DWORD id = GetCurrentProcessId(); id != 0; id /= 10)
        name += static_cast<WCHAR>(TEXT('0') + id % 10);
    return name;
}

TEST(NamedMutex, ASecondCreateFindsTheFirstUntilEveryHandleIsClosed) {
    const auto name = MutexName("taken");
    SetLastError(ERROR_INVALID_PARAMETER);
    HANDLE first = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    HANDLE second = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_NE(second, first) << "a handle of its own to the same object";

    // While one handle is open the name stays taken.
    ASSERT_TRUE(CloseHandle(first));
    HANDLE third = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    ASSERT_TRUE(CloseHandle(second));
    ASSERT_TRUE(CloseHandle(third));

    // Every handle closed: the name is free again.
    HANDLE again = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(again);
}

TEST(NamedMutex, NamesDifferByEveryUnitAndUnnamedOnesShareNothing) {
    const auto name = MutexName("case");
    HANDLE lower = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(lower, nullptr);
    auto other = name;
    other[other.size() - 1] = static_cast<WCHAR>(other.back() == TEXT('1') ? TEXT('2') : TEXT('1'));
    HANDLE different = CreateMutexW(nullptr, FALSE, other.c_str());
    ASSERT_NE(different, nullptr);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    HANDLE a = CreateMutexW(nullptr, FALSE, nullptr);
    HANDLE b = CreateMutexW(nullptr, FALSE, nullptr);
    ASSERT_TRUE(a && b);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    for (HANDLE h : {lower, different, a, b})
        CloseHandle(h);
}

class SingleCopyWindows : public TestWindows {};

TEST_F(SingleCopyWindows, FindWindowExWalksTheTopLevelWindowsOfOneTitle) {
    constexpr const WCHAR* kTitle = TEXT("Keyseq one title");
    HWND a = Create(WS_POPUP, nullptr, 0, 0, 10, 10, kTitle);
    HWND b = Create(WS_POPUP, nullptr, 0, 0, 10, 10, kTitle);
    HWND other = Create(WS_POPUP, nullptr, 0, 0, 10, 10, TEXT("Keyseq another title"));
    HWND child = Create(WS_CHILD, a, 0, 0, 5, 5, kTitle);
    ASSERT_TRUE(a && b && other && child);

    std::vector<HWND> found;
    for (HWND hwnd = FindWindowExW(nullptr, nullptr, kClassName, kTitle); hwnd != nullptr;
         hwnd = FindWindowExW(nullptr, hwnd, kClassName, kTitle)) {
        found.push_back(hwnd);
        ASSERT_LE(found.size(), 2u) << "the walk must end";
    }
    ASSERT_EQ(found.size(), 2u) << "both top-level windows, not the child";
    EXPECT_NE(found[0], found[1]);
    for (HWND hwnd : found)
        EXPECT_TRUE(hwnd == a || hwnd == b);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, TEXT("Keyseq no such class"), kTitle), nullptr);
}

TEST_F(SingleCopyWindows, CopyDataCarriesTheBytesAndTheAnswerBack) {
    std::vector<WCHAR> seen;
    ULONG_PTR tag = 0;
    handler = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m != WM_COPYDATA)
            return std::nullopt;
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
        tag = data->dwData;
        const auto* units = static_cast<const WCHAR*>(data->lpData);
        seen.assign(units, units + data->cbData / sizeof(WCHAR));
        return 1234;
    };
    HWND hwnd = Create(WS_POPUP, nullptr, 0, 0, 10, 10, TEXT("Keyseq copy data"));
    ASSERT_NE(hwnd, nullptr);
    WCHAR text[] = TEXT("方案 one");
    COPYDATASTRUCT data{77, sizeof(text) - sizeof(WCHAR), text};
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                  SMTO_ABORTIFHUNG, 1000, &answer),
              0);
    EXPECT_EQ(answer, 1234u);
    EXPECT_EQ(tag, 77u);
    EXPECT_EQ(std::basic_string<WCHAR>(seen.begin(), seen.end()), TEXT("方案 one"));
}

struct Busy {
    HWND hwnd = nullptr;
    HANDLE created = nullptr;
    HANDLE release = nullptr;
};

DWORD WINAPI BusyThread(LPVOID param) {
    auto* busy = static_cast<Busy*>(param);
    busy->hwnd = CreateWindowExW(0, TestWindows::kClassName, TEXT("Keyseq busy"), WS_POPUP, 0, 0,
                                 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetEvent(busy->created);
    // Handles no message until released: a window whose thread does not answer.
    WaitForSingleObject(busy->release, INFINITE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    DestroyWindow(busy->hwnd);
    return 0;
}

TEST_F(SingleCopyWindows, ASendToAThreadThatDoesNotAnswerGivesUpAtItsTimeLimit) {
    Busy busy;
    busy.created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    busy.release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, &BusyThread, &busy, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(busy.created, INFINITE);
    ASSERT_NE(busy.hwnd, nullptr);

    COPYDATASTRUCT data{1, 0, nullptr};
    DWORD_PTR answer = 99;
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutW(busy.hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                  SMTO_NORMAL, 100, &answer),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));

    SetEvent(busy.release);
    WaitForSingleObject(thread, INFINITE);
    for (HANDLE h : {thread, busy.created, busy.release})
        CloseHandle(h);
}

} // namespace
