// The resource functions on both backends: the test program's raw-data fixtures are real
// resources on Windows and registered in the simulation on the host.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"
#include "tests/support/test_resources.h"

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestResources(); }
};

TEST_F(Resources, FindLoadLockAndSize) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(KEYSEQ_RES_DATA), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(KEYSEQ_RES_DATA), RT_RCDATA), found)
        << "a null module is the program";
    HGLOBAL loaded = LoadResource(module, found);
    ASSERT_NE(loaded, nullptr);
    const void* data = LockResource(loaded);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(SizeofResource(module, found), 6u);
    const unsigned char expected[] = {1, 2, 3, 4, 0, 0xFF};
    EXPECT_EQ(std::memcmp(data, expected, 6), 0);
    FreeResource(loaded);
}

TEST_F(Resources, MissingNamesAndTypes) {
    HMODULE module = GetModuleHandleW(nullptr);
    SetLastError(0);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(KEYSEQ_RES_MISSING), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(KEYSEQ_RES_DATA), MAKEINTRESOURCEW(4242)),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST_F(Resources, SharedIcons) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(KEYSEQ_RES_ICON));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(KEYSEQ_RES_ICON)), icon);
    EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(KEYSEQ_RES_MISSING)), nullptr);
    HICON application = LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_NE(application, nullptr);
    EXPECT_NE(application, icon);
    EXPECT_NE(LoadCursorW(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorW(instance, MAKEINTRESOURCEW(KEYSEQ_RES_ICON)), nullptr)
        << "an icon is no cursor";
}

} // namespace
