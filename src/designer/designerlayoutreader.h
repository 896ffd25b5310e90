#pragma once

#include "layout/screenlayout.h"

class Layout1;

// The designer's elements as the fourteen records of the screen layout table: the
// counterpart of LayoutApplier, so that loading and saving without changes gives back the
// records that were loaded. Every value is filled; nothing is left empty.
class DesignerLayoutReader
{
public:
    static ScreenLayout read(const Layout1 &designer);
};
