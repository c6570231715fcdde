// The main window's control table: its rules name only controls created earlier and give the
// designed places, the controls of each kind sit where the window's fields expect them, and
// the layout fits the designed client area.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/window/main_layout.h"

namespace {

TEST(MainLayoutTest, RulesNameEarlierControlsAndGiveTheDesignedPlaces) {
    for (int n = 1; n <= kMainControlCount; ++n) {
        const ControlLayout& c = LayoutOf(n);
        for (const LayoutCoord* coord : {&c.x, &c.y}) {
            if (coord->anchor != LayoutCoord::kFixed) {
                EXPECT_GE(coord->ref, 1) << "control " << n;
                EXPECT_LT(coord->ref, n) << "control " << n << " names a later control";
            }
        }
        int32_t x = ResolveCoord(c.x, DesignedEdge);
        int32_t y = ResolveCoord(c.y, DesignedEdge);
        EXPECT_EQ(x, c.designedX) << "control " << n;
        EXPECT_EQ(y, c.designedY) << "control " << n;
    }
}

TEST(MainLayoutTest, RulesFollowTheActualControls) {
    // A key box one pixel wider moves the four buttons beside it one pixel right.
    auto edge = [](int number, LayoutCoord::Anchor anchor) {
        int32_t e = DesignedEdge(number, anchor);
        return number == kKeyBox && anchor == LayoutCoord::kRightOf ? e + 1 : e;
    };
    for (int n : {kAddKeyButton, kAddMouseButton, kAddDelayButton, kAddMoveButton})
        EXPECT_EQ(ResolveCoord(LayoutOf(n).x, edge), 406) << "control " << n;
    EXPECT_EQ(ResolveCoord(LayoutOf(kAddCoordButton).x, edge), 405);
}

TEST(MainLayoutTest, KindsAreInTheOrderOfTheWindowsFields) {
    for (int n = 1; n <= kMainControlCount; ++n) {
        ControlKind expected = n <= 12   ? ControlKind::kLabel
                               : n <= 15 ? ControlKind::kComboBox
                               : n == 16 ? ControlKind::kListBox
                               : n <= 23 ? ControlKind::kEditBox
                                         : ControlKind::kButton;
        EXPECT_EQ(LayoutOf(n).kind, expected) << "control " << n;
        EXPECT_EQ(LayoutOf(n).rightAligned, n >= 4 && n <= 12) << "control " << n;
    }
    EXPECT_EQ(LayoutOf(kKeyBox).inputMode, 1);
    EXPECT_EQ(LayoutOf(kDelayBox).inputMode, 0);
    EXPECT_EQ(LayoutOf(kCountBox).inputMode, 7);
    for (int n : {kMoveXBox, kMoveYBox, kCoordXBox, kCoordYBox})
        EXPECT_EQ(LayoutOf(n).inputMode, 3) << "control " << n;
}

TEST(MainLayoutTest, FitsTheDesignedClientArea) {
    int32_t right = 0;
    int32_t bottom = 0;
    for (int n = 1; n <= kMainControlCount; ++n) {
        const ControlLayout& c = LayoutOf(n);
        EXPECT_LE(c.designedX + c.width, kMainDesignWidth) << "control " << n;
        EXPECT_LE(c.designedY + c.height, kMainDesignHeight) << "control " << n;
        if (c.kind == ControlKind::kButton)
            right = std::max(right, c.designedX + c.width);
        bottom = std::max(bottom, c.designedY + c.height);
    }
    EXPECT_EQ(right, 485);
    EXPECT_EQ(LayoutOf(kSaveButton).designedY + LayoutOf(kSaveButton).height, 310);
    EXPECT_EQ(bottom, 315); // the step list box
}

} // namespace
