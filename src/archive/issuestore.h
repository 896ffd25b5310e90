#pragma once

#include "archive/issuerecord.h"

class ArchiveError;
class IssueJournal;

// Writes what a press leaves in Totem.mdb, straight or from the journal. Both writes set
// absolute values, so an entry written twice (a kiosk stopped between writing it and
// striking it from the journal) leaves the archive as once.
class IssueStore
{
public:
    // Numerazione first, then the ticket record. Throws ArchiveError.
    static void writeNumbers(const QString &archiveFolder, const IssueRecord &record);
    static void writeTicket(const QString &archiveFolder, const IssueRecord::Ticket &ticket);

    // The journal's entries in order, each struck once it is in the archive; returns how many.
    // A failure leaves the rest in the journal and throws ArchiveError.
    static int replay(const QString &archiveFolder, IssueJournal &journal);
    // replay() that never throws: how many entries are left, with the failure logged.
    static int writeBack(const QString &archiveFolder, IssueJournal &journal);
    // The message of a numbering edit refused while the journal holds entries.
    static QString journalPendingMessage(int entries);

    // Whether a failure means the share is out of reach (gone, or held by another workstation
    // past our patience) rather than an archive that refuses the write.
    static bool outOfReach(const ArchiveError &error);
};
