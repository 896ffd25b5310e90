#include "archive/issuestore.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/archivetransaction.h"
#include "archive/issuejournal.h"
#include "archive/recordset.h"

#include <QMutex>
#include <QtDebug>

void IssueStore::writeNumbers(const QString &archiveFolder, const IssueRecord &record)
{
    RecordSet numbers;
    numbers.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                 ArchiveSchema::currentNumbersTable());
    numbers.open();
    numbers.edit();
    for (int line = 0; line < Office::LineCount; ++line) {
        if (record.numbers[line])
            numbers.setValue(ArchiveSchema::currentNumberField(line + 1), *record.numbers[line]);
    }
    numbers.update();
}

void IssueStore::writeTicket(const QString &archiveFolder, const IssueRecord::Ticket &ticket)
{
    RecordSet record;
    record.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                ArchiveSchema::ticketTable());
    record.open();
    record.edit();
    record.setValue(QStringLiteral("Titolo"), ticket.title);
    record.setValue(QStringLiteral("QualeUtente"), ticket.operatorName);
    record.setValue(QStringLiteral("QualePostazione"), ticket.counterName);
    record.setValue(QStringLiteral("QualeData"), ticket.date);
    record.setValue(QStringLiteral("QualeOra"), ticket.time);
    record.setValue(QStringLiteral("NumeroDaStampare"), ticket.number);
    record.update();
}

int IssueStore::replay(const QString &archiveFolder, IssueJournal &journal)
{
    // The public screen's writer and the console may both try: two replays side by side
    // could finish with an older entry written last.
    static QMutex replaying;
    const QMutexLocker locker(&replaying);
    int written = 0;
    for (const IssueJournal::Entry &entry : journal.entries()) {
        ArchiveTransaction transaction(ArchivePath::join(archiveFolder, ArchivePath::totem()));
        writeNumbers(archiveFolder, entry.record);
        if (entry.record.ticket)
            writeTicket(archiveFolder, *entry.record.ticket);
        transaction.commit();
        journal.remove(entry.id);
        ++written;
    }
    return written;
}

int IssueStore::writeBack(const QString &archiveFolder, IssueJournal &journal)
{
    try {
        if (journal.isEmpty())
            return 0;
        const int written = replay(archiveFolder, journal);
        qWarning("%d numeri del giornale locale scritti in Totem.mdb", written);
        return 0;
    } catch (const ArchiveError &error) {
        qWarning("%s", qPrintable(error.fullText()));
    }
    try {
        return journal.count();
    } catch (const ArchiveError &) {
        return 0; // a journal that cannot be read holds nothing we could write back
    }
}

QString IssueStore::journalPendingMessage(int entries)
{
    return QStringLiteral("Il totem conserva %1 emissioni fatte mentre l'archivio Totem.mdb non "
                          "era raggiungibile, non ancora scritte nell'archivio: la numerazione "
                          "non può essere cambiata finché non vi sono scritte.\nVerificare che "
                          "la cartella degli archivi sia raggiungibile e riprovare.")
        .arg(entries);
}

bool IssueStore::outOfReach(const ArchiveError &error)
{
    return error.reason() == ArchiveError::Reason::Unreachable
           || error.reason() == ArchiveError::Reason::Busy;
}
