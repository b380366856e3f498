#pragma once
// What the component pages share beyond the page protocol: a number as they show it, and the
// places of their rows and record boxes on the shared page builder.

#include "common/ui/PageLayout.h"
#include "platform/CString.h"

// A number as the pages show it, two decimals rounded as the test file rounds; nothing for a
// value that is no number.
CString RealText(double value);

// A column of the component pages: label at x, its edit two units after it, a button three units
// after the edit.
constexpr ColumnGeometry CompColumn(int x, int labelWidth, int editWidth)
{
    return {.x = x, .labelWidth = labelWidth, .editWidth = editWidth, .editGap = 2, .buttonWidth = 40};
}

// The record box at the right of the component, configuration and instrumentation pages.
inline constexpr BoxItem kCompRecordBox[] = {
    {BoxPart::Group, 0, 0, 92, 168},
    {BoxPart::List, 8, 14, 76, 90},
    {BoxPart::Remove, 8, 108, 18, 14},
    {BoxPart::Next, 66, 108, 18, 14},
    {BoxPart::RemoveText, 4, 126, 84, 18},
    {BoxPart::Retain, 4, 144, 84, 22},
};
