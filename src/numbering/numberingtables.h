#pragma once

#include "core/kioskstate.h"

#include <QString>

#include <array>

// The current and the initial number of the eleven numbering lines, as Totem.mdb keeps
// them in the first record of Numerazione and of NumerazioneIniziale. Index 0 to 9 are
// counters 1 to 10, index 10 the single queue. Every call opens the archive anew and
// throws ArchiveError on failure.
class NumberingTables
{
public:
    using Numbers = std::array<qint32, Office::LineCount>;

    static Numbers readCurrent(const QString &archiveFolder);
    static Numbers readInitial(const QString &archiveFolder);

    // Writes the current number of one line (1 to 11) and no other field, so that the
    // other lines keep what the public screen or another workstation last stored.
    static void writeCurrent(const QString &archiveFolder, int line, qint32 number);
    static void writeAllCurrent(const QString &archiveFolder, const Numbers &numbers);
    static void writeAllInitial(const QString &archiveFolder, const Numbers &numbers);
};
