#pragma once

#include <QColor>

// Colours as the installation stores them: a 32-bit whole number laid out as 0x00BBGGRR,
// shown and typed in the dialogs as decimal text (white is 16777215).
class ColorValue
{
public:
    static constexpr qint32 White = 0xFFFFFF;

    // Values outside 0 to 16777215 carry no colour of this layout (the old platform put its
    // system colours there, with the top bit set): they give an invalid QColor, and whoever
    // applies one keeps the colour the element already has.
    static bool isValid(qint32 value) { return value >= 0 && value <= White; }
    static QColor toColor(qint32 value);
    // An invalid colour gives 0, black, as the colour choosers of the old platform did.
    static qint32 fromColor(const QColor &color);
};
