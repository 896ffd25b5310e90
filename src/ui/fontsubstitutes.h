#pragma once

// The installation's screens name Windows fonts (Tahoma, Palatino Linotype). Where those
// are missing, narrow look-alikes keep the captions inside the sizes the screens were
// drawn for, instead of whatever wide default the system picks.
class FontSubstitutes
{
public:
    static void install();
};
