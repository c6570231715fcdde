// The main window's control table. Fixed places are the designed pixels of the client area;
// rule places name an earlier control, and the numbers in the last two columns are what the
// rules give at the designed sizes.
#include "app/window/main_layout.h"

namespace {

using A = LayoutCoord;
constexpr LayoutCoord At(int32_t v) {
    return {A::kFixed, 0, v};
}
constexpr LayoutCoord RightOf(int ref, int32_t offset = 0) {
    return {A::kRightOf, ref, offset};
}
constexpr LayoutCoord LeftOf(int ref, int32_t offset = 0) {
    return {A::kLeftOf, ref, offset};
}
constexpr LayoutCoord TopOf(int ref, int32_t offset = 0) {
    return {A::kTopOf, ref, offset};
}

constexpr ControlKind L = ControlKind::kLabel;
constexpr ControlKind C = ControlKind::kComboBox;
constexpr ControlKind B = ControlKind::kButton;
constexpr ControlKind E = ControlKind::kEditBox;

} // namespace

// clang-format off
const ControlLayout kMainLayout[kMainControlCount] = {
    // kind  x                         y                          w    h   caption                    mode right  designed
    {L, At(10),                    At(10),                    60,  24, TEXT("触发按键："),          0, false,  10,  10},
    {L, At(260),                   At(10),                    60,  24, TEXT("使用方案："),          0, false, 260,  10},
    {L, At(10),                    At(45),                    60,  24, TEXT("操作步骤"),            0, false,  10,  45},
    {L, At(260),                   At(70),                    60,  24, TEXT("按键："),              0, true,  260,  70},
    {L, At(260),                   At(110),                   60,  24, TEXT("鼠标："),              0, true,  260, 110},
    {L, At(260),                   At(150),                   60,  24, TEXT("延迟："),              0, true,  260, 150},
    {L, At(260),                   At(190),                   60,  24, TEXT("位置："),              0, true,  260, 190},
    {L, At(130),                   At(10),                    60,  24, TEXT("执行次数："),          0, true,  130,  10},
    {L, RightOf(kStepsLabel, 20),  TopOf(kStepsLabel),        60,  24, TEXT("当前坐标："),          0, true,   90,  45},
    {L, RightOf(kPositionCaptionLabel), TopOf(kPositionCaptionLabel), 60, 24, TEXT(""),           0, true,  150,  45},
    {L, At(260),                   At(230),                   60,  24, TEXT("坐标："),              0, true,  260, 230},
    {L, RightOf(kPositionLabel, 5), TopOf(kPositionLabel),    120, 24, TEXT("按Pause捕获当前坐标"), 0, true,  215,  45},
    {C, At(70),                    At(12),                    50,  24, TEXT(""),                    0, false,  70,  12},
    {C, At(320),                   At(12),                    80,  24, TEXT(""),                    0, false, 320,  12},
    {C, At(320),                   At(110),                   80,  24, TEXT(""),                    0, false, 320, 110},
    {ControlKind::kListBox, At(10), At(70),                   250, 245, TEXT(""),                   0, false,  10,  70},
    {E, RightOf(kKeyLabel),        TopOf(kKeyLabel),          80,  24, TEXT(""),                    1, false, 320,  70},
    {E, RightOf(kDelayLabel),      TopOf(kDelayLabel),        80,  24, TEXT("50"),                  0, false, 320, 150},
    {E, RightOf(kMoveLabel),       TopOf(kMoveLabel),         39,  24, TEXT("-8"),                  3, false, 320, 190},
    {E, LeftOf(kMoveXBox, 40),     TopOf(kMoveLabel),         40,  24, TEXT("0"),                   3, false, 360, 190},
    {E, RightOf(kCountLabel),      TopOf(kCountLabel),        60,  24, TEXT("1"),                   7, false, 190,  10},
    {E, RightOf(kCoordLabel),      TopOf(kCoordLabel),        39,  24, TEXT(""),                    3, false, 320, 230},
    {E, LeftOf(kCoordXBox, 40),    TopOf(kCoordXBox),         40,  24, TEXT(""),                    3, false, 360, 230},
    {B, RightOf(kKeyBox, 5),       TopOf(kKeyBox, -1),        80,  28, TEXT("添加按键"),            0, false, 405,  69},
    {B, RightOf(kKeyBox, 5),       TopOf(kMouseBox, -1),      80,  28, TEXT("添加鼠标"),            0, false, 405, 109},
    {B, RightOf(kKeyBox, 5),       TopOf(kDelayBox, -1),      80,  28, TEXT("添加延迟"),            0, false, 405, 149},
    {B, RightOf(kKeyBox, 5),       TopOf(kMoveXBox, -1),      80,  28, TEXT("添加移动"),            0, false, 405, 189},
    {B, RightOf(kCoordYBox, 5),    TopOf(kCoordYBox, -1),     80,  28, TEXT("添加坐标"),            0, false, 405, 229},
    {B, LeftOf(kCoordLabel, 25),   TopOf(kCoordXBox, 35),     200, 45, TEXT("保存本方案"),          0, false, 285, 265},
    {B, RightOf(kSchemeBox, 5),    TopOf(kSchemeBox, -4),     80,  28, TEXT("删除方案"),            0, false, 405,   8},
};
// clang-format on

int32_t ResolveCoord(const LayoutCoord& coord, const ControlEdge& edge) {
    if (coord.anchor == LayoutCoord::kFixed)
        return coord.offset;
    return edge(coord.ref, coord.anchor) + coord.offset;
}

int32_t DesignedEdge(int number, LayoutCoord::Anchor anchor) {
    const ControlLayout& c = LayoutOf(number);
    switch (anchor) {
    case LayoutCoord::kLeftOf:
        return c.designedX;
    case LayoutCoord::kRightOf:
        return c.designedX + c.width;
    case LayoutCoord::kTopOf:
        return c.designedY;
    default:
        return 0;
    }
}
