#include "frontend/issuewriter.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archivetransaction.h"
#include "archive/issuestore.h"

#include <QtDebug>

void IssueWriter::store(quint64 press, const QString &archiveFolder, const IssueRecord &record,
                        bool journalAllowed)
{
    Reply reply;
    reply.press = press;
    if (!drained(archiveFolder)) {
        emit stored(journal(reply, record, QString()));
        tellJournal();
        return;
    }
    bool numbersWritten = false;
    try {
        // On a server the number and the ticket's record go in together or not at all.
        ArchiveTransaction transaction(ArchivePath::join(archiveFolder, ArchivePath::totem()));
        IssueStore::writeNumbers(archiveFolder, record);
        numbersWritten = !transaction.isOpen();
        IssueStore::writeTicket(archiveFolder, *record.ticket);
        transaction.commit();
        numbersWritten = true;
        reply.ticket = TicketRecord::read(archiveFolder);
        if (reply.ticket)
            lastSeen_ = *reply.ticket;
        reply.outcome = Outcome::Stored;
    } catch (const ArchiveError &error) {
        if (journalAllowed && IssueStore::outOfReach(error)) {
            // Numbers already written are written again by the journal, to the same values.
            reply = journal(reply, record, error.fullText());
        } else {
            reply.outcome = numbersWritten ? Outcome::RecordFailed : Outcome::NotStored;
            reply.error = error.fullText();
        }
    }
    emit stored(reply);
    tellJournal();
}

IssueWriter::Reply IssueWriter::journal(Reply reply, const IssueRecord &record,
                                        const QString &failure)
{
    try {
        reply.journalEntry = journal_.append(record);
        reply.outcome = Outcome::Journaled;
        reply.ticket = lastSeen_.with(*record.ticket);
        qWarning("Totem.mdb non disponibile: il numero %d è conservato nel giornale locale%s%s",
                 record.ticket->number, failure.isEmpty() ? "" : ": ", qPrintable(failure));
    } catch (const ArchiveError &error) {
        reply.outcome = Outcome::NotStored;
        reply.error = failure.isEmpty() ? error.fullText()
                                        : failure + QStringLiteral("\n\n") + error.fullText();
    }
    return reply;
}

void IssueWriter::giveBack(const QString &archiveFolder, const IssueRecord &record,
                           qint64 journalEntry, bool journalAllowed)
{
    QString failure;
    try {
        const QList<IssueJournal::Entry> entries = journal_.entries();
        if (journalEntry != 0 && !entries.isEmpty() && entries.last().id == journalEntry) {
            journal_.remove(journalEntry);
        } else if (!entries.isEmpty()) {
            journal_.append(record);
        } else {
            try {
                IssueStore::writeNumbers(archiveFolder, record);
            } catch (const ArchiveError &error) {
                if (!journalAllowed || !IssueStore::outOfReach(error))
                    throw;
                journal_.append(record);
            }
        }
    } catch (const ArchiveError &error) {
        failure = error.message();
    }
    emit gaveBack(failure);
    tellJournal();
}

void IssueWriter::catchUp(const QString &archiveFolder)
{
    drained(archiveFolder);
    tellJournal();
}

bool IssueWriter::drained(const QString &archiveFolder)
{
    return IssueStore::writeBack(archiveFolder, journal_) == 0;
}

void IssueWriter::tellJournal()
{
    int entries = 0;
    try {
        entries = journal_.count();
    } catch (const ArchiveError &error) {
        qWarning("%s", qPrintable(error.fullText()));
    }
    if (entries != std::exchange(told_, entries))
        emit journalChanged(entries);
}
