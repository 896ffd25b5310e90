#pragma once

#include "layout/screenlayout.h"

// The layout as the designer edits it: every value filled, so that what the designer shows
// is exactly what its save writes.
class DesignerLayout
{
public:
    // The designer's own arrangement, before any stored layout: the mock-up's places, its
    // form font and the system's colours.
    static ScreenLayout designTime();
    // The stored layout, with the mock-up's own value wherever the table gave none; such
    // elements are written so at the next save.
    static ScreenLayout completed(const ScreenLayout &stored);
    // What a save writes: the fixed texts of every panel take the first panel's colour,
    // whatever the others were given.
    static ScreenLayout forStorage(const ScreenLayout &live);
};
