// The designed layout of the main window: the thirty controls in creation order, each with its
// kind, place, size, caption, input mode and alignment, in one table. A place may be given by a
// rule ("right of label 3 + 20"): the rule is resolved when the control is created, from the
// actual edges of the control it names, so the window follows the real controls rather than
// copies of their numbers. The numbers are pixels at 96 DPI; the window scales them to its
// own DPI (app/window/main_form_dpi.cpp).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/platform.h"

enum class ControlKind : uint8_t { kLabel, kComboBox, kListBox, kEditBox, kButton };

// The controls by their number in the table (1-based, creation order).
enum ControlNumber : int {
    kTriggerLabel = 1,
    kSchemeLabel = 2,
    kStepsLabel = 3,
    kKeyLabel = 4,
    kMouseLabel = 5,
    kDelayLabel = 6,
    kMoveLabel = 7,
    kCountLabel = 8,
    kPositionCaptionLabel = 9,
    kPositionLabel = 10,
    kCoordLabel = 11,
    kPauseHintLabel = 12,
    kTriggerBox = 13,
    kSchemeBox = 14,
    kMouseBox = 15,
    kStepListBox = 16,
    kKeyBox = 17,
    kDelayBox = 18,
    kMoveXBox = 19,
    kMoveYBox = 20,
    kCountBox = 21,
    kCoordXBox = 22,
    kCoordYBox = 23,
    kAddKeyButton = 24,
    kAddMouseButton = 25,
    kAddDelayButton = 26,
    kAddMoveButton = 27,
    kAddCoordButton = 28,
    kSaveButton = 29,
    kDeleteButton = 30,
};

inline constexpr int kMainControlCount = 30;
inline constexpr int kLabelCount = 12;
inline constexpr int kComboBoxCount = 3;
inline constexpr int kEditBoxCount = 7;
inline constexpr int kButtonCount = 7;

// The designed client size of the main window.
inline constexpr int32_t kMainDesignWidth = 500;
inline constexpr int32_t kMainDesignHeight = 320;

// One coordinate: a fixed value, or an edge of an earlier control plus an offset.
struct LayoutCoord {
    enum Anchor : uint8_t { kFixed, kLeftOf, kRightOf, kTopOf };
    Anchor anchor = kFixed;
    int ref = 0; // the control whose edge counts (a ControlNumber); unused when fixed
    int32_t offset = 0;
};

struct ControlLayout {
    ControlKind kind;
    LayoutCoord x;
    LayoutCoord y;
    int32_t width;
    int32_t height;
    const WCHAR* caption; // given with SetCaption right after creation; empty for none
    int32_t inputMode;    // edit boxes: the edit's input mode
    bool rightAligned;    // labels: alignment 2 instead of the default left
    // Where the rules put the control when every control has its designed place and size.
    int32_t designedX;
    int32_t designedY;
};

// The table, indexed by ControlNumber - 1.
extern const ControlLayout kMainLayout[kMainControlCount];

inline const ControlLayout& LayoutOf(int number) {
    return kMainLayout[number - 1];
}

// The actual edge of a created control: (control number, anchor) → pixels.
using ControlEdge = std::function<int32_t(int, LayoutCoord::Anchor)>;

// Resolves a coordinate: a fixed value as it is, a rule from the edge the callback reports.
int32_t ResolveCoord(const LayoutCoord& coord, const ControlEdge& edge);

// The edges that the designed table gives (for the layout's own check and for tests).
int32_t DesignedEdge(int number, LayoutCoord::Anchor anchor);
