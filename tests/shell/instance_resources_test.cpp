// The resource services of the runtime instance on both backends: raw data and text resources
// (the same fixtures are real resources of the Windows test program and registered in the
// simulation on the host), icons, the failures that give null, the lazy start of GDI+, the
// monitor rectangle and the module base.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "runtime/core/rix_mem.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/instance_resources.h"
#include "runtime/shell/rix_app_instance.h"
#include "tests/support/image_files.h"
#include "tests/support/sim_only.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_resources.h"
#include "tests/support/utf8_text.h"

namespace {

class InstanceResources : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestResources(); }
    CRixAppInstance& instance = GetRixAppInstance();
};

std::vector<uint8_t> BufferBytes(const CRixMem& buffer) {
    const BYTE* p = buffer.GetDataPtr();
    return std::vector<uint8_t>(p, p + buffer.GetLength());
}

std::string Utf8(const CWString& text) {
    return Utf8Units(text.GetText(), static_cast<size_t>(text.GetLength()));
}

TEST_F(InstanceResources, TextResourcesWithAndWithoutByteOrderMark) {
    struct Case {
        int id;
        int result;
        const char* text;
    };
    const Case cases[] = {
        {KEYSEQ_RES_TEXT_BOM, 1, "键序台"},                   // the mark is not part of the text
        {KEYSEQ_RES_TEXT_PLAIN, 1, "A键"},                    // up to the first zero unit
        {KEYSEQ_RES_DATA, 1, "\xC8\x81\xD0\x83\xEF\xBC\x80"}, // any bytes read as UTF-16LE
        {0, 1, ""},                                           // no resource asked for
        {KEYSEQ_RES_MISSING, 0, ""},
    };
    for (const Case& c : cases) {
        CWString text(TEXT("old contents"));
        EXPECT_EQ(instance.LoadResourceText(c.id, text), c.result) << c.id;
        EXPECT_EQ(Utf8(text), c.text) << c.id;
    }
}

TEST_F(InstanceResources, DataResourceBytes) {
    CRixMem buffer;
    buffer.Append("stale", 5);
    ASSERT_EQ(instance.LoadResourceData(KEYSEQ_RES_DATA, buffer), 1);
    EXPECT_EQ(BufferBytes(buffer), (std::vector<uint8_t>{1, 2, 3, 4, 0, 0xFF}));
    // Only the low 16 bits of an identifier count.
    CRixMem high;
    ASSERT_EQ(instance.LoadResourceData(0x10000 + KEYSEQ_RES_DATA, high), 1);
    EXPECT_EQ(BufferBytes(high), BufferBytes(buffer));
}

TEST_F(InstanceResources, DataWithIdentifierZeroIsEmptyAndSucceeds) {
    CRixMem buffer;
    buffer.Append("stale", 5);
    EXPECT_EQ(instance.LoadResourceData(0, buffer), 1);
    EXPECT_EQ(buffer.GetLength(), 0);
}

TEST_F(InstanceResources, MissingDataFailsWithAnEmptyBuffer) {
    CRixMem buffer;
    buffer.Append("stale", 5);
    EXPECT_EQ(instance.LoadResourceData(KEYSEQ_RES_MISSING, buffer), 0);
    EXPECT_EQ(buffer.GetLength(), 0);
    // An icon of that number is not a raw-data resource.
    EXPECT_EQ(instance.LoadResourceData(KEYSEQ_RES_ICON, buffer), 0);
}

TEST_F(InstanceResources, PictureFixtureIsTheBitmapOfItsPixels) {
    using test_images::Rgba;
    CRixMem buffer;
    ASSERT_EQ(instance.LoadResourceData(KEYSEQ_RES_PICTURE, buffer), 1);
    const std::vector<Rgba> pixels = {{255, 0, 0, 255},     {0, 255, 0, 255}, {0, 0, 255, 255},
                                      {255, 255, 255, 255}, {0, 0, 0, 255},   {255, 0, 255, 255}};
    EXPECT_EQ(BufferBytes(buffer), test_images::Bmp24(3, 2, pixels));
}

