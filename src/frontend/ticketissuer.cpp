#include "frontend/ticketissuer.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "frontend/numbering.h"
#include "ui/dialogs.h"

#include <limits>

TicketIssuer::TicketIssuer(const KioskState &state, Dialogs &dialogs, ReportEngine &engine,
                           QWidget *window)
    : state_(state), dialogs_(dialogs), printer_(engine), window_(window)
{
}

void TicketIssuer::issue(Numbering &numbering, int line, const PendingTicket &ticket)
{
    // A printer that already says it cannot print keeps the number for the next person.
    QString notReady;
    if (!printer_.ready(&notReady)) {
        dialogs_.alert(window_, QStringLiteral("Il ticket non è stato emesso: la stampante non è "
                                               "pronta.\n\n")
                                    + notReady);
        return;
    }
    const std::optional<qint32> previous = numbering.current(line);
    const std::optional<qint32> next = numbering.next(line);
    if (!next) {
        dialogs_.alert(window_,
                       QStringLiteral("Il ticket non è stato emesso: il numero successivo "
                                      "supererebbe il massimo consentito (%1).\nAzzerare la "
                                      "numerazione dalla console.")
                           .arg(std::numeric_limits<qint32>::max()));
        return;
    }
    try {
        store(numbering, line, *next);
    } catch (const ArchiveError &error) {
        dialogs_.alert(window_, QStringLiteral("Il ticket non è stato emesso: la numerazione non "
                                               "può essere memorizzata.\n\n")
                                    + error.fullText());
        return;
    }
    numbering.set(line, *next);
    try {
        writeTicketRecord(ticket, *next);
        printOrGiveBack(numbering, line, previous, *next);
    } catch (const ArchiveError &error) {
        giveBack(numbering, line, previous, *next, error.fullText());
    }
}

void TicketIssuer::printOrGiveBack(Numbering &numbering, int line, std::optional<qint32> previous,
                                   qint32 number)
{
    QString reason;
    switch (printer_.print(state_.archiveFolder, &reason)) {
    case TicketPrinter::Result::Printed:
        break;
    case TicketPrinter::Result::NoTicketRecord:
        giveBack(numbering, line, previous, number, QString());
        dialogs_.message(window_, Dialogs::Kind::Plain, TicketPrinter::noDataMessage());
        break;
    case TicketPrinter::Result::Failed:
        giveBack(numbering, line, previous, number, reason);
        break;
    }
}

void TicketIssuer::store(const Numbering &numbering, int line, qint32 number)
{
    RecordSet numbers;
    numbers.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
                 ArchiveSchema::currentNumbersTable());
    numbers.open();
    numbers.edit();
    for (int k = 0; k < Numbering::LineCount; ++k) {
        const std::optional<qint32> shown = k == line ? number : numbering.current(k);
        if (shown)
            numbers.setValue(ArchiveSchema::currentNumberField(k + 1), *shown);
    }
    numbers.update();
}

void TicketIssuer::writeTicketRecord(const PendingTicket &ticket, qint32 number)
{
    RecordSet record;
    record.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
                ArchiveSchema::ticketTable());
    record.open();
    record.edit();
    record.setValue(QStringLiteral("Titolo"), ticket.title);
    record.setValue(QStringLiteral("QualeUtente"), ticket.operatorName);
    record.setValue(QStringLiteral("QualePostazione"), ticket.counterName);
    record.setValue(QStringLiteral("QualeData"), ticket.date);
    record.setValue(QStringLiteral("QualeOra"), ticket.time);
    record.setValue(QStringLiteral("NumeroDaStampare"), number);
    record.update();
}

void TicketIssuer::giveBack(Numbering &numbering, int line, std::optional<qint32> previous,
                            qint32 number, const QString &reason)
{
    // No ticket left the printer: the number goes back, so the next press hands it out.
    numbering.set(line, previous);
    QString archiveNote;
    try {
        store(numbering, line, number - 1);
    } catch (const ArchiveError &error) {
        // The screen's numbering is the working one: the archive catches up at the next ticket.
        archiveNote = QStringLiteral("\nLa numerazione nell'archivio sarà corretta al prossimo "
                                     "ticket (%1).")
                          .arg(error.message());
    }
    if (reason.isEmpty())
        return;
    dialogs_.alert(window_, QStringLiteral("Il ticket numero %1 non è stato stampato: il numero è "
                                           "stato restituito.")
                                    .arg(number)
                                + archiveNote + QStringLiteral("\n\n") + reason);
}
