#pragma once

#include "core/kioskstate.h"

#include <QString>

#include <array>

// The two ways a day's numbering starts when the public screen is opened. Each returns
// the eleven starting numbers (counters 1 to 10, then the single queue) or throws
// ArchiveError, in which case nothing has been handed over.
class NumberingStart
{
public:
    using Numbers = std::array<qint32, Office::LineCount>;

    // Continues from the current numbers. Numbers kept in the kiosk's journal are written
    // into the archive first; while it cannot be reached, the journal's are the current ones.
    static Numbers loadCurrent(const QString &archiveFolder);
    // Starts from the initial numbers; resets the single queue's current number (P11 and
    // its copy P11Q) in the archive, and only that. Refused while the journal holds numbers
    // that cannot be written into the archive.
    static Numbers startFromInitial(const QString &archiveFolder);
};
