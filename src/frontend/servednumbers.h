#pragma once

#include <QString>
#include <QStringList>

// The numbers the ten counters are serving now, as their workstations write them into
// KZ4B.mdb. Reading stops at the first counter whose table cannot be read.
struct ServedNumbers
{
    QStringList texts; // counters 1.. in order, as many as could be read
    bool failed = false;

    static ServedNumbers read(const QString &archiveFolder);
};
