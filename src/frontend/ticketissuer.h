#pragma once

#include "frontend/ticketprinter.h"

#include <QString>

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
// leaves the printer the number is given back; every failure is told in a box.
class TicketIssuer
{
public:
    TicketIssuer(const KioskState &state, Dialogs &dialogs, ReportEngine &engine, QWidget *window);

    void issue(Numbering &numbering, int line, const PendingTicket &ticket);

private:
    // Lines with no number keep what the archive holds for them; the line given keeps
    // number whatever it shows.
    void store(const Numbering &numbering, int line, qint32 number);
    void writeTicketRecord(const PendingTicket &ticket, qint32 number);
    void printOrGiveBack(Numbering &numbering, int line, std::optional<qint32> previous,
                         qint32 number);
    void giveBack(Numbering &numbering, int line, std::optional<qint32> previous, qint32 number,
                  const QString &reason);

    const KioskState &state_;
    Dialogs &dialogs_;
    TicketPrinter printer_;
    QWidget *window_;
};
