#pragma once

#include "layout/layouttarget.h"
#include "layout/screenlayout.h"

#include <QStringList>

// Puts a stored screen layout onto the public screen or the designer, element by element
// in the order the records come: title, bar, the eleven panels, the screen's colour, then
// the background picture. An empty value leaves the element as designed, and an element the
// target does not have is passed over, so a partly damaged table still gives a usable
// screen. A background picture that cannot be shown is listed in problems (may be nullptr),
// worded like the reader's, and the screen keeps the picture it has.
class LayoutApplier
{
public:
    static void apply(const ScreenLayout &layout, LayoutTarget &target,
                      QStringList *problems = nullptr);
};
