#pragma once

#include "frontend/issuewriter.h"
#include "frontend/ticketprinter.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>
#include <optional>

class Dialogs;
class KioskState;
class Numbering;
class QWidget;
class ReportEngine;

// What the ticket record says besides its number, as the screen showed it at the press.
struct PendingTicket
{
    QString title;
    QString operatorName;
    QString counterName;
    QString date;
    QString time;
};

// A press on a numbering line: the line's next number, stored with every number the
// screen shows into Numerazione, the ticket record written and printed. When no ticket
// leaves the printer the number is given back; every failure is told in a box. The archive
// work runs on the writer's thread and the press goes on when it answers, so the screen
// lives on while a share is slow; with the archive out of reach the press goes through
// the kiosk's journal, when the local settings allow it.
class TicketIssuer : public QObject
{
    Q_OBJECT

public:
    // How long the press waits for another workstation's lock on Totem.mdb at each of its
    // openings before it takes the journal (or refuses).
    static constexpr int LockWaitMs = 2000;
    // Past this the archive is taken as hanging: the press is refused and the writer is
    // left to finish on its own, with no further press until it has.
    static constexpr int AnswerLimitMs = 10000;

    TicketIssuer(const KioskState &state, Dialogs &dialogs, ReportEngine &engine, QWidget *window);
    ~TicketIssuer() override;

    // `finished` runs through the event loop once the press is over, whatever its end.
    void issue(Numbering &numbering, int line, const PendingTicket &ticket,
               std::function<void()> finished);
    // Offers the journal to the archive again, unless such a try is under way.
    void catchUp();
    // For tests only: blocks until the press under way and the writer's work are over,
    // handling the writer's answers as their arrival would.
    void waitForWork();

signals:
    void journalChanged(int entries);

private:
    struct Press
    {
        quint64 id = 0;
        Numbering *numbering = nullptr;
        int line = 0;
        std::optional<qint32> previous;
        qint32 number = 0;
        std::function<void()> finished;
        qint64 journalEntry = 0;
        bool givingBack = false;
        bool noTicketRecord = false;
        QString reason;
    };

    void onStored(const IssueWriter::Reply &reply);
    void onGaveBack(const QString &failure);
    void tellGivenBack(const QString &failure);
    void onNoAnswer();
    void giveBack(const QString &reason);
    void finish();
    IssueRecord numbersShown(const Numbering &numbering) const;

    const KioskState &state_;
    Dialogs &dialogs_;
    TicketPrinter printer_;
    QWidget *window_;
    QThread thread_;
    IssueWriter *writer_ = nullptr; // lives in thread_
    QTimer answerLimit_;
    std::optional<Press> press_;
    quint64 lastPress_ = 0;
    bool writerOverdue_ = false; // a press stopped waiting for the writer, still busy with it
    bool catchingUp_ = false;
};
