#pragma once

#include "layout/screenlayout.h"

#include <QString>
#include <QStringList>

// Reads the fourteen records of the screen layout table (`Layout1` of Totem.mdb) in their
// stored order, field by field, as the public screen and the designer apply them.
//
// The table is the designer's work and nobody else checks it, so a value that cannot be
// read does not stop the reading: it stays empty in the layout (the element keeps its
// design value) and one Italian sentence in problems says which record, element and field.
class ScreenLayoutReader
{
public:
    // Throws ArchiveError when the table cannot be opened (missing archive or table);
    // problems may be nullptr.
    static ScreenLayout read(const QString &archiveFolder, QStringList *problems);
};