TEST_F(InstanceResources, ImagesThatCannotBeHadAreNull) {
    struct Case {
        int kind;
        int id;
    };
    const Case cases[] = {
        {kResourceBitmap, 0},
        {kResourceCursor, 0},
        {kResourceIcon, 0},
        {kResourceImageList, 0},
        {kResourceBitmap, KEYSEQ_RES_MISSING},
        {kResourceImageList, KEYSEQ_RES_MISSING},
        {kResourceIcon, KEYSEQ_RES_MISSING},
        {kResourceCursor, KEYSEQ_RES_ICON}, // an icon is no cursor
        {kResourceBitmap, KEYSEQ_RES_NOT_PICTURE},
        {kResourceImageList, KEYSEQ_RES_NOT_PICTURE},
        {4, KEYSEQ_RES_PICTURE}, // no such kind
        {-1, KEYSEQ_RES_PICTURE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(instance.LoadResourceImage(c.kind, c.id), nullptr) << c.kind << " " << c.id;
}

TEST_F(InstanceResources, IconFromTheProgramsResources) {
    HANDLE icon = instance.LoadResourceImage(kResourceIcon, KEYSEQ_RES_ICON);
    ASSERT_NE(icon, nullptr);
    // A shared icon: the same handle as loading it directly.
    EXPECT_EQ(icon, LoadIconW(instance.GetInstanceHandle(), MAKEINTRESOURCEW(KEYSEQ_RES_ICON)));
}

TEST_F(InstanceResources, FileImages) {
    TempFolder folder;
    WString icoPath = folder / TEXT("one.ico");
    std::vector<uint8_t> ico = test_images::Ico16({200, 30, 40, 255});
    ASSERT_TRUE(TempFolder::WriteBytes(icoPath, std::string(ico.begin(), ico.end())));
    HANDLE icon = instance.LoadFileImage(kResourceIcon, icoPath.c_str());
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(DestroyIcon(static_cast<HICON>(icon)));

    WString missing = folder / TEXT("missing.ico");
    WString garbage = folder / TEXT("garbage.bmp");
    ASSERT_TRUE(TempFolder::WriteBytes(garbage, "not a picture at all"));
    for (int kind = kResourceBitmap; kind <= kResourceImageList; ++kind) {
        EXPECT_EQ(instance.LoadFileImage(kind, nullptr), nullptr) << kind;
        EXPECT_EQ(instance.LoadFileImage(kind, TEXT("")), nullptr) << kind;
        EXPECT_EQ(instance.LoadFileImage(kind, missing.c_str()), nullptr) << kind;
        EXPECT_EQ(instance.LoadFileImage(kind, garbage.c_str()), nullptr) << kind;
    }
}

TEST_F(InstanceResources, MemoryBitmapOfNothingOrUndecodableBytesIsNull) {
#if defined(KEYSEQ_PLATFORM_SIM)
    int blocks = sim::LiveGlobalBlocks();
#endif
    const char bytes[] = "not a picture at all";
    EXPECT_EQ(instance.LoadMemoryBitmap(nullptr, 10), nullptr);
    EXPECT_EQ(instance.LoadMemoryBitmap(bytes, 0), nullptr);
    EXPECT_EQ(instance.LoadMemoryBitmap(bytes, -1), nullptr);
    EXPECT_EQ(instance.LoadMemoryBitmap(bytes, sizeof bytes), nullptr);
#if defined(KEYSEQ_PLATFORM_SIM)
    EXPECT_EQ(sim::LiveGlobalBlocks(), blocks) << "the global block must be freed";
#endif
}

TEST_F(InstanceResources, GdiplusStartsOnceAndKeepsRunning) {
    ASSERT_EQ(instance.EnsureGdiplus(), 1);
    ULONG_PTR token = instance.GetGdiplusToken();
    EXPECT_NE(token, 0u);
    EXPECT_EQ(instance.EnsureGdiplus(), 1);
    EXPECT_EQ(instance.GetGdiplusToken(), token);
}

RECT PrimaryScreen() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

HWND TopLevelWindow(int x, int y) {
    static const WCHAR kClass[] = TEXT("KeyseqMonitorTestWindow");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc); // fails harmlessly when registered before
    return CreateWindowExW(0, kClass, TEXT("monitor"), WS_POPUP, x, y, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(MonitorRect, NullWindowIsThePrimaryScreenAtTheOrigin) {
    RECT screen = PrimaryScreen();
    EXPECT_GT(screen.right, 0);
    EXPECT_GT(screen.bottom, 0);
    ExpectRect(CRixAppInstance::GetMonitorRect(nullptr), screen, "null window");
}

TEST(MonitorRect, WindowGivesItsMonitorsWholeRectangle) {
    // One monitor (Wine's virtual display, the simulation's screen): wherever the window is,
    // its monitor, or the one nearest to it, is the whole screen, task bar included.
    HWND on = TopLevelWindow(10, 10);
    HWND off = TopLevelWindow(-5000, -5000);
    ASSERT_NE(on, nullptr);
    ASSERT_NE(off, nullptr);
    ExpectRect(CRixAppInstance::GetMonitorRect(on), PrimaryScreen(), "window on the screen");
    ExpectRect(CRixAppInstance::GetMonitorRect(off), PrimaryScreen(), "window off the screen");
    DestroyWindow(on);
    DestroyWindow(off);
}

#if defined(KEYSEQ_PLATFORM_SIM)
TEST(MonitorRect, FollowsTheSimulatedScreenSize) {
    HWND hwnd = TopLevelWindow(10, 10);
    ASSERT_NE(hwnd, nullptr);
    RECT before = PrimaryScreen();
    sim::SetScreenSize(1280, 800);
    ExpectRect(CRixAppInstance::GetMonitorRect(nullptr), RECT{0, 0, 1280, 800}, "null window");
    ExpectRect(CRixAppInstance::GetMonitorRect(hwnd), RECT{0, 0, 1280, 800}, "window");
    sim::SetScreenSize(before.right, before.bottom);
    DestroyWindow(hwnd);
}
#else
KEYSEQ_SIM_ONLY_TEST(MonitorRect, FollowsTheSimulatedScreenSize,
                     "sets the simulation's screen size")
#endif

TEST(ModuleBase, IsTheProgramsModule) {
    EXPECT_EQ(CRixAppInstance::GetModuleBase(), static_cast<void*>(GetModuleHandleW(nullptr)));
}

} // namespace
