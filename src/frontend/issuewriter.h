#pragma once

#include "archive/issuejournal.h"
#include "archive/issuerecord.h"
#include "frontend/ticketrecord.h"

#include <QObject>

#include <optional>

// The press's archive work, done on a thread of its own so that a locked or vanished
// Totem.mdb never stops the public screen. Work runs in the order asked. A press that finds
// the share out of reach goes to the journal (when allowed), and so does every press while
// the journal holds entries, so that the archive always receives the numbers in order.
class IssueWriter : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Stored,      // in Totem.mdb; `ticket` is its record as read back, none when missing
        Journaled,   // in the journal; `ticket` is made from the columns last seen
        NotStored,   // nothing written: the number is not used
        RecordFailed // the numbers are written but the ticket record is not
    };

    struct Reply
    {
        quint64 press = 0;
        Outcome outcome = Outcome::NotStored;
        QString error;
        std::optional<TicketRecord> ticket;
        qint64 journalEntry = 0;
    };

    explicit IssueWriter(const IssueJournal &journal) : journal_(journal) {}

    void store(quint64 press, const QString &archiveFolder, const IssueRecord &record,
               bool journalAllowed);
    // Numbers only: the journal's entry of the press struck when it is still there, else
    // the numbers written (or journaled) as a press's would be.
    void giveBack(const QString &archiveFolder, const IssueRecord &record, qint64 journalEntry,
                  bool journalAllowed);
    // Writes the journal back into Totem.mdb when it can be reached.
    void catchUp(const QString &archiveFolder);

signals:
    void stored(const IssueWriter::Reply &reply);
    // Empty when the archive holds the numbers given back.
    void gaveBack(const QString &failure);
    void journalChanged(int entries);

private:
    // Whether the journal is empty once its entries have been offered to the archive.
    bool drained(const QString &archiveFolder);
    Reply journal(Reply reply, const IssueRecord &record, const QString &failure);
    void tellJournal();

    IssueJournal journal_;
    TicketRecord lastSeen_ = TicketRecord::standard();
    int told_ = -1;
};
