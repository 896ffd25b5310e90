#pragma once

#include "layout/screenlayout.h"

#include <QString>

// Writes a ScreenLayout into the fourteen records of the screen layout table (`Layout1` of
// Totem.mdb): the counterpart of ScreenLayoutReader. The records are addressed by their
// stored order, and each one is written with its own update, in order, so a failure leaves
// the records before it written and those from it on as they were.
//
// Only the fields the designer owns are written: positions, fonts, colours, visibility,
// the title's text, the single queue's caption (record 13 only) and the picture path. An
// empty value in the layout leaves its field as stored.
class ScreenLayoutWriter
{
public:
    // Throws ArchiveError; its message says which record failed and what was written.
    static void write(const ScreenLayout &layout, const QString &archiveFolder);
};
