// One item of a menu description text: the eleven lines that describe it and the rules that
// make it valid.
//
// A description text is a version line ("1") followed by groups of eleven lines, one group
// per item: level, caption, second text (unused), command id, tag, shortcut key name, then
// the flags Ctrl, Shift, separator, check mark and disabled, each exactly "1" or "0".
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/core/mstring_array.h"

constexpr int64_t kMenuItemLines = 11;

// What ParseItem reads from an item's lines. The texts point into the lines they came from.
struct MenuItemFields {
    int64_t level = 0;
    const WCHAR* caption = nullptr;
    int64_t id = 0;
    const WCHAR* tag = nullptr;
    // Virtual-key code plus 0x2000 for Ctrl and 0x8000 for Shift; 0 without a shortcut.
    uint32_t keyCode = 0;
    bool separator = false;
    bool checked = false;
    bool disabled = false;
};

// Reads the item whose lines begin at index i of lines (already split and trimmed) into item.
// Answers the index after the item, or -1 when the item is invalid: fewer than eleven lines
// left, a negative level, a flag line that is not exactly "1" or "0", and unless the item is a
// separator an empty caption, an id outside 1 to 65535, or a shortcut that names no key.
int64_t ParseItem(const CMStringArray& lines, int64_t i, MenuItemFields& item);

// The decimal value of the line at index i; -1 when there is no such line.
int64_t MenuLineValue(const CMStringArray& lines, int64_t i);
