#pragma once

#include "frontend/dutyroster.h"

#include <QDateTime>

// Reads who is on duty now from the weekday's schedule table of Totem.mdb and the
// operators of KZ4.mdb. Throws ArchiveError when an archive cannot be read.
class OperatorLookup
{
public:
    static DutyRoster read(const QString &archiveFolder, const QDateTime &now);
};
