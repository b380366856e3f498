#pragma once
// Colour references as the program gives them (red, green and blue intensities 0 to 255 packed
// as 0x00BBGGRR) and their use on Qt widgets: the text and background of a field are its
// palette's Text and Base roles.

#include <QColor>
#include <QWidget>

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Text and background of an enabled widget, whether it has the focus or not.
void SetWidgetColors(QWidget* widget, COLORREF text, COLORREF back);
