#pragma once

#include "layout/layouttarget.h"
#include "layout/screenlayout.h"

#include <QStringList>

// Puts a stored screen layout onto the public screen or the designer, element by element
// in the order the records come: title, bar, the eleven panels, the screen's colour, then
// the background picture. An empty value leaves the element as designed, and an element the
// target does not have is passed over, so a partly damaged table still gives a usable
// screen.
class LayoutApplier
{
public:
    // A background picture that cannot be shown only goes to the log: the screen keeps the
    // picture it has and still opens, as it always has, without a box in front of it. So
    // nothing is added to problems (may be nullptr) today; callers report what they find.
    static void apply(const ScreenLayout &layout, LayoutTarget &target,
                      QStringList *problems = nullptr);
    // Everything but the picture, which is read from disk: for a screen that changes its
    // layout while it is open.
    static void applyElements(const ScreenLayout &layout, LayoutTarget &target);
};
